// The catalogue as built and bound, checked against the processor's page layout: every bound
// slot has a control of the right class, name, tag, hint and range.
#include <gtest/gtest.h>

#include <set>

#include "bound_window.h"
#include "params/page_table.h"
#include "ui/catalogue/catalogue.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {
namespace {

using catalogue_test::CatalogueWindow;

class BoundCatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_ = new CatalogueWindow(); }
    static void TearDownTestSuite() {
        delete window_;
        window_ = nullptr;
    }
    static CatalogueWindow& w() { return *window_; }
    static const ControlBinding& binding() { return window_->binding; }

private:
    static CatalogueWindow* window_;
};

CatalogueWindow* BoundCatalogueTest::window_ = nullptr;

enum class Cls { Bar, Edit, Select, Toggle, Example };

struct SlotExpectation {
    ParamAddress address;
    const char* name;
    Cls cls;
    int maximum = 0;
    const char* hint = "";
    const char* pane = nullptr;
    const char* paneHint = "";
    const char* spin = nullptr;
};

constexpr SlotExpectation Example(ParamAddress a) {
    return {a, "Example", Cls::Example};
}
constexpr SlotExpectation Bar(ParamAddress a, const char* name, int max, const char* pane,
                              const char* kind) {
    return {a, name, Cls::Bar, max, "", pane, kind};
}
constexpr SlotExpectation Toggle(ParamAddress a, const char* name) {
    return {a, name, Cls::Toggle, 1, "0"};
}
constexpr SlotExpectation Select(ParamAddress a, const char* name, int last, const char* hint) {
    return {a, name, Cls::Select, last, hint};
}
constexpr SlotExpectation Volume(ParamAddress a, const char* name, const char* role,
                                 const char* pane) {
    return {a, name, Cls::Bar, 84, role, pane, "0"};
}

