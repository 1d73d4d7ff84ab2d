// The navigator: every choice of the view keeps the channel state and the selection consistent
// and ends in exactly one view change; a recorded view is gone back to in one step.
#include "ui/state/navigator.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <cctype>
#include <functional>
#include <string>

namespace zt {
namespace {

struct Fixture {
    ChannelState channel;
    SelectionState selection;
    Navigator navigator{channel, selection};
    QSignalSpy changes{&navigator, &Navigator::viewChanged};
};

struct Choice {
    const char* what;
    std::function<void(Navigator&)> choose;
    int changes;  // view changes the choice emits
    int tab, selectedChannel, selectedPage, effectSubPage, effectPage, hiddenPage;
};

class NavigatorChoice : public ::testing::TestWithParam<Choice> {};

TEST_P(NavigatorChoice, SetsTheViewAndEmitsOneChange) {
    const Choice& c = GetParam();
    Fixture f;
    c.choose(f.navigator);
    EXPECT_EQ(f.changes.count(), c.changes);
    EXPECT_EQ(f.channel.currentTab, c.tab);
    EXPECT_EQ(f.channel.selectedChannel, c.selectedChannel);
    EXPECT_EQ(f.channel.selectedPage, c.selectedPage);
    EXPECT_EQ(f.channel.effectSubPage, c.effectSubPage);
    EXPECT_EQ(f.selection.effectPage, c.effectPage);
    EXPECT_EQ(f.selection.hiddenPage, c.hiddenPage);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, NavigatorChoice,
    ::testing::Values(
        Choice{"music tab", [](Navigator& n) { n.ChooseTab(kTabMusic); }, 1, 0, 0x0000, 0, 0, 4,
               25},
        Choice{"main output tab", [](Navigator& n) { n.ChooseTab(kTabMain); }, 1, 5, 0x0603, 6, 0,
               4, 25},
        Choice{"tab out of range", [](Navigator& n) { n.ChooseTab(10); }, 0, 0, 0, 0, 0, 4, 25},
        Choice{"negative tab", [](Navigator& n) { n.ChooseTab(-1); }, 0, 0, 0, 0, 0, 4, 25},
        Choice{"echo B: shown through echo A's page",
               [](Navigator& n) {
                   n.ChooseTab(kTabEffect);
                   n.ChooseEffectSubPage(kEchoB);
               },
               2, 4, 0x0402, 4, 1, 24, 25},
        Choice{"reverb",
               [](Navigator& n) {
                   n.ChooseTab(kTabEffect);
                   n.ChooseEffectSubPage(kReverb);
               },
               2, 4, 0x0502, 5, 2, 5, 25},
        Choice{"effect sub-page out of range",
               [](Navigator& n) { EXPECT_EQ(n.ChooseEffectSubPage(3), -1); }, 0, 0, 0, 0, 0, 4, 25},
        Choice{"hint path 3",
               [](Navigator& n) {
                   n.ChooseTab(kTabHint);
                   EXPECT_TRUE(n.ChooseHintPath(2));
               },
               2, 9, 0x1904, 25, 0, 4, 27},
        Choice{"hint path out of range", [](Navigator& n) { EXPECT_FALSE(n.ChooseHintPath(-1)); },
               0, 0, 0, 0, 0, 4, 25}),
    [](const auto& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name;
    });

TEST(Navigator, GoesBackToARecordedViewInOneChange) {
    Fixture f;
    f.channel.micSide = kSideRight;
    f.navigator.ChooseTab(kTabEffect);
    f.navigator.ChooseEffectSubPage(kReverb);
    const EditView reverb = f.navigator.Current();

    f.navigator.ChooseTab(kTabMicB);
    f.channel.mainSide = kSideTogether;
    f.selection.outputScene = 2;
    f.navigator.ChooseTab(kTabMain);
    ASSERT_FALSE(SameView(f.navigator.Current(), reverb));

    f.changes.clear();
    f.navigator.GoTo(reverb);
    EXPECT_EQ(f.changes.count(), 1);
    EXPECT_TRUE(SameView(f.navigator.Current(), reverb));
    EXPECT_EQ(f.channel.selectedChannel, 0x0502);
    EXPECT_EQ(f.channel.selectedPage, 5);
    EXPECT_EQ(f.channel.mainSide, kSideLeft);
    EXPECT_EQ(f.selection.outputScene, 0);
}

TEST(Navigator, GoingToTheMicrophoneBTabKeepsItsPage) {
    Fixture f;
    f.channel.micSide = kSideRight;
    f.navigator.ChooseTab(kTabMicB);
    const EditView micB = f.navigator.Current();
    f.navigator.ChooseTab(kTabMusic);
    f.navigator.GoTo(micB);
    EXPECT_EQ(f.selection.micPage, 3);
    EXPECT_EQ(f.channel.selectedChannel, 0x0201);
    EXPECT_EQ(f.channel.currentTab, kTabMicB);
}

}  // namespace
}  // namespace zt
