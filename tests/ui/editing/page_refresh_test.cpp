// The page refresh: after a download or a page switch every control shows the stored value of
// the page it stands for, and nothing of it is sent to the processor.
#include <gtest/gtest.h>

#include <QTest>
#include <array>

#include "params/page_table.h"
#include "params/value_scales.h"
#include "tests/ui/editing/editing_rig.h"

namespace zt::test {
namespace {

class PageRefreshTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Link()); }
    EditingRig rig;
};

QString Text(int kind, int raw) {
    return QString::fromStdString(FormatValueText(kind, raw));
}

TEST_F(PageRefreshTest, DownloadShowsTheProcessorsValues) {
    const PageMemory& memory = rig.sim.memory();
    EXPECT_EQ(rig.Get<TrackBar>("MusHPFREBar")->value(), memory.Get(0, 5));
    EXPECT_EQ(rig.Get<StatusPane>("MusHPFREPane")->caption(), Text(6, memory.Get(0, 5)));
    EXPECT_EQ(rig.Get<Selector>("MusHPTypeBox")->currentIndex(), memory.Get(0, 4));
    EXPECT_EQ(rig.Get<ValueEdit>("MusGain1Edit")->text(), Text(5, memory.Get(0, 0)));
    for (int band = 1; band <= 15; ++band) {
        const int slot = 10 + 5 * (band - 1);
        const QString n = QString::number(band);
        const std::string at = "band " + std::to_string(band);
        EXPECT_EQ(rig.registry.Get<Selector>("MusModeBox" + n)->currentIndex(), memory.Get(0, slot))
            << at;
        EXPECT_EQ(rig.registry.Get<ValueEdit>("MusFreEdit" + n)->text(),
                  Text(2, memory.Get(0, slot + 1)))
            << at;
        EXPECT_EQ(rig.registry.Get<ValueEdit>("MusGainEdit" + n)->text(),
                  Text(3, memory.Get(0, slot + 2)))
            << at;
        EXPECT_EQ(rig.registry.Get<TrackBar>("MusEQGainBar" + n)->value(), memory.Get(0, slot + 2))
            << at;
        const int q = memory.Get(0, slot) < 2 ? memory.Get(0, slot + 3) : memory.Get(0, slot + 4);
        EXPECT_EQ(rig.registry.Get<ValueEdit>("MusQEdit" + n)->text(), Text(4, q)) << at;
        EXPECT_TRUE(rig.registry
                        .Get<TypeLabel>(QString::fromLatin1(std::array{
                                            "MusBYBtn", "MusPEQBtn", "MusLSQBtn",
                                            "MusHSQBtn"}[std::min(memory.Get(0, slot), 3)]) +
                                        n)
                        ->chosenLook())
            << at;
    }
    for (int slot = 0; slot < 9; ++slot) {
        EXPECT_EQ(rig.registry
                      .Get<TrackBar>(std::array{
                          "SysMicNormalVolBar", "SysMusNormalVolBar", "SysEffNormalVolBar",
                          "SysMicStartVolBar", "SysMicMaxVolBar", "SysMusStartVolBar",
                          "SysMusMaxVolBar", "SysEffStartVolBar", "SysEffMaxVolBar"}[slot])
                      ->value(),
                  memory.Get(29, slot))
            << slot;
    }
    EXPECT_EQ(rig.Get<Selector>("SysModeBox")->currentIndex(), rig.sim.currentMode());
    EXPECT_EQ(rig.Get<Selector>("SysModeBox")->count(), 22);
    // Showing the values changed none of them.
    for (int page = 0; page < 30; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            EXPECT_EQ(rig.model.image().Get(page, slot), memory.Get(page, slot))
                << page << "/" << slot;
        }
    }
}

TEST_F(PageRefreshTest, RefreshSendsNothingAndShowsAStoredMuteAsOn) {
    rig.model.image().Set(6, 11, 5);
    rig.model.image().Set(6, 1, 0);
    rig.ChooseTab(kTabMain);
    rig.editor->RefreshPage(kAllPages);
    EXPECT_TRUE(rig.TakeWrites().empty());
    auto* mute = rig.Get<BitmapButton>("MainLmuteBtn");
    EXPECT_TRUE(rig.editor->looks().toggles.IsOn(mute));
    EXPECT_TRUE(mute->showsPressed());
    EXPECT_EQ(rig.model.store().Get(0x060B), 1);
    EXPECT_EQ(rig.model.image().Get(6, 11), 1);
    EXPECT_FALSE(rig.Get<BitmapButton>("MainMusPhaseBtn")->showsPressed());
    EXPECT_FALSE(rig.engine.suppressSend());
    EXPECT_FALSE(rig.path.showing());
    EXPECT_FALSE(rig.editor->editorState().refreshInProgress);
    // The redraw comes once, at the end, for the page shown.
    rig.redraw.calls.clear();
    rig.editor->RefreshPage(kAllPages);
    EXPECT_EQ(rig.redraw.calls, (std::vector<std::pair<int, int>>{{100, 6}}));
}