// Every slot of the pages' own controls (the EQ bands follow separately).
const SlotExpectation kSlots[] = {
    {0x0000, "MusGain1Edit", Cls::Edit, 40, "5", nullptr, "", "MusGain1UpDown"},
    {0x0001, "MusGain2Edit", Cls::Edit, 40, "5", nullptr, "", "MusGain2UpDown"},
    {0x0002, "MusGain3Edit", Cls::Edit, 40, "5", nullptr, "", "MusGain3UpDown"},
    Bar(0x0003, "MusPitchBar", 14, "MusPitchPane", "21"),
    Select(0x0004, "MusHPTypeBox", 12, "20"),
    Bar(0x0005, "MusHPFREBar", 361, "MusHPFREPane", "6"),
    Select(0x0006, "MusLPTypeBox", 12, "21"),
    Bar(0x0007, "MusLPFREBar", 361, "MusLPFREPane", "6"),
    Example(0x0009),
    Example(0x0100),
    Bar(0x0200, "MicInputGainBar", 40, "MicInputGainPane", "22"),
    Bar(0x0201, "MicFBEBar", 4, "MicFBEPane", "23"),
    Bar(0x0202, "MicNoiseLevelBar", 60, "MicNoiseLevelPane", "24"),
    Bar(0x0203, "MicNoiseAttackBar", 19, "MicNoiseAttackPane", "17"),
    Bar(0x0204, "MicNoiseReleaseBar", 7, "MicNoiseReleasePane", "16"),
    Bar(0x0205, "MicRmsLevelBar", 34, "MicRmsLevelPane", "25"),
    Bar(0x0206, "MicRmsAttackBar", 19, "MicRmsAttackPane", "17"),
    Bar(0x0207, "MicRmsReleaseBar", 7, "MicRmsReleasePane", "16"),
    Bar(0x0208, "MicRmsRatioBar", 40, "MicRmsRatioPane", "15"),
    Select(0x0209, "MicHPTypeBox", 12, "20"),
    Bar(0x020A, "MicHPFreBar", 361, "MicHPFrePane", "6"),
    Select(0x020B, "MicLPTypeBox", 12, "21"),
    Bar(0x020C, "MicLPFreBar", 361, "MicLPFrePane", "6"),
    Example(0x020D),
    Example(0x020E),
    Bar(0x0400, "EchoEffLevelBar", 100, "EchoEffLevelPane", "8"),
    Toggle(0x0401, "EchoEffPhaseBtn"),
    Bar(0x0402, "EchoDirectLevelBar", 100, "EchoDirectLevelPane", "8"),
    Toggle(0x0403, "EchoDirectPhaseBtn"),
    Bar(0x0404, "EchoPreDelayBar", 250, "EchoPreDelayPane", "26"),
    Bar(0x0405, "EchoTimeBar", 250, "EchoTimePane", "11"),
    Bar(0x0406, "EchoRepeatBar", 90, "EchoRepeatPane", "8"),
    Bar(0x0407, "EchoRPreDelayBar", 50, "EchoRPreDelayPane", "8"),
    Bar(0x0408, "EchoRTimeBar", 100, "EchoRTimePane", "10"),
    Select(0x0409, "EchoHPTypeBox", 12, "20"),
    Bar(0x040A, "EchoHPFreBar", 361, "EchoHPFrePane", "6"),
    Select(0x040B, "EchoLPTypeBox", 12, "21"),
    Bar(0x040C, "EchoLPFreBar", 361, "EchoLPFrePane", "6"),
    Example(0x040D),
    Bar(0x0500, "RvbEffLevelBar", 100, "RvbEffLevelPane", "8"),
    Toggle(0x0501, "RvbEffPhaseBtn"),
    Bar(0x0502, "RvbDirectLevelBar", 100, "RvbDirectLevelPane", "8"),
    Toggle(0x0503, "RvbDirectPhaseBtn"),
    Bar(0x0504, "RvbPreDelayBar", 100, "RvbPreDelayPane", "11"),
    Bar(0x0505, "RvbTimeBar", 80, "RvbTimePane", "12"),
    Select(0x0506, "RvbHPTypeBox", 12, "20"),
    Bar(0x0507, "RvbHPFreBar", 361, "RvbHPFrePane", "6"),
    Select(0x0508, "RvbLPTypeBox", 12, "21"),
    Bar(0x0509, "RvbLPFreBar", 361, "RvbLPFrePane", "6"),
    Example(0x050A),
    Bar(0x0600, "MainMusLevelBar", 200, "MainMusLevelPane", "9"),
    Toggle(0x0601, "MainMusPhaseBtn"),
    Bar(0x0602, "MainMicLevelBar", 200, "MainMicLevelPane", "9"),
    Toggle(0x0603, "MainMicPhaseBtn"),
    Bar(0x0604, "MainEchoALevelBar", 200, "MainEchoALevelPane", "9"),
    Toggle(0x0605, "MainEchoAPhaseBtn"),
    Bar(0x0606, "MainEchoBLevelBar", 200, "MainEchoBLevelPane", "9"),
    Toggle(0x0607, "MainEchoBPhaseBtn"),
    Bar(0x0608, "MainRvbLevelBar", 200, "MainRvbLevelPane", "9"),
    Toggle(0x0609, "MainRvbPhaseBtn"),
    Bar(0x060A, "MainLdelayBar", 500, "MainLdelayPane", "18"),
    Toggle(0x060B, "MainLmuteBtn"),
    Bar(0x060C, "MainRmsLevelBar", 34, "MainRmsLevelPane", "14"),
    Bar(0x060D, "MainRmsAttackBar", 19, "MainRmsAttackPane", "17"),
    Bar(0x060E, "MainRmsReleaseBar", 7, "MainRmsReleasePane", "16"),
    Bar(0x060F, "MainRmsRatioBar", 40, "MainRmsRatioPane", "15"),
    Select(0x0610, "MainHPTypeBox", 12, "20"),
    Bar(0x0611, "MainMusHPFreBar", 361, "MainMusHPFrePane", "6"),
    Select(0x0612, "MainLPTypeBox", 12, "21"),
    Bar(0x0613, "MainMusLPFreBar", 361, "MainMusLPFrePane", "6"),
    Example(0x0614),
    Bar(0x090A, "MainRdelayBar", 500, "MainRdelayPane", "18"),
    Toggle(0x090B, "MainRmuteBtn"),
    Bar(0x0F0A, "MainRdelayBar", 500, "MainRdelayPane", "18"),
    Toggle(0x0F0B, "MainRmuteBtn"),
    Example(0x1900),
    Volume(0x1D00, "SysMicNormalVolBar", "0", "SysMicNormalVolPane"),
    Volume(0x1D01, "SysMusNormalVolBar", "0", "SysMusNormalVolPane"),
    Volume(0x1D02, "SysEffNormalVolBar", "0", "SysEffNormalVolPane"),
    Volume(0x1D03, "SysMicStartVolBar", "1", "SysMicStartVolPane"),
    Volume(0x1D04, "SysMicMaxVolBar", "2", "SysMicMaxVolPane"),
    Volume(0x1D05, "SysMusStartVolBar", "1", "SysMusStartVolPane"),
    Volume(0x1D06, "SysMusMaxVolBar", "2", "SysMusMaxVolPane"),
    Volume(0x1D07, "SysEffStartVolBar", "1", "SysEffStartVolPane"),
    Volume(0x1D08, "SysEffMaxVolBar", "2", "SysEffMaxVolPane"),
    Example(0x1D09),
    Example(0x1E00),
    Example(0x1E01),
    Select(0x1E02, "SysModeBox", 21, ""),
    Select(0x1E03, "SysMusInputLevelBox", 2, ""),
    Example(0x1E04),
    Example(0x1E05),
    Select(0x1E14, "SysInputBox", 3, ""),
};

