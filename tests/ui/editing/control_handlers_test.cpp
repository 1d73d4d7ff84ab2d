// The handlers of selectors, type labels, trigger, phase, mute, EQ pass and auto / manual
// buttons, and the system switches: what they write and how the buttons look afterwards.
#include <gtest/gtest.h>

#include <QTest>

#include "tests/ui/editing/editing_rig.h"

namespace zt::test {
namespace {

class ControlHandlersTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Link()); }
    void Choose(Selector* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    EditingRig rig;
};

TEST_F(ControlHandlersTest, ShelvingTypeShowsItsOwnQWithinItsLimit) {
    rig.model.StoreValue(0x0013, 50);  // band 2's shelving Q, beyond what a shelf allows
    Choose(rig.Get<Selector>("MusModeBox2"), 2);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x000F, 2}}));
    auto* q = rig.Get<ValueEdit>("MusQEdit2");
    EXPECT_EQ(rig.editor->editorState().currentValueEdit, q);
    EXPECT_EQ(q->text(), "1.60");
    EXPECT_EQ(rig.model.store().Get(0x0013), 24);
    EXPECT_EQ(rig.editor->lastWritten(), (LastWrittenParameter{0x000F, 2}));
    EXPECT_TRUE(rig.Get<TypeLabel>("MusLSQBtn2")->chosenLook());
    EXPECT_FALSE(rig.Get<TypeLabel>("MusPEQBtn2")->chosenLook());
    // Back to PEQ: the Q edit edits field 3 again, with its full range.
    Choose(rig.Get<Selector>("MusModeBox2"), 1);
    EXPECT_EQ(q->text(), "1.00");
    QTest::keyClick(q, Qt::Key_Up);
    EXPECT_EQ(rig.TakeWrites().back(), (Received{0x0012, 17}));
}

TEST_F(ControlHandlersTest, TypeLabelChoosesTheBandType) {
    QTest::mouseClick(rig.Get<TypeLabel>("MusBYBtn3"), Qt::LeftButton);
    QTest::mouseClick(rig.Get<TypeLabel>("MusPEQBtn3"), Qt::LeftButton);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0014, 0}, {0x0014, 1}}));
    EXPECT_EQ(rig.Get<Selector>("MusModeBox3")->currentIndex(), 1);
    auto* chosen = rig.Get<TypeLabel>("MusPEQBtn3");
    EXPECT_TRUE(chosen->chosenLook());
    EXPECT_EQ(chosen->faceColour(), QColor(Qt::white));
    EXPECT_EQ(chosen->textColour(), QColor(128, 128, 128));
    for (const char* other : {"MusBYBtn3", "MusLSQBtn3", "MusHSQBtn3"}) {
        EXPECT_FALSE(rig.Get<TypeLabel>(other)->chosenLook()) << other;
    }
}

TEST_F(ControlHandlersTest, TriggerButtonsChooseTheDynamicEqTrigger) {
    rig.ChooseTab(kTabDynamicEq);
    QTest::mouseClick(rig.Get<BitmapButton>("DEQTYpeAboveBtn2"), Qt::LeftButton);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x010B, 2}}));
    EXPECT_EQ(rig.Get<Selector>("DEQTypeBox2")->currentIndex(), 2);
    EXPECT_TRUE(rig.Get<BitmapButton>("DEQTYpeAboveBtn2")->showsPressed());
    EXPECT_FALSE(rig.Get<BitmapButton>("DEQTYpeOffBtn2")->showsPressed());
    EXPECT_FALSE(rig.Get<BitmapButton>("DEQTYpeBelowBtn2")->showsPressed());
    EXPECT_EQ(rig.Get<BitmapButton>("DEQTYpeBelowBtn2")->tag(), 1)
        << "trigger buttons keep their tags";
    // The other bands' buttons are left as they were.
    const bool band1 = rig.Get<BitmapButton>("DEQTYpeAboveBtn1")->showsPressed();
    QTest::mouseClick(rig.Get<BitmapButton>("DEQTYpeOffBtn2"), Qt::LeftButton);
    EXPECT_EQ(rig.Get<BitmapButton>("DEQTYpeAboveBtn1")->showsPressed(), band1);
}

