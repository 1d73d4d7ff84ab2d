// The selection part of choosing a tab: which processor pages the shared controls stand for,
// and the channel each tab yields.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "ui/state/channel_state.h"

namespace zt {
namespace {

struct Case {
    const char* what;
    int tab;
    // Before.
    int micSide, mainSide, surroundSide, scene, effectPage;
    // After.
    int channel, micPage, outputPage, micSideAfter;
};

class ChannelChoiceOfTab : public ::testing::TestWithParam<Case> {};

TEST_P(ChannelChoiceOfTab, MovesTheSharedPagesAndReturnsTheChannel) {
    const Case& c = GetParam();
    ChannelState channel;
    channel.micSide = c.micSide;
    channel.mainSide = c.mainSide;
    channel.surroundSide = c.surroundSide;
    SelectionState selection;
    selection.outputScene = c.scene;
    selection.effectPage = c.effectPage;
    selection.outputPage = 6;
    selection.micPage = 2;

    EXPECT_EQ(ChooseChannel(c.tab, channel, selection), c.channel);
    EXPECT_EQ(channel.selectedPage, c.channel / 256);
    EXPECT_EQ(selection.micPage, c.micPage);
    EXPECT_EQ(selection.outputPage, c.outputPage);
    EXPECT_EQ(channel.micSide, c.micSideAfter);
    EXPECT_EQ(selection.effectPage, c.effectPage) << "the effect page is never changed here";
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, ChannelChoiceOfTab,
    ::testing::Values(
        // what, tab, micSide, mainSide, surroundSide, scene, effectPage,
        //     channel, micPage, outputPage, micSideAfter
        Case{"music", 0, 0, 0, 0, 0, 4, 0x0000, 2, 6, 0},
        Case{"dynamic EQ", 1, 0, 0, 0, 0, 4, 0x0108, 2, 6, 0},
        Case{"MIC B from side A goes to page 3, side B", 3, 0, 0, 0, 0, 4, 0x0201, 3, 6, 2},
        Case{"MIC A from side B goes back to page 2, side A", 2, 2, 0, 0, 0, 4, 0x0201, 2, 6, 0},
        Case{"MIC A with both sides keeps both", 2, 1, 0, 0, 0, 4, 0x0201, 2, 6, 1},
        Case{"MIC B with both sides stays on page 2", 3, 1, 0, 0, 0, 4, 0x0201, 2, 6, 1},
        Case{"effect on echo A", 4, 0, 0, 0, 0, 4, 0x0402, 2, 6, 0},
        Case{"effect on reverb", 4, 0, 0, 0, 0, 5, 0x0502, 2, 6, 0},
        Case{"effect on echo B shows the echo sheet", 4, 0, 0, 0, 0, 24, 0x0402, 2, 6, 0},
        Case{"main, scene 1, right side", 5, 0, 2, 0, 1, 4, 0x0603, 2, 10, 0},
        Case{"main, scene 2, both sides", 5, 0, 1, 0, 2, 4, 0x0603, 2, 8, 0},
        Case{"surround, scene 0, right side", 6, 0, 0, 2, 0, 4, 0x0603, 2, 15, 0},
        Case{"surround follows its own side, not main's", 6, 0, 2, 0, 1, 4, 0x0603, 2, 13, 0},
        Case{"center, scene 2", 7, 0, 2, 2, 2, 4, 0x0603, 2, 20, 0},
        Case{"SUB, scene 1, sides ignored", 8, 0, 2, 2, 1, 4, 0x0603, 2, 22, 0},
        Case{"hint", 9, 0, 0, 0, 0, 4, 0x1904, 2, 6, 0}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name = info.param.what;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });

TEST(ChannelChoiceOfTab, MicTabsInTurnFollowTheSide) {
    ChannelState channel;
    SelectionState selection;
    ChooseChannel(kTabMicB, channel, selection);
    EXPECT_EQ(selection.micPage, 3);
    EXPECT_EQ(channel.micSide, kSideRight);
    ChooseChannel(kTabMicA, channel, selection);
    EXPECT_EQ(selection.micPage, 2);
    EXPECT_EQ(channel.micSide, kSideLeft);
}

TEST(ChannelChoiceOfTab, UnknownTabChangesNothing) {
    ChannelState channel;
    channel.selectedChannel = 0x0603;
    channel.selectedPage = 6;
    SelectionState selection;
    selection.outputPage = 9;
    for (int tab : {-1, 10, 100}) {
        EXPECT_EQ(ChooseChannel(tab, channel, selection), 0x0603);
        EXPECT_EQ(channel.selectedPage, 6);
        EXPECT_EQ(selection.outputPage, 9);
    }
}

}  // namespace
}  // namespace zt
