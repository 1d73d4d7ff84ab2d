// The sheets as built: their order and captions, where the named controls lie, the band boxes,
// the fixed places the channel selection relies on, and the texts the controls carry.
#include <gtest/gtest.h>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <optional>
#include <utility>

#include "bound_window.h"
#include "params/value_scales.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"

namespace zt {
namespace {

using catalogue_test::CatalogueWindow;
using catalogue_test::SheetOf;

class SheetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_ = new CatalogueWindow(); }
    static void TearDownTestSuite() {
        delete window_;
        window_ = nullptr;
    }
    static CatalogueWindow& w() { return *window_; }

private:
    static CatalogueWindow* window_;
};

CatalogueWindow* SheetsTest::window_ = nullptr;

TEST_F(SheetsTest, PageContainerHoldsTheNineSheetsByIndex) {
    const char* names[] = {"AdvTabSheet1_mus",  "AdvTabSheet2_mic",    "AdvTabSheet3_Eff",
                           "AdvTabSheet4_Main", "AdvTabSheet5_Center", "AdvTabSheet6_Sub",
                           "AdvTabSheet7_sur",  "AdvTabSheet8_Sys",    "AdvTabSheet9_DEQ"};
    ASSERT_EQ(w().formPageItem->count(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(w().formPageItem->widget(i)->objectName(), names[i]);
        auto* sheet = dynamic_cast<SwappingSheet*>(w().formPageItem->widget(i));
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->hint(), "");  // their captions have no English text
    }
    EXPECT_TRUE(w().formPageItem->widget(5)->findChildren<QWidget*>().isEmpty());
    EXPECT_TRUE(w().formPageItem->widget(6)->findChildren<QWidget*>().isEmpty());
}

TEST_F(SheetsTest, RightColumnSheetsSwapTheirTabTexts) {
    QTabWidget* tabs = w().advPageControl1;
    ASSERT_EQ(tabs->count(), 3);
    const QStringList chinese{"主音量", "音量控制", "系统设定"};
    const QStringList english{"Main Volume", "Volume Set", "System setting"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tabs->tabText(i), chinese[i]);
    EXPECT_EQ(tabs->currentIndex(), 0);
    for (int i = 0; i < 3; ++i) SwapCaptionAndHint(tabs->widget(i));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tabs->tabText(i), english[i]);
    for (int i = 0; i < 3; ++i) SwapCaptionAndHint(tabs->widget(i));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tabs->tabText(i), chinese[i]);
}