TEST_F(ControlHandlersTest, CrossoverTypeIsWrittenAndItsGraphItemRedrawn) {
    rig.model.StoreValue(0x020D, 0);  // the microphones edited one by one
    rig.ChooseTab(kTabMicA);
    rig.ChooseTab(kTabMicB);
    ASSERT_EQ(rig.model.selection().micPage, 3);
    rig.redraw.calls.clear();
    Choose(rig.Get<Selector>("MicLPTypeBox"), 3);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x030B, 3}}));  // MIC B's page
    ASSERT_EQ(rig.redraw.calls.size(), 1u);
    EXPECT_EQ(rig.redraw.calls[0], (std::pair<int, int>{21, 2}));
    rig.ChooseTab(kTabMicA);
    rig.redraw.calls.clear();
    Choose(rig.Get<Selector>("MicLPTypeBox"), 3);
    Choose(rig.Get<Selector>("MicHPTypeBox"), 5);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x020B, 3}, {0x0209, 5}}));
    EXPECT_EQ(rig.redraw.calls.back(), (std::pair<int, int>{20, 2}));
}

TEST_F(ControlHandlersTest, PlainSelectorWritesItsItem) {
    Choose(rig.Get<Selector>("SysInputBox"), 2);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x1E14, 2}}));
}

TEST_F(ControlHandlersTest, PhaseAndMuteButtonsToggle) {
    rig.ChooseTab(kTabEffect);
    auto* phase = rig.Get<BitmapButton>("EchoEffPhaseBtn");
    rig.editor->looks().toggles.Set(phase, false);
    QTest::mouseClick(phase, Qt::LeftButton);
    EXPECT_TRUE(phase->showsPressed());
    QTest::mouseClick(phase, Qt::LeftButton);
    EXPECT_FALSE(phase->showsPressed());
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0401, 1}, {0x0401, 0}}));

    rig.model.StoreValue(0x00A0, 1);
    rig.ChooseTab(kTabSurround);  // surround left, scene 0: page 12
    auto* mute = rig.Get<BitmapButton>("MainLmuteBtn");
    const int before = rig.model.image().Get(MakeAddress(12, 11));
    QTest::mouseClick(mute, Qt::LeftButton);
    EXPECT_EQ(rig.TakeWrites(),
              (std::vector<Received>{{MakeAddress(12, 11), before == 0 ? 1 : 0}}));
    // The right mute of a stereo output stands for the right side's page.
    QTest::mouseClick(rig.Get<BitmapButton>("MainRmuteBtn"), Qt::LeftButton);
    const std::vector<Received> right = rig.TakeWrites();
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(right[0].address, MakeAddress(15, 11));
}

TEST_F(ControlHandlersTest, EqPassShowsTheLabelAndLocksTheReset) {
    auto* pass = rig.Get<BitmapButton>("MusEQAllpassBtn");
    ASSERT_EQ(pass->tag(), 0x0009);
    ASSERT_TRUE(rig.Get<BitmapButton>("EQResetBtn")->isEnabled());
    QTest::mouseClick(pass, Qt::LeftButton);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0009, 1}}));
    EXPECT_FALSE(rig.Get<QLabel>("EQPassLabel")->isHidden());
    EXPECT_FALSE(rig.Get<BitmapButton>("EQResetBtn")->isEnabled());
    QTest::mouseClick(pass, Qt::LeftButton);
    EXPECT_TRUE(rig.Get<QLabel>("EQPassLabel")->isHidden());
    EXPECT_TRUE(rig.Get<BitmapButton>("EQResetBtn")->isEnabled());
}

TEST_F(ControlHandlersTest, AutomaticModeDisablesTheOutputControls) {
    rig.model.StoreValue(0x00A0, 1);
    rig.ChooseTab(kTabMain);
    QTest::mouseClick(rig.Get<BitmapButton>("AutoModeBtn"), Qt::LeftButton);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x00A0, 0}}));
    EXPECT_EQ(rig.channel.manualFlag, 0);
    for (const char* name :
         {"MainMusLevelBar", "MainLdelayBar", "MainRmsLevelBar", "SingModeBtn", "DiscoModeBtn",
          "CodeModeBtn", "AutoModeBtn", "MainLmuteBtn", "MainRdelayBar", "OutLimiteGroup",
          "AdvGroupBox21", "MainPanScrollBar", "CopyGrop", "EQPassGrop", "EQResetBtn"}) {
        EXPECT_FALSE(rig.registry.Find(name)->isEnabled()) << name;
    }
    auto* manual = rig.Get<BitmapButton>("ManulModeBtn");
    EXPECT_TRUE(manual->isEnabled());
    EXPECT_TRUE(rig.Get<BitmapButton>("AutoModeBtn")->showsPressed());
    QTest::mouseClick(manual, Qt::LeftButton);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x00A0, 1}}));
    for (const char* name : {"MainMusLevelBar", "SingModeBtn", "CopyGrop", "EQResetBtn"}) {
        EXPECT_TRUE(rig.registry.Find(name)->isEnabled()) << name;
    }
    // On the music page the side and EQ pass groups stay usable in automatic mode.
    QTest::mouseClick(rig.Get<BitmapButton>("AutoModeBtn"), Qt::LeftButton);
    rig.ChooseTab(kTabMusic);
    EXPECT_TRUE(rig.registry.Find("CopyGrop")->isEnabled());
    EXPECT_FALSE(rig.registry.Find("MainMusLevelBar")->isEnabled());
}