TEST_F(PageRefreshTest, StoredQBeyondItsScaleIsReduced) {
    rig.model.image().Set(0, 10, 1);    // band 1 PEQ
    rig.model.image().Set(0, 13, 150);  // with a Q index past the table
    rig.editor->RefreshPage(0);
    EXPECT_EQ(rig.model.store().Get(0x000D), 100);
    EXPECT_EQ(rig.Get<ValueEdit>("MusQEdit1")->text(), "128.00");
    EXPECT_TRUE(rig.TakeWrites().empty());
}

TEST_F(PageRefreshTest, SlotsWithoutAControlOfTheirOwnLeaveOtherSlotsAlone) {
    // The hidden edit carries the address of the last slot bound to it; showing the EQ pass
    // slot in it must not move that value there.
    rig.model.image().Set(0, 9, 1);
    rig.model.image().Set(30, 5, 1234);
    rig.editor->RefreshPage(0);
    EXPECT_EQ(rig.model.image().Get(30, 5), 1234);
    EXPECT_EQ(rig.model.store().Get(0x1E05), 1234);
}

TEST_F(PageRefreshTest, DynamicEqGainKeepsItsFloorWhateverChannelIsShown) {
    rig.model.image().Set(1, 4, 10);
    rig.editor->RefreshPage(kAllPages);  // on the music tab
    EXPECT_EQ(rig.Get<ValueEdit>("DEQGainEdit1")->text(), "-12.0dB");
    EXPECT_EQ(rig.model.store().Get(0x0104), 60);
    EXPECT_EQ(rig.Get<TrackBar>("DEQGainBar1")->value(), 60);
    EXPECT_TRUE(rig.TakeWrites().empty());
}

TEST_F(PageRefreshTest, SubLevelsShowTwiceTheirValue) {
    rig.model.image().Set(21, 0, 60);
    rig.model.image().Set(18, 0, 60);
    rig.ChooseTab(kTabCenter);
    EXPECT_EQ(rig.Get<StatusPane>("MainMusLevelPane")->caption(), "60%");
    rig.ChooseTab(kTabSub);
    EXPECT_EQ(rig.Get<StatusPane>("MainMusLevelPane")->caption(), "120%");
}

TEST_F(PageRefreshTest, SidesAndModeFollowTheStore) {
    rig.model.image().Set(0, 8, 1);     // music together
    rig.model.image().Set(0, 0xA0, 0);  // automatic outputs
    rig.model.image().Set(0, 0xA1, 7);  // no such scene
    rig.editor->RefreshPage(kAllPages);
    EXPECT_EQ(rig.model.selection().musicEqSet, 1);
    EXPECT_TRUE(rig.Get<BitmapButton>("SameBtn")->showsPressed());
    EXPECT_EQ(rig.channel.manualFlag, 0);
    EXPECT_TRUE(rig.Get<BitmapButton>("AutoModeBtn")->showsPressed());
    EXPECT_EQ(rig.model.selection().outputScene, 0);
    EXPECT_TRUE(rig.Get<BitmapButton>("SingModeBtn")->showsPressed());
    // A right side survives a refresh; together left by the store returns to the left.
    rig.model.selection().musicEqSet = 2;
    rig.model.image().Set(0, 8, 0);
    rig.editor->RefreshPage(3);  // a page without controls still runs the later steps
    EXPECT_EQ(rig.model.selection().musicEqSet, 2);
    rig.model.selection().musicEqSet = 1;
    rig.editor->RefreshPage(3);
    EXPECT_EQ(rig.model.selection().musicEqSet, 0);
    EXPECT_TRUE(rig.TakeWrites().empty());
}

TEST_F(PageRefreshTest, SystemSwitchesAndModeButtonsShowTheStore) {
    rig.model.image().Set(30, 8, 1);
    rig.model.image().Set(30, 4, 0);
    rig.model.image().Set(29, 9, 1);
    rig.model.image().Set(30, 2, 17);  // factory mode MF2
    rig.registry.Find("SysUserMangerGrop")->setEnabled(true);
    rig.editor->RefreshPage(kAllPages);
    EXPECT_TRUE(rig.Get<BitmapButton>("SysManagerBtn")->showsPressed());
    EXPECT_TRUE(rig.Get<BitmapButton>("SysPanelBtn1")->showsPressed());
    EXPECT_TRUE(rig.Get<BitmapButton>("SysVolRunBtn2")->showsPressed());
    EXPECT_FALSE(rig.registry.Find("SysUserMangerGrop")->isEnabled());
    EXPECT_EQ(rig.Get<Selector>("SysModeBox")->currentIndex(), 17);
    EXPECT_TRUE(rig.Get<BitmapButton>("SysFactoryBtn2")->showsPressed());
    EXPECT_FALSE(rig.Get<BitmapButton>("SysModeBtn1")->showsPressed());
    rig.model.image().Set(30, 2, 6);
    rig.editor->RefreshPage(kAllPages);
    EXPECT_EQ(rig.Get<Selector>("SysModeBox2")->currentIndex(), 2);
    EXPECT_FALSE(rig.Get<BitmapButton>("SysFactoryBtn2")->showsPressed());
    EXPECT_TRUE(rig.TakeWrites().empty());
}

}  // namespace
}  // namespace zt::test
