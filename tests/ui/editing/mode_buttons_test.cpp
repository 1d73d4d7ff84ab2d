// Scene, side, EQ reset, effect sub-page and hint path buttons, and the system volume bars: what
// they write, which processor page the shared controls show afterwards.
#include <gtest/gtest.h>

#include <QTest>

#include "tests/ui/editing/editing_rig.h"

namespace zt::test {
namespace {

class ModeButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.Link());
        // Manual output mode, every side edited on its own, scene 0.
        for (ParamAddress a : {0x0008, 0x020D, 0x00A2, 0x00A3, 0x00A1}) rig.model.StoreValue(a, 0);
        rig.model.StoreValue(0x00A0, 1);
        rig.ChooseTab(kTabMusic);
        rig.TakeWrites();
    }
    void Click(const char* name) { QTest::mouseClick(rig.Get<QWidget>(name), Qt::LeftButton); }
    EditingRig rig;
};

TEST_F(ModeButtonsTest, SceneMovesTheOutputControlsToThatScenesPage) {
    rig.model.image().Set(7, 0, 77);  // main left, disco: music level
    rig.ChooseTab(kTabMain);
    ASSERT_EQ(rig.model.selection().outputPage, 6);
    Click("DiscoModeBtn");
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x00A1, 1}}));
    EXPECT_EQ(rig.model.selection().outputScene, 1);
    EXPECT_EQ(rig.model.selection().outputPage, 7);
    EXPECT_EQ(rig.Get<TrackBar>("MainMusLevelBar")->value(), 77);
    EXPECT_EQ(rig.Get<StatusPane>("MainMusLevelPane")->caption(), "77%");
    EXPECT_TRUE(rig.Get<BitmapButton>("DiscoModeBtn")->showsPressed());
    EXPECT_FALSE(rig.Get<BitmapButton>("SingModeBtn")->showsPressed());
    // An edit now lands in the disco scene.
    rig.Get<TrackBar>("MainMusLevelBar")->setValue(80);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{MakeAddress(7, 0), 80}}));
}

TEST_F(ModeButtonsTest, MusicSidesCopyTheLeftSetAndShowTheRightOne) {
    DeviceImage& image = rig.model.image();
    Click("SameBtn");
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0008, 1}}));
    EXPECT_EQ(rig.model.selection().musicEqSet, 1);
    EXPECT_TRUE(rig.Get<BitmapButton>("SameBtn")->showsPressed());
    for (int slot = 10; slot <= 84; ++slot) EXPECT_EQ(image.Get(0, slot + 75), image.Get(0, slot));

    rig.Get<TrackBar>("MusEQGainBar1")->setValue(150);  // together: edits the left set
    rig.TakeWrites();
    const int beyond = image.Get(0, 160);
    Click("RightBtn");
    EXPECT_EQ(image.Get(0, 87), 150) << "the left set is copied before the right side is shown";
    EXPECT_EQ(image.Get(0, 160), beyond) << "the copy stops at the last band";
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0008, 0}}));
    EXPECT_EQ(rig.model.selection().musicEqSet, 2);
    EXPECT_TRUE(rig.Get<BitmapButton>("RightBtn")->showsPressed());
    EXPECT_FALSE(rig.Get<BitmapButton>("SameBtn")->showsPressed());
    // The band controls now edit the right set.
    rig.Get<TrackBar>("MusEQGainBar1")->setValue(100);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0057, 100}}));
    EXPECT_EQ(image.Get(0, 12), 150);
    // A refresh keeps the right side.
    rig.ChooseTab(kTabMusic);
    EXPECT_EQ(rig.model.selection().musicEqSet, 2);
    EXPECT_EQ(rig.Get<ValueEdit>("MusGainEdit1")->text(), "-4.0dB");
}

TEST_F(ModeButtonsTest, MicrophoneRightShowsMicB) {
    rig.ChooseTab(kTabMicA);
    rig.model.image().Set(3, 0x08, 33);
    Click("RightBtn");
    // The side switch is written through the microphone shown by then: MIC B's page.
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x030D, 0}}));
    EXPECT_EQ(rig.model.store().Get(0x020D), 0);
    EXPECT_EQ(rig.channel.currentTab, kTabMicB);
    EXPECT_EQ(rig.model.selection().micPage, 3);
    EXPECT_EQ(rig.channel.micSide, kSideRight);
    EXPECT_EQ(rig.Get<TrackBar>("MicRmsRatioBar")->value(), 33);
    Click("SameBtn");  // together: B takes A's bands
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x020D, 1}}));
    EXPECT_EQ(rig.channel.currentTab, kTabMicA);
    EXPECT_EQ(rig.model.selection().micPage, 2);
    for (int slot = 15; slot < 114; ++slot) {
        EXPECT_EQ(rig.model.image().Get(3, slot), rig.model.image().Get(2, slot)) << slot;
    }
}