// The darkest grey level of what a widget draws: its text, for a label.
int DarkestGrey(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    return darkest;
}

TEST_F(ControlHandlersTest, CaptionsOfDisabledControlsLookDisabled) {
    rig.model.StoreValue(0x00A0, 1);
    rig.ChooseTab(kTabMain);
    auto* leftDelay = rig.Get<QLabel>("OutLDelayLabel");
    auto* rightDelay = rig.Get<QLabel>("Label157");
    const int enabledInk = DarkestGrey(leftDelay);
    QTest::mouseClick(rig.Get<BitmapButton>("AutoModeBtn"), Qt::LeftButton);
    // Every caption on the output sheet greys out with its control, grouped or not.
    QWidget* sheet = rig.registry.Find("AdvTabSheet4_Main");
    int captions = 0;
    for (SwappingLabel* label : sheet->findChildren<SwappingLabel*>()) {
        if (!label->isVisibleTo(sheet) || label->text().trimmed().isEmpty()) continue;
        ++captions;
        EXPECT_FALSE(label->isEnabled()) << label->objectName().toStdString();
    }
    EXPECT_GE(captions, 10);
    EXPECT_FALSE(rightDelay->isEnabled());
    EXPECT_GT(DarkestGrey(leftDelay), enabledInk + 40) << "drawn in the disabled grey";
    QTest::mouseClick(rig.Get<BitmapButton>("ManulModeBtn"), Qt::LeftButton);
    EXPECT_TRUE(leftDelay->isEnabled());
    EXPECT_TRUE(rightDelay->isEnabled());
    EXPECT_EQ(DarkestGrey(leftDelay), enabledInk);
}

TEST_F(ControlHandlersTest, AutomaticModeGreysTheDelayFieldsWithTheirBars) {
    rig.model.StoreValue(0x00A0, 1);
    for (int tab : {kTabMain, kTabSurround, kTabCenter, kTabSub}) {
        rig.ChooseTab(tab);
        QTest::mouseClick(rig.Get<BitmapButton>("ManulModeBtn"), Qt::LeftButton);
        auto* left = rig.Get<QWidget>("MainLdelayPane");
        auto* right = rig.Get<QWidget>("MainRdelayPane");
        const int enabledInk = DarkestGrey(left);
        EXPECT_TRUE(left->isEnabled() && right->isEnabled()) << tab;
        QTest::mouseClick(rig.Get<BitmapButton>("AutoModeBtn"), Qt::LeftButton);
        for (QWidget* pane : {left, right}) {
            EXPECT_FALSE(pane->isEnabled()) << tab << pane->objectName().toStdString();
        }
        // Drawn as grey as the captions beside them, not as a field waiting for a value.
        EXPECT_GT(DarkestGrey(left), enabledInk + 40) << tab;
        rig.TakeWrites();
    }
}

TEST_F(ControlHandlersTest, SystemSwitchesWriteTheChosenSide) {
    auto* manager = rig.Get<BitmapButton>("SysManagerBtn");
    auto* user = rig.Get<BitmapButton>("SysUserBtn");
    rig.registry.Find("SysUserMangerGrop")->setEnabled(true);
    QTest::mouseClick(manager, Qt::LeftButton);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x1E08, 1}}));
    EXPECT_TRUE(manager->showsPressed());
    EXPECT_FALSE(user->showsPressed());
    EXPECT_TRUE(manager->disabledShowsPressed());
    EXPECT_FALSE(user->disabledShowsPressed());
    EXPECT_FALSE(rig.registry.Find("SysUserMangerGrop")->isEnabled());

    QTest::mouseClick(rig.Get<BitmapButton>("SysPanelBtn2"), Qt::LeftButton);
    QTest::mouseClick(rig.Get<BitmapButton>("SysVolRunBtn1"), Qt::LeftButton);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x1E04, 1}, {0x1D09, 0}}));
    EXPECT_TRUE(rig.Get<BitmapButton>("SysPanelBtn2")->showsPressed());
    EXPECT_FALSE(rig.Get<BitmapButton>("SysPanelBtn1")->showsPressed());
}

}  // namespace
}  // namespace zt::test