// Controls bound to several slots end with the address visited last.
ParamAddress ExpectedTag(const SlotExpectation& slot) {
    const QString name = slot.name;
    if (name == "Example") return 0x1E05;
    if (name == "MainRdelayBar") return 0x0F0A;
    if (name == "MainRmuteBtn") return 0x0F0B;
    return slot.address;
}

int MaximumOf(QWidget* control) {
    if (auto* bar = qobject_cast<TrackBar*>(control)) return bar->maximum();
    if (auto* selector = qobject_cast<Selector*>(control)) return selector->count() - 1;
    return 1;  // toggles hold 0 or 1
}

TEST_F(BoundCatalogueTest, EverySlotOfThePagesHasItsControlPaneAndSpinButtons) {
    for (const SlotExpectation& slot : kSlots) {
        SCOPED_TRACE(
            QString("0x%1 %2").arg(slot.address, 4, 16, QChar('0')).arg(slot.name).toStdString());
        QWidget* control = binding().BoundControlOf(slot.address);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->objectName(), slot.name);
        EXPECT_EQ(AddressOf(control), ExpectedTag(slot));
        EXPECT_EQ(PropsOf(control)->hint(), slot.cls == Cls::Example ? "0" : slot.hint);
        switch (slot.cls) {
            case Cls::Bar:
                EXPECT_NE(qobject_cast<TrackBar*>(control), nullptr);
                EXPECT_EQ(qobject_cast<TrackBar*>(control)->minimum(), 0);
                break;
            case Cls::Edit:
            case Cls::Example:
                EXPECT_NE(qobject_cast<ValueEdit*>(control), nullptr);
                break;
            case Cls::Select:
                EXPECT_NE(qobject_cast<Selector*>(control), nullptr);
                break;
            case Cls::Toggle:
                EXPECT_NE(qobject_cast<BitmapButton*>(control), nullptr);
                break;
        }
        if (slot.cls != Cls::Edit && slot.cls != Cls::Example) {
            EXPECT_EQ(MaximumOf(control), slot.maximum);
        }
        QWidget* pane = binding().PaneOf(slot.address);
        if (slot.pane) {
            ASSERT_NE(qobject_cast<StatusPane*>(pane), nullptr);
            EXPECT_EQ(pane->objectName(), slot.pane);
            EXPECT_EQ(PropsOf(pane)->hint(), slot.paneHint);
            EXPECT_EQ(AddressOf(pane), ExpectedTag({slot.address, slot.name, slot.cls}));
        } else {
            EXPECT_EQ(pane, nullptr);
        }
        QWidget* spin = binding().CompanionOf(slot.address, 0);
        if (slot.spin) {
            ASSERT_NE(qobject_cast<SpinButtons*>(spin), nullptr);
            EXPECT_EQ(spin->objectName(), slot.spin);
            EXPECT_EQ(AddressOf(spin), slot.address);
        } else {
            EXPECT_EQ(spin, nullptr);
        }
    }
}