TEST_F(ModeButtonsTest, MainRightInSceneTwoShowsItsPage) {
    rig.ChooseTab(kTabMain);
    Click("CodeModeBtn");
    Click("RightBtn");
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x00A1, 2}, {0x00A2, 0}}));
    EXPECT_EQ(rig.model.selection().outputPage, 11);
    // Delay and mute of the right side sit on the right side's own page.
    EXPECT_EQ(rig.Get<TrackBar>("MainRdelayBar")->tag(), 0x090A);
    rig.Get<TrackBar>("MainRdelayBar")->setValue(123);
    rig.Get<TrackBar>("MainMusLevelBar")->setValue(55);
    EXPECT_EQ(rig.TakeWrites(),
              (std::vector<Received>{{MakeAddress(11, 10), 123}, {MakeAddress(11, 0), 55}}));
    EXPECT_EQ(rig.Get<StatusPane>("MainRdelayPane")->caption(), "12.3ms");
}

TEST_F(ModeButtonsTest, EqResetSendsTheSetShown) {
    Click("RightBtn");
    rig.TakeWrites();
    Click("EQResetBtn");
    rig.Run(3000);  // paced: one frame per acknowledgement
    const std::vector<Received> writes = rig.TakeWrites();
    ASSERT_EQ(writes.size(), 75u);
    EXPECT_EQ(writes.front(), (Received{0x0055, 1}));
    EXPECT_EQ(writes.back(), (Received{0x009F, 10}));
    EXPECT_EQ(rig.sim.memory().Get(0, 0x56), 2);  // band 1's default frequency
}

TEST_F(ModeButtonsTest, EffectSubPagesShowTheirPages) {
    rig.model.image().Set(24, 0, 33);
    rig.model.image().Set(5, 0, 44);
    rig.ChooseTab(kTabEffect);
    Click("EchoBToolButton");
    EXPECT_EQ(rig.channel.selectedChannel, 0x0402);
    EXPECT_EQ(rig.model.selection().effectPage, 24);
    EXPECT_EQ(rig.Get<TrackBar>("EchoEffLevelBar")->value(), 33);
    EXPECT_TRUE(rig.Get<SwappingToolButton>("EchoBToolButton")->selectedLook());
    EXPECT_FALSE(rig.Get<SwappingToolButton>("EchoAToolButton")->selectedLook());
    rig.Get<TrackBar>("EchoTimeBar")->setValue(100);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{MakeAddress(24, 5), 100}}));

    Click("RvbToolButton");
    EXPECT_EQ(rig.channel.selectedChannel, 0x0502);
    EXPECT_EQ(rig.Get<QStackedWidget>("EffPageControl")->currentIndex(), 1);
    EXPECT_EQ(rig.Get<TrackBar>("RvbEffLevelBar")->value(), 44);
    // The effect tab comes back to the sub-page used last.
    rig.ChooseTab(kTabMusic);
    rig.ChooseTab(kTabEffect);
    EXPECT_EQ(rig.channel.selectedChannel, 0x0502);
    EXPECT_EQ(rig.model.selection().effectPage, 5);
}

TEST_F(ModeButtonsTest, HintPathsEditTheirOwnPage) {
    rig.ChooseTab(kTabHint);
    Click("HintMicBBtn");
    EXPECT_EQ(rig.model.selection().hiddenPage, 27);
    EXPECT_EQ(rig.channel.selectedChannel, 0x1904);
    rig.Get<TrackBar>("HintEQGainBar2")->setValue(130);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{MakeAddress(27, 8), 130}}));
}

TEST_F(ModeButtonsTest, NormalVolumeRisesOneStepPerChange) {
    auto* bar = rig.Get<TrackBar>("SysMusNormalVolBar");
    bar->setValue(10);
    bar->setValue(9);
    bar->setValue(10);
    rig.TakeWrites();
    bar->setValue(40);
    EXPECT_EQ(bar->value(), 11);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x1D01, 11}}));
    EXPECT_EQ(rig.Get<StatusPane>("SysMusNormalVolPane")->caption(), "11");
    bar->setValue(5);
    EXPECT_EQ(bar->value(), 5);
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x1D01, 5}}));
}

TEST_F(ModeButtonsTest, MaximumVolumePullsStartAndNormalDown) {
    auto* normal = rig.Get<TrackBar>("SysMusNormalVolBar");
    auto* start = rig.Get<TrackBar>("SysMusStartVolBar");
    auto* maximum = rig.Get<TrackBar>("SysMusMaxVolBar");
    maximum->setValue(84);
    start->setValue(50);
    EXPECT_EQ(rig.Get<RangeHandle>("MusStartImage")->x(), 148);  // 147.5 to even
    EXPECT_EQ(rig.Get<QLabel>("musLabel")->text(), "50");
    for (int v = normal->value(); v < 40; ++v) normal->setValue(v + 1);
    rig.TakeWrites();
    maximum->setValue(30);
    EXPECT_EQ(start->value(), 30);
    EXPECT_EQ(normal->value(), 30);
    EXPECT_EQ(rig.Get<RangeHandle>("MusMaxImage")->x(),
              static_cast<int>(std::nearbyint(30 * 1.89 + 53)));
    const std::vector<Received> writes = rig.TakeWrites();
    for (ParamAddress a : {0x1D05, 0x1D01, 0x1D06}) {
        EXPECT_NE(std::find(writes.begin(), writes.end(), Received{a, 30}), writes.end()) << a;
    }
    // A start volume above the maximum is pulled back down.
    start->setValue(60);
    EXPECT_EQ(start->value(), 30);
}

}  // namespace
}  // namespace zt::test