TEST_F(SheetsTest, NamedControlsLieOnTheirSheets) {
    const struct {
        const char* control;
        const char* sheet;
    } cases[] = {
        {"MusFreEdit1", "AdvTabSheet1_mus"},
        {"SysInputBox", "AdvTabSheet1_mus"},
        {"SysMusInputLevelBox", "AdvTabSheet1_mus"},
        {"MusGain3UpDown", "AdvTabSheet1_mus"},
        {"Memo2", "AdvTabSheet1_mus"},
        {"MusPanScrollBar", "AdvTabSheet1_mus"},
        {"AdvGroupBox1", "AdvTabSheet2_mic"},
        {"AdvGroupBox16", "AdvTabSheet2_mic"},
        {"MicRmsRatioBar", "AdvTabSheet2_mic"},
        {"MIcQUpDownBtn20", "AdvTabSheet2_mic"},
        {"EchoAToolButton", "AdvTabSheet3_Eff"},
        {"RvbToolButton", "AdvTabSheet3_Eff"},
        {"EffPageControl", "AdvTabSheet3_Eff"},
        {"EchoFreEdit1", "EffSheetEcho"},
        {"EchoEffPhaseBtn", "EffSheetEcho"},
        {"EffEQPointLabel7", "EffSheetEcho"},
        {"RvbFreEdit7", "EffSheetRvb"},
        {"RvbEQPointLabel1", "EffSheetRvb"},
        {"RvbLHPGroup", "EffSheetRvb"},
        {"OutLimiteGroup", "AdvTabSheet4_Main"},
        {"OutLHPGroup", "AdvTabSheet4_Main"},
        {"OutLDelayLabel", "AdvTabSheet4_Main"},
        {"Label157", "AdvTabSheet4_Main"},
        {"AdvGroupBox21", "AdvTabSheet4_Main"},
        {"MainPanScrollBar", "AdvTabSheet4_Main"},
        {"ExampleBtn2", "AdvTabSheet4_Main"},
        {"HintMusBtn", "AdvTabSheet5_Center"},
        {"HintQUpDownBtn5", "AdvTabSheet5_Center"},
        {"DeviceIDLabel", "AdvTabSheet8_Sys"},
        {"Memo1", "AdvTabSheet8_Sys"},
        {"FileListBox1", "AdvTabSheet8_Sys"},
        {"SysRemoteBtn1", "AdvTabSheet8_Sys"},
        {"DEQTYpeAboveBtn3", "AdvTabSheet9_DEQ"},
        {"DEQRmsRatioPane2", "AdvTabSheet9_DEQ"},
        {"SysMusNormalVolBar", "AdvTabSheet10_Vol"},
        {"MusStartImage", "AdvTabSheet10_Vol"},
        {"SysFactoryBtn6", "AdvTabSheet10_Vol"},
        {"SysModeBox2", "AdvTabSheet10_Vol"},
        {"SysVolRunBtn1", "AdvTabSheet10_Vol"},
        {"musLabel", "AdvTabSheet10_Vol"},
        {"SysEffMaxVolBar", "AdvTabSheet11_VolSet"},
        {"SysPanelBtn2", "AdvTabSheet11_VolSet"},
        {"PassPanelLabel1", "AdvTabSheet11_VolSet"},
        {"NewPassLabel1", "AdvTabSheet11_VolSet"},
        {"SysPassEdit", "AdvTabSheet12_Sys"},
        {"SysUserMangerGrop", "AdvTabSheet12_Sys"},
        {"SysModeBox", "AdvTabSheet12_Sys"},
        {"PresetModeEdit", "AdvTabSheet12_Sys"},
        {"ValueListEditor1", "AdvTabSheet12_Sys"},
        {"FileEdit", "AdvTabSheet12_Sys"},
        {"RzBmpButton120", "AdvTabSheet12_Sys"},
        {"NewSysPassLabel2", "AdvTabSheet12_Sys"},
    };
    for (const auto& c : cases) {
        QWidget* control = w().registry.Find(c.control);
        ASSERT_NE(control, nullptr) << c.control;
        EXPECT_EQ(SheetOf(control), c.sheet) << c.control;
    }
}