TEST_F(BoundCatalogueTest, SlotsTheCatalogueDoesNotNameStayEmpty) {
    // Music side, second music EQ set, auto/manual, scene, main and surround sides, manager flag.
    for (ParamAddress a : {0x0008, 0x0055, 0x009F, 0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x0300, 0x0700,
                           0x1E08, 0x1C00, 0x0A0A, 0x011F}) {
        EXPECT_EQ(binding().BoundControlOf(a), nullptr) << std::hex << a;
    }
    int bound = 0;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (binding().BoundControlOf(MakeAddress(page, slot))) ++bound;
        }
    }
    // 93 own slots, 64 EQ bands of 5 fields, 3 dynamic-EQ bands of 10 slots.
    EXPECT_EQ(bound, 93 + 64 * 5 + 3 * 10);
}

TEST_F(BoundCatalogueTest, SelectorsListTheirItems) {
    auto* crossover = w().Get<Selector>("MainLPTypeBox");
    ASSERT_EQ(crossover->count(), 13);
    EXPECT_EQ(crossover->itemText(0), "Bypass");
    EXPECT_EQ(crossover->itemText(1), "6dB 1st ");
    EXPECT_EQ(crossover->itemText(2), "12dB Besse");
    EXPECT_EQ(crossover->itemText(12), "36dB Link-Riley");
    const auto items = [](Selector* s) {
        QStringList list;
        for (int i = 0; i < s->count(); ++i) list << s->itemText(i);
        return list;
    };
    EXPECT_EQ(items(w().Get<Selector>("MusModeBox3")),
              QStringList({"BYPSS", "PEQ", "LSEQ", "HSEQ"}));
    EXPECT_EQ(items(w().Get<Selector>("DEQModeBox2")),
              QStringList({"BYpass", "PEQ", "LSEQ", "HSEQ"}));
    EXPECT_EQ(items(w().Get<Selector>("DEQTypeBox1")), QStringList({"Off", "Below", "Above"}));
    EXPECT_EQ(items(w().Get<Selector>("SysInputBox")), QStringList({"Auto", "IN1", "IN2", "OPTI"}));
    EXPECT_EQ(items(w().Get<Selector>("SysMusInputLevelBox")), QStringList({"0dB", "3dB", "6dB"}));
    auto* modes = w().Get<Selector>("SysModeBox");
    EXPECT_EQ(modes->itemText(0), "1-");
    EXPECT_EQ(modes->itemText(21), "22-");
    auto* userModes = w().Get<Selector>("SysModeBox2");
    ASSERT_EQ(userModes->count(), 12);
    EXPECT_EQ(userModes->itemText(0), "5");
    EXPECT_EQ(userModes->itemText(11), "16");
}

struct BandBlockExpectation {
    int page;
    const char* prefix;
    const char* spinPrefix;
    const char* labelPrefix;
    int firstSlot;
    int bands;
    int spinField;
    int labelRow;
};

const BandBlockExpectation kBandBlocks[] = {
    {0, "Mus", "MusQUpDownBtn", "MusEQPointLabel", 10, 15, 3, 0},
    {2, "Mic", "MIcQUpDownBtn", "MicEQPointLabel", 15, 20, 3, 1},
    {4, "Echo", "EchoQUpDownBtn", "EffEQPointLabel", 14, 7, 3, 2},
    {5, "Rvb", "RvbQUpDownBtn", "RvbEQPointLabel", 11, 7, 3, 5},
    {6, "Main", "MainQUpDownBtn", "MainEQPointLabel", 21, 10, 3, 3},
    {25, "Hint", "HintQUpDownBtn", "HintEQPointLabel", 1, 5, 4, 4},
};

