// The page switch of the tab strip and the channel selection behind it.
#include <QStackedWidget>
#include <QTest>

#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"
#include "window_fixture.h"

namespace zt {
namespace {

struct TabCase {
    int tab;
    int sheet;
    int channel;
    bool sideButtons;
    bool sceneButtons;
    bool eqPass;
};

constexpr TabCase kTabs[] = {
    {kTabMusic, 0, 0x0000, true, false, true},   {kTabDynamicEq, 8, 0x0108, false, false, false},
    {kTabMicA, 1, 0x0201, true, false, true},    {kTabMicB, 1, 0x0201, true, false, true},
    {kTabEffect, 2, 0x0402, false, false, true}, {kTabMain, 3, 0x0603, true, true, true},
    {kTabSurround, 3, 0x0603, true, true, true}, {kTabCenter, 3, 0x0603, false, true, true},
    {kTabSub, 3, 0x0603, false, true, true},     {kTabHint, 4, 0x1904, false, false, true},
};

using PageSwitch = WindowFixture;

TEST_F(PageSwitch, EachTabShowsItsSheetAndGroups) {
    const auto& tabs = window().tabStrip().tabs;
    tabs[kTabHint]->show();  // as after the access code
    const GraphPanel& g = window().graph();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    for (const TabCase& c : kTabs) {
        refresher_.pages.clear();
        tabs[c.tab]->click();
        SCOPED_TRACE(c.tab);
        EXPECT_EQ(window().formPageItem()->currentIndex(), c.sheet);
        EXPECT_EQ(app().channel().selectedChannel, c.channel);
        EXPECT_EQ(app().channel().currentTab, c.tab);
        for (int t = 0; t < kTabCount; ++t) EXPECT_EQ(tabs[t]->selectedLook(), t == c.tab);
        EXPECT_EQ(!g.copyGrop->isHidden(), c.sideButtons);
        EXPECT_EQ(!g.singleDiscoGrop->isHidden(), c.sceneButtons);
        EXPECT_EQ(!g.musEqAllpassBtn->isHidden(), c.eqPass);
        // The effect tab shows its last sub-page instead of refreshing.
        const std::vector<int> refreshed =
            c.tab == kTabEffect ? std::vector<int>{} : std::vector<int>{c.channel / 256};
        EXPECT_EQ(refresher_.pages, refreshed);
        // No visible control keeps the focus; the next switch starts from a focused field.
        EXPECT_TRUE(window().tabStrip().examplexx->hasFocus());
        Get<QWidget>("MusFreEdit1")->setFocus();
    }
}

TEST_F(PageSwitch, StereoOutputsShowBothMutesAndTheRightDelay) {
    auto* leftMute = Get<QWidget>("MainLmuteBtn");
    auto* rightMute = Get<QWidget>("MainRmuteBtn");
    QWidget* rightSide[] = {rightMute, Get<QWidget>("Label157"), Get<QWidget>("MainRdelayBar"),
                            Get<QWidget>("MainRdelayPane")};
    const auto& tabs = window().tabStrip().tabs;
    for (int tab : {kTabMain, kTabSurround, kTabCenter, kTabSub, kTabMain, kTabMusic}) {
        tabs[tab]->click();
        const bool stereo = tab == kTabMain || tab == kTabSurround;
        SCOPED_TRACE(tab);
        EXPECT_EQ(leftMute->x(), stereo ? 583 : 631);
        if (stereo) {
            EXPECT_EQ(rightMute->x(), 679);
        }
        for (QWidget* w : rightSide) {
            EXPECT_EQ(!w->isHidden(), stereo) << w->objectName().toStdString();
        }
    }
}

TEST_F(PageSwitch, OutputTabsNameTheirChannel) {
    struct Names {
        int tab;
        const char *left, *right, *limit, *crossover, *mute, *delay;
    };
    const Names names[] = {
        {kTabMain, "Main L", "Main R", "Main Limit", "Main LHF", "L Mute", "Left Delay"},
        {kTabSurround, "SUR L", "SUR R", "Surround Limit", "Surround LHF", "L Mute", "Left Delay"},
        {kTabCenter, "SUR L", "SUR R", "Center Limit", "Center LHF", "Cen Mute", "Center Delay"},
        {kTabSub, "SUR L", "SUR R", "SUB Limit", "SUB LHF", "SUB Mute", "SUB Delay"},
    };
    const GraphPanel& g = window().graph();
    for (const Names& n : names) {
        window().tabStrip().tabs[n.tab]->click();
        SCOPED_TRACE(n.tab);
        // Center and SUB have no sides: the side buttons keep the surround's names, hidden.
        EXPECT_EQ(g.leftBtn->text(), n.left);
        EXPECT_EQ(g.rightBtn->text(), n.right);
        EXPECT_EQ(SwappingOf(Get<QWidget>("OutLimiteGroup"))->caption(), n.limit);
        EXPECT_EQ(SwappingOf(Get<QWidget>("OutLHPGroup"))->caption(), n.crossover);
        EXPECT_EQ(Get<BitmapButton>("MainLmuteBtn")->text(), n.mute);
        EXPECT_EQ(SwappingOf(Get<QWidget>("OutLDelayLabel"))->caption(), n.delay);
    }
    // Swapping controls and the side buttons keep the other language in their hint; the mute
    // button's hint stays its state.
    window().tabStrip().tabs[kTabMain]->click();
    EXPECT_EQ(PropsOf(Get<QWidget>("OutLimiteGroup"))->hint(), QStringLiteral("主输出压限"));
    EXPECT_EQ(g.leftBtn->hint(), QStringLiteral("主左"));
    EXPECT_EQ(g.rightBtn->hint(), QStringLiteral("主右"));
    const QString muteHint = Get<BitmapButton>("MainLmuteBtn")->hint();
    EXPECT_TRUE(muteHint == "0" || muteHint == "1") << muteHint.toStdString();
}

TEST_F(PageSwitch, MicrophoneTabsNameTheirChannel) {
    const auto& tabs = window().tabStrip().tabs;
    tabs[kTabMicB]->click();
    EXPECT_EQ(SwappingOf(Get<QWidget>("AdvGroupBox1"))->caption(), "MiC B Limit");
    EXPECT_EQ(SwappingOf(Get<QWidget>("AdvGroupBox16"))->caption(), "MICB Noise");
    EXPECT_EQ(PropsOf(Get<QWidget>("AdvGroupBox16"))->hint(), QStringLiteral("麦克风B 噪声门"));
    EXPECT_EQ(window().graph().leftBtn->text(), "MIC A");
    EXPECT_EQ(app().model().selection().micPage, 3);
    tabs[kTabMicA]->click();
    EXPECT_EQ(SwappingOf(Get<QWidget>("AdvGroupBox1"))->caption(), "MiC A Limit");
    EXPECT_EQ(app().model().selection().micPage, 2);
}

TEST_F(PageSwitch, AutomaticModeKeepsSideAndPassButtonsOutOfReachOnOutputs) {
    const GraphPanel& g = window().graph();
    app().channel().manualFlag = 0;
    for (int tab = 0; tab < kTabCount; ++tab) {
        app().navigator().ChooseTab(tab);
        const bool enabled = tab <= kTabEffect;
        EXPECT_EQ(g.copyGrop->isEnabled(), enabled) << tab;
        EXPECT_EQ(g.eqPassGrop->isEnabled(), enabled) << tab;
    }
    app().channel().manualFlag = 1;
    app().navigator().ChooseTab(kTabSub);
    EXPECT_TRUE(g.copyGrop->isEnabled());
    EXPECT_TRUE(g.eqPassGrop->isEnabled());
}

TEST_F(PageSwitch, OutputPageFollowsSceneAndSide) {
    SelectionState& sel = app().model().selection();
    ChannelState& ch = app().channel();
    sel.outputScene = 1;
    ch.mainSide = kSideRight;
    EXPECT_EQ(app().navigator().ChooseTab(kTabMain), 0x0603);
    EXPECT_EQ(sel.outputPage, 10);
    sel.outputScene = 2;
    app().navigator().ChooseTab(kTabCenter);
    EXPECT_EQ(sel.outputPage, 20);
    ch.surroundSide = kSideTogether;
    app().navigator().ChooseTab(kTabSurround);
    EXPECT_EQ(sel.outputPage, 14);
}

TEST_F(PageSwitch, EchoBKeepsItsPageOnTheEffectTab) {
    app().model().selection().effectPage = 24;
    EXPECT_EQ(app().navigator().ChooseTab(kTabEffect), 0x0402);
    EXPECT_EQ(app().model().selection().effectPage, 24);
    EXPECT_EQ(app().channel().selectedPage, 4);
}

TEST_F(PageSwitch, UnlockPanelHoldsTheMusicPage) {
    app().windowState().locked = true;
    window().unlockPanel().firstCheckGrop->show();
    const auto& tabs = window().tabStrip().tabs;
    refresher_.pages.clear();
    for (int tab : {kTabMicA, kTabMain, kTabDynamicEq}) {
        QTest::mouseClick(tabs[tab], Qt::LeftButton);
        EXPECT_FALSE(tabs[tab]->selectedLook()) << tab;
        EXPECT_EQ(window().formPageItem()->currentIndex(), kSheetMusic);
        EXPECT_EQ(app().channel().currentTab, kTabMusic);
    }
    QTest::mouseClick(tabs[kTabMusic], Qt::LeftButton);
    EXPECT_TRUE(tabs[kTabMusic]->selectedLook());
    EXPECT_TRUE(refresher_.pages.empty()) << "a locked window refreshes nothing";

    app().windowState().locked = false;
    window().unlockPanel().firstCheckGrop->hide();
    QTest::mouseClick(tabs[kTabMicA], Qt::LeftButton);
    EXPECT_EQ(window().formPageItem()->currentIndex(), kSheetMic);
}

TEST_F(PageSwitch, PressingATabShowsItSelectedAtOnce) {
    auto* tab = window().tabStrip().tabs[kTabMain];
    QTest::mousePress(tab, Qt::LeftButton);
    EXPECT_TRUE(tab->selectedLook());
    EXPECT_TRUE(window().tabStrip().tabs[kTabMusic]->selectedLook()) << "not switched yet";
    QTest::mouseRelease(tab, Qt::LeftButton);
    EXPECT_FALSE(window().tabStrip().tabs[kTabMusic]->selectedLook());
}

}  // namespace
}  // namespace zt