TEST_F(SheetsTest, HiddenAndDisabledAtStart) {
    // Hidden: the control would stay hidden with its sheet shown.
    const auto hiddenOnItsSheet = [&](const char* name) {
        for (QWidget* up = w().registry.Find(name); up && !dynamic_cast<SwappingSheet*>(up);
             up = up->parentWidget()) {
            if (up->isHidden()) return true;
        }
        return false;
    };
    for (const char* name : {"Memo2", "Memo1", "FileListBox1", "Example", "ExampleBtn2",
                             "RzBmpButton25", "musLabel", "micLabel", "EffLabel", "DEQTypeBox2"}) {
        EXPECT_TRUE(hiddenOnItsSheet(name)) << name;
    }
    for (const char* name : {"RzBmpButton24", "DeviceIDLabel", "SysRemoteBtn2", "MainRmuteBtn",
                             "Label157", "DEQTYpeOffBtn2", "SysInputBox"}) {
        EXPECT_FALSE(hiddenOnItsSheet(name)) << name;
    }
    for (const char* name :
         {"SysUserMangerGrop", "NewPassLabel1", "NewSysPassLabel1", "NewSysPassLabel2"}) {
        EXPECT_FALSE(w().registry.Find(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(w().registry.Find("SysPanelLabel1")->isEnabled());
    // The focus parking edit is shown but lies outside its container.
    QWidget* parking = w().registry.Find("Examplexx");
    EXPECT_FALSE(parking->isHidden());
    EXPECT_FALSE(w().formPageItem->rect().intersects(parking->geometry()));
}

TEST_F(SheetsTest, PasswordFieldsLimitAndMaskTheirText) {
    const struct {
        const char* name;
        int maxLength;
        bool masked;
    } cases[] = {{"SysPassEdit", 6, true},      {"SysPanelLabel1", 6, true},
                 {"NewSysPassLabel1", 6, true}, {"NewSysPassLabel2", 6, true},
                 {"PassPanelLabel1", 4, false}, {"NewPassLabel1", 4, true},
                 {"PresetModeEdit", 20, false}};
    for (const auto& c : cases) {
        auto* edit = w().Get<PlainEdit>(c.name);
        EXPECT_EQ(edit->maxLength(), c.maxLength) << c.name;
        EXPECT_EQ(edit->echoMode() == QLineEdit::Password, c.masked) << c.name;
        EXPECT_EQ(qobject_cast<ValueEdit*>(edit), nullptr) << c.name;
    }
}

TEST_F(SheetsTest, BandBoxesShowWholeColumnsOf65Pixels) {
    const struct {
        const char* box;
        const char* scrollBar;
        int bands;
        int visible;
    } cases[] = {{"MusScrollBox", "MusPanScrollBar", 15, 9},
                 {"MicScrollBox", "MicPanScrollBar", 20, 8},
                 {"MainScrollBox", "MainPanScrollBar", 10, 5},
                 {"EchoScrollBox", nullptr, 7, 7},
                 {"RvbScrollBox", nullptr, 7, 7},
                 {"HintScrollBox", nullptr, 5, 5}};
    for (const auto& c : cases) {
        auto* box = w().Get<BandScrollBox>(c.box);
        EXPECT_EQ(box->width(), c.visible * 65) << c.box;
        EXPECT_EQ(box->strip()->width(), c.bands * 65) << c.box;
        const auto columns = box->strip()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(columns.size(), c.bands) << c.box;
        for (int i = 0; i < c.bands; ++i) {
            EXPECT_EQ(columns[i]->geometry(), QRect(i * 65, 0, 65, columns[i]->height()))
                << c.box << " " << i;
        }
        if (c.scrollBar) {
            auto* bar = w().Get<QScrollBar>(c.scrollBar);
            EXPECT_EQ(bar->minimum(), 0);
            EXPECT_EQ(bar->maximum(), c.bands - c.visible) << c.scrollBar;
        }
    }
    // Every control of a band column lies inside it.
    for (QWidget* column : w().Get<BandScrollBox>("MicScrollBox")
                               ->strip()
                               ->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        for (QWidget* control : column->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(column->rect().contains(control->geometry()))
                << control->objectName().toStdString();
        }
    }
}

TEST_F(SheetsTest, MuteButtonsSitOnTheOutputSheetAtTheirPlaces) {
    QWidget* sheet = w().registry.Find("AdvTabSheet4_Main");
    auto* left = w().Get<BitmapButton>("MainLmuteBtn");
    auto* right = w().Get<BitmapButton>("MainRmuteBtn");
    EXPECT_EQ(left->parentWidget(), sheet);
    EXPECT_EQ(right->parentWidget(), sheet);
    EXPECT_EQ(left->x(), 583);
    EXPECT_EQ(right->x(), 679);
    // The pair does not touch, and the single place at 631 stands centred under it.
    EXPECT_LT(left->x() + left->width(), right->x());
    EXPECT_EQ(left->width(), right->width());
    EXPECT_EQ(631 + left->width() / 2, (583 + 679 + right->width()) / 2);
    EXPECT_EQ(left->caption(), "左静音");
    EXPECT_EQ(right->caption(), "右静音");
    // Nothing else of the sheet is in the way of the three places.
    const QRect row(583, left->y(), 679 + right->width() - 583, left->height());
    for (QWidget* child : sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == left || child == right || child->isHidden()) continue;
        EXPECT_FALSE(child->geometry().intersects(row)) << child->objectName().toStdString();
    }
}

TEST_F(SheetsTest, VolumeMarkersFollowTheirBarsScale) {
    auto* bar = w().Get<TrackBar>("SysMicNormalVolBar");
    const int thumb = bar->ThumbLength();
    // The thumb's centre at position p is p x 1.89 + 57, the centre of a marker at that place.
    const double travel = bar->width() - thumb;
    EXPECT_NEAR(bar->x() + thumb / 2.0, 57, 1.0);
    EXPECT_NEAR(travel / 84, 1.89, 0.02);
    const struct {
        const char* name;
        RangeHandle::Mark mark;
        int tag;
    } markers[] = {{"MicStartImage", RangeHandle::Mark::Start, 0x1D03},
                   {"MicMaxImage", RangeHandle::Mark::Maximum, 0x1D04},
                   {"MusStartImage", RangeHandle::Mark::Start, 0x1D05},
                   {"MusMaxImage", RangeHandle::Mark::Maximum, 0x1D06},
                   {"EffStartImage", RangeHandle::Mark::Start, 0x1D07},
                   {"EffMaxImage", RangeHandle::Mark::Maximum, 0x1D08}};
    for (const auto& m : markers) {
        auto* marker = w().Get<RangeHandle>(m.name);
        EXPECT_EQ(marker->tag(), m.tag) << m.name;
        EXPECT_EQ(marker->mark(), m.mark) << m.name;
        EXPECT_EQ(marker->size(), QSize(8, 8)) << m.name;
        EXPECT_EQ(marker->x(), 53) << m.name;
    }
}

TEST_F(SheetsTest, ControlsCarryTheirTextsInBothLanguages) {
    const struct {
        const char* name;
        const char* chinese;
        const char* english;
    } cases[] = {
        {"AdvGroupBox1", "麦克风A压限", "MIC A Limit"},
        {"AdvGroupBox16", "麦克风A噪声门", "Mic A Noise"},
        {"OutLimiteGroup", "主输出压限", "Limit"},
        {"OutLHPGroup", "主输出分频", "HP/LP"},
        {"OutLDelayLabel", "左通道延时 ", "Left Delay"},
        {"Label157", "右通道延时 ", "Right Delay"},
        {"EchoLHPGroup", "回声高低通", ""},
        {"RvbLHPGroup", "混响高低通", "Rvb LHP "},
        {"EchoAToolButton", "回声A", "Echo A"},
        {"EchoBToolButton", "回声B", "Echo B"},
        {"RvbToolButton", "混响", "Reverb"},
        {"HintMusBtn", "音乐", "Music"},
        {"HintMicABtn", "话筒A", "MIC A"},
        {"HintMicBBtn", "话筒B", "MIC B"},
        {"MusPitchBarCaption", "变调", "  Key \ncontrol"},
        {"MicNoiseLevelBarCaption", "启动电平", "Threshold\n"},
        {"RvbEffLevelBarCaption", "混响音量", "Echo Effect Vol"},
        {"MainRvbLevelBarCaption", "混响效果电平", "Rvb Effect Vol"},
        {"MusFreLegend", "频率", "Hz"},
        {"MainQLegend", "Q值", "Q"},
        {"DEQWorkTypeLabel2", "动态均衡工作类型", "DEQ Work Type"},
        {"DEQRmsRatioBar3Caption", "压缩比例", "Ratio"},
        {"SysFactoryNote", "调用出厂模式时候，音量不会变化",
         "The factory pattern volume will not change\n"},
        {"musLabel", "0", "Music Vol"},
        {"EffLabel", "0", "Music Vol"},
        {"PanelPassGroup", "面板键盘自动锁密码修改", "Modify Auto Key Lock Password"},
        {"SysManagerLabel", "管理员", "admin"},
        {"SysDeviceIDCaption", "设备管理码", ""},
        {"SysVolWarn3", "破坏性的影响，建议禁用，慎用！！！", "damage to the system."},
    };
    for (const auto& c : cases) {
        QWidget* control = w().registry.Find(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        SwappingControl* swapping = SwappingOf(control);
        ASSERT_NE(swapping, nullptr) << c.name;
        EXPECT_EQ(swapping->caption(), QString::fromUtf8(c.chinese)) << c.name;
        EXPECT_EQ(PropsOf(control)->hint(), QString::fromUtf8(c.english)) << c.name;
    }
    // Bitmap buttons keep one caption; the language switch sets theirs from a table.
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"DEQTYpeOffBtn1", "关闭"},
                   {"DEQTYpeBelowBtn2", "低启动"},
                   {"DEQTYpeAboveBtn3", "高启动"},
                   {"SysLoadModeBtn", "调用设备模式"},
                   {"SysSaveModeBtn", "保存设备模式"},
                   {"RzBmpButton24", "单模式参数"},
                   {"RzBmpButton25", "整机参数"},
                   {"RzBmpButton119", "上传数据到设备"},
                   {"RzBmpButton120", "保存数据到电脑"},
                   {"RzBmpButton22", "确定"},
                   {"RzBmpButton118", "确定"},
                   {"RzBmpButton23", "修改"},
                   {"SysPanelBtn1", "禁用"},
                   {"SysVolRunBtn2", "启用"},
                   {"SysFactoryBtn3", "3"},
                   {"SysModeBtn4", "4"}};
    for (const auto& b : buttons) {
        EXPECT_EQ(w().Get<BitmapButton>(b.name)->caption(), QString::fromUtf8(b.caption)) << b.name;
    }
    auto* files = w().Get<QTableWidget>("ValueListEditor1");
    // The list's column titles follow the language like every caption (Chinese here).
    EXPECT_EQ(files->horizontalHeaderItem(0)->text(), QStringLiteral("序号"));
    EXPECT_EQ(files->horizontalHeaderItem(1)->text(), QStringLiteral("文件名"));
}

TEST_F(SheetsTest, SwitchButtonsCarryTheirAddressAndState) {
    const struct {
        const char* name;
        int tag;
        const char* state;
    } cases[] = {{"SysVolRunBtn1", 0x1D09, "0"}, {"SysVolRunBtn2", 0x1D09, "1"},
                 {"SysPanelBtn1", 0x1E04, "0"},  {"SysPanelBtn2", 0x1E04, "1"},
                 {"SysUserBtn", 0x1E08, "0"},    {"SysManagerBtn", 0x1E08, "1"},
                 {"SysRemoteBtn1", 0x0911, "0"}, {"SysRemoteBtn2", 0x0911, "1"}};
    for (const auto& c : cases) {
        auto* button = w().Get<BitmapButton>(c.name);
        EXPECT_EQ(button->tag(), c.tag) << c.name;
        EXPECT_EQ(button->hint(), c.state) << c.name;
    }
    for (int i = 0; i < 6; ++i) {
        const QString name = i == 0 ? "SysFactoryBtn" : "SysFactoryBtn" + QString::number(i + 1);
        EXPECT_EQ(w().Get<BitmapButton>(name.toUtf8().constData())->tag(), 16 + i);
    }
}

TEST_F(SheetsTest, ValueControlsCarryTheKindTheirCatalogueNames) {
    // The EQ fields of a band, by their names, and the hidden edit.
    const std::pair<const char*, int> named[] = {
        {"MusFreEdit1", kKindFrequency},
        {"MusGainEdit1", kKindGain},
        {"MusQEdit1", kKindQ},
        {"Example", kKindHidden},
    };
    for (const auto& [name, kind] : named) {
        EXPECT_EQ(PropsOf(w().Get<QWidget>(name))->valueKind(), std::optional<int>(kind)) << name;
    }
    // Every value field has an edit's kind, every value pane a pane's kind or none, and the kind
    // is the number the catalogue's text gave.
    int edits = 0, panes = 0;
    for (QWidget* control : w().registry.InCreationOrder()) {
        const ControlProps* props = PropsOf(control);
        const bool edit = qobject_cast<ValueEdit*>(control) != nullptr;
        const bool pane = qobject_cast<StatusPane*>(control) != nullptr;
        if (!props || !(edit || pane) || props->hint().isEmpty()) continue;
        const std::optional<int> kind = props->valueKind();
        ASSERT_TRUE(kind) << control->objectName().toStdString();
        EXPECT_EQ(*kind, props->hint().toInt()) << control->objectName().toStdString();
        if (edit) {
            ++edits;
            EXPECT_LE(*kind, kLastEditKind) << control->objectName().toStdString();
        } else {
            ++panes;
            // A pane of a plain number (a volume) has none of the value kinds.
            EXPECT_TRUE(*kind == kKindHidden || *kind >= kFirstPaneKind)
                << control->objectName().toStdString();
        }
    }
    EXPECT_GT(edits, 200);
    EXPECT_GT(panes, 50);
}

}  // namespace
}  // namespace zt