QString Named(const char* stem, int n) {
    return QString(stem) + QString::number(n);
}

TEST_F(BoundCatalogueTest, EqBandBlocksBindFiveFieldsPerBand) {
    const int gainBarWidth = w().Get<TrackBar>("MusEQGainBar1")->width();
    for (const BandBlockExpectation& block : kBandBlocks) {
        const QString x = block.prefix;
        for (int n = 1; n <= block.bands; ++n) {
            SCOPED_TRACE((x + QString::number(n)).toStdString());
            const ParamAddress base = MakeAddress(block.page, block.firstSlot + 5 * (n - 1));
            auto* mode = binding().BoundControlAs<Selector>(base);
            ASSERT_NE(mode, nullptr);
            EXPECT_EQ(mode->objectName(), Named(block.prefix, n).insert(x.size(), "ModeBox"));
            EXPECT_EQ(mode->tag(), base);
            EXPECT_EQ(mode->hint(), "1");
            const char* typeNames[] = {"BYBtn", "PEQBtn", "LSQBtn", "HSQBtn"};
            for (int entry = 0; entry < 4; ++entry) {
                auto* type = binding().CompanionAs<TypeLabel>(base, entry);
                ASSERT_NE(type, nullptr);
                EXPECT_EQ(type->objectName(), x + typeNames[entry] + QString::number(n));
                EXPECT_EQ(type->tag(), base);
                EXPECT_EQ(type->hint(), QString::number(entry));
                EXPECT_EQ(type->x(), 1);
            }
            auto* frequency = binding().BoundControlAs<ValueEdit>(base + 1);
            ASSERT_NE(frequency, nullptr);
            EXPECT_EQ(frequency->objectName(), x + "FreEdit" + QString::number(n));
            EXPECT_EQ(frequency->tag(), base + 1);
            EXPECT_EQ(frequency->hint(), "2");
            EXPECT_EQ(binding().CompanionOf(base + 1, 0), nullptr);

            auto* gain = binding().BoundControlAs<ValueEdit>(base + 2);
            ASSERT_NE(gain, nullptr);
            EXPECT_EQ(gain->objectName(), x + "GainEdit" + QString::number(n));
            EXPECT_EQ(gain->hint(), "3");
            auto* gainBar = binding().CompanionAs<TrackBar>(base + 2, 0);
            ASSERT_NE(gainBar, nullptr);
            EXPECT_EQ(gainBar->objectName(), x + "EQGainBar" + QString::number(n));
            EXPECT_EQ(gainBar->tag(), base + 2);
            EXPECT_EQ(gainBar->maximum(), 180);
            EXPECT_EQ(gainBar->width(), gainBarWidth);
            EXPECT_EQ(gainBar->look(), TrackBar::Look::Gain);

            auto* q = binding().BoundControlAs<ValueEdit>(base + 3);
            ASSERT_NE(q, nullptr);
            EXPECT_EQ(q, binding().BoundControlOf(base + 4));
            EXPECT_EQ(q->objectName(), x + "QEdit" + QString::number(n));
            EXPECT_EQ(q->hint(), "4");
            // The second Q field is visited only below the page's slot count.
            const bool secondVisited = SlotOf(base + 4) < PageSlotCount(block.page);
            EXPECT_EQ(q->tag(), secondVisited ? base + 4 : base + 3);

            const ParamAddress spinAt = base + block.spinField;
            auto* spin = binding().CompanionAs<SpinButtons>(spinAt, 0);
            ASSERT_NE(spin, nullptr);
            EXPECT_EQ(spin->objectName(), Named(block.spinPrefix, n));
            EXPECT_EQ(spin->tag(), spinAt);
            EXPECT_EQ(binding().CompanionOf(base + 7 - block.spinField, 0), nullptr);

            BandNumberLabel* label = binding().lists().bandLabels[block.labelRow][n - 1];
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->objectName(), Named(block.labelPrefix, n));
            EXPECT_EQ(label->text(), QString::number(n));
            EXPECT_EQ(label->tag(), block.page);
            EXPECT_EQ(label->hint(), QString::number(block.firstSlot + 1));
        }
        EXPECT_EQ(binding().lists().bandLabels[block.labelRow][block.bands], nullptr);
    }
}

TEST_F(BoundCatalogueTest, DynamicEqBandsBindTenSlotsEach) {
    struct Limiter {
        int offset;
        const char* bar;
        const char* pane;
        int maximum;
        const char* kind;
    };
    const Limiter limiters[] = {{7, "DEQRmsLevelBar", "DEQRmsLevelPane", 60, "20"},
                                {8, "DEQRmsAttackBar", "DEQRmsAttackPane", 19, "17"},
                                {9, "DEQRmsReleaseBar", "DEQRmsReleasePane", 7, "16"},
                                {10, "DEQRmsRatioBar", "DEQRmsRatioPane", 40, "15"}};
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        const ParamAddress base = MakeAddress(1, 10 * (n - 1));
        auto* trigger = binding().BoundControlAs<Selector>(base + 1);
        ASSERT_NE(trigger, nullptr);
        EXPECT_EQ(trigger->objectName(), Named("DEQTypeBox", n));
        EXPECT_FALSE(trigger->isVisibleTo(&w().window));
        EXPECT_EQ(trigger->hint(), "1");
        const char* triggers[] = {"DEQTYpeOffBtn", "DEQTYpeBelowBtn", "DEQTYpeAboveBtn"};
        for (int entry = 0; entry < 3; ++entry) {
            auto* button = binding().CompanionAs<BitmapButton>(base + 1, entry);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->objectName(), Named(triggers[entry], n));
            EXPECT_EQ(button->tag(), entry);  // trigger code, not an address
        }
        EXPECT_EQ(binding().CompanionOf(base + 1, 3), nullptr);

        auto* mode = binding().BoundControlAs<Selector>(base + 2);
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->objectName(), Named("DEQModeBox", n));
        const char* types[] = {"DEQBYBtn", "DEQPEQBtn", "DEQLEQBtn", "DEQHEQBtn"};
        for (int entry = 0; entry < 4; ++entry) {
            auto* type = binding().CompanionAs<TypeLabel>(base + 2, entry);
            ASSERT_NE(type, nullptr);
            EXPECT_EQ(type->objectName(), Named(types[entry], n));
            EXPECT_EQ(type->tag(), base + 2);
            EXPECT_EQ(type->hint(), QString::number(entry));
            EXPECT_NE(type->x(), 1);  // the dynamic-EQ labels keep their row
        }
        EXPECT_EQ(binding().BoundControlOf(base + 3)->objectName(), Named("DEQFreEdit", n));
        EXPECT_EQ(binding().BoundControlOf(base + 4)->objectName(), Named("DEQGainEdit", n));
        auto* gainBar = binding().CompanionAs<TrackBar>(base + 4, 0);
        ASSERT_NE(gainBar, nullptr);
        EXPECT_EQ(gainBar->objectName(), Named("DEQGainBar", n));
        EXPECT_EQ(gainBar->tag(), base + 4);
        EXPECT_NE(gainBar->width(), w().Get<TrackBar>("MusEQGainBar1")->width());
        auto* q = binding().BoundControlAs<ValueEdit>(base + 5);
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(q, binding().BoundControlOf(base + 6));
        EXPECT_EQ(q->tag(), base + 6);
        EXPECT_EQ(binding().CompanionOf(base + 5, 0)->objectName(), Named("DEQQUpDownBtn", n));
        for (const Limiter& limiter : limiters) {
            auto* bar = binding().BoundControlAs<TrackBar>(base + limiter.offset);
            ASSERT_NE(bar, nullptr);
            EXPECT_EQ(bar->objectName(), Named(limiter.bar, n));
            EXPECT_EQ(bar->maximum(), limiter.maximum);
            EXPECT_EQ(bar->tag(), base + limiter.offset);
            QWidget* pane = binding().PaneOf(base + limiter.offset);
            ASSERT_NE(pane, nullptr);
            EXPECT_EQ(pane->objectName(), Named(limiter.pane, n));
            EXPECT_EQ(PropsOf(pane)->hint(), limiter.kind);
        }
        BandNumberLabel* label = binding().lists().bandLabels[8][n - 1];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->objectName(), Named("DEQPointLabel", n));
    }
}

TEST_F(BoundCatalogueTest, FixedListsFollowTheirOrder) {
    const ControlLists& lists = binding().lists();
    for (std::size_t i = 0; i < lists.tabButtons.size(); ++i) {
        EXPECT_EQ(lists.tabButtons[i]->objectName(), kTabButtonNames[i]);
    }
    EXPECT_EQ(lists.effectButtons[2]->objectName(), "RvbToolButton");
    EXPECT_EQ(lists.effectButtons[1]->tag(), 1);
    EXPECT_EQ(lists.hintButtons[1]->objectName(), "HintMicABtn");
    EXPECT_EQ(lists.hintButtons[2]->tag(), 2);
    EXPECT_EQ(lists.modeButtons[3]->objectName(), "SysModeBtn4");
    EXPECT_EQ(lists.modeButtons[3]->tag(), 3);
    EXPECT_EQ(lists.factoryButtons[0]->objectName(), "SysFactoryBtn");
    EXPECT_EQ(lists.factoryButtons[5]->objectName(), "SysFactoryBtn6");
    EXPECT_EQ(lists.factoryButtons[5]->tag(), 21);
    EXPECT_EQ(lists.sideButtons[1]->objectName(), "SameBtn");
    EXPECT_EQ(lists.sceneButtons[2]->objectName(), "CodeModeBtn");
    for (int row : {6, 7}) {
        for (BandNumberLabel* label : lists.bandLabels[row]) EXPECT_EQ(label, nullptr);
    }
}

TEST_F(BoundCatalogueTest, PhaseButtonsAloneAreFifteenPixelsWide) {
    const std::set<QString> phase{"EchoEffPhaseBtn",   "EchoDirectPhaseBtn", "RvbEffPhaseBtn",
                                  "RvbDirectPhaseBtn", "MainMusPhaseBtn",    "MainMicPhaseBtn",
                                  "MainEchoAPhaseBtn", "MainEchoBPhaseBtn",  "MainRvbPhaseBtn"};
    std::set<QString> narrow;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            auto* button = binding().BoundControlAs<BitmapButton>(MakeAddress(page, slot));
            if (button && button->width() == 15) narrow.insert(button->objectName());
        }
    }
    EXPECT_EQ(narrow, phase);
}

TEST_F(BoundCatalogueTest, EverySpinButtonActsOnABoundSlot) {
    std::set<QWidget*> companions;
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (QWidget* c = binding().CompanionOf(MakeAddress(page, slot), 0))
                companions.insert(c);
        }
    }
    int spins = 0;
    for (QWidget* control : w().registry.InCreationOrder()) {
        if (!qobject_cast<SpinButtons*>(control)) continue;
        ++spins;
        EXPECT_TRUE(companions.count(control)) << control->objectName().toStdString();
    }
    EXPECT_EQ(spins, 67 + 3);  // one per EQ band, three music input volumes
}

TEST_F(BoundCatalogueTest, NamesAreUniqueAcrossTheWindow) {
    std::set<QString> names;
    for (QWidget* child : w().window.findChildren<QWidget*>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith("qt_")) continue;
        EXPECT_TRUE(names.insert(child->objectName()).second) << child->objectName().toStdString();
    }
}

}  // namespace
}  // namespace zt

namespace zt {
namespace {

TEST(EqPassSlotTest, IsTheSlotBeforeThePagesFirstBand) {
    const std::pair<int, int> cases[] = {{0, 9},  {2, 14}, {3, 14},  {4, 13},  {24, 13},
                                         {5, 10}, {6, 20}, {15, 20}, {23, 20}, {25, 0},
                                         {27, 0}, {1, -1}, {28, -1}, {29, -1}, {30, -1}};
    for (auto [page, slot] : cases) EXPECT_EQ(catalogue::EqPassSlot(page), slot) << page;
}

}  // namespace
}  // namespace zt
