// The lock of the window after connecting while the processor's panel key lock is on, and the
// hidden access code that shows the Hint tab.
#include <QStackedWidget>
#include <QTabWidget>

#include "system_fixture.h"

namespace zt {
namespace {

class PanelLockTest : public SystemFixture {
protected:
    QWidget* Panel() { return window().unlockPanel().firstCheckGrop; }
    PlainEdit* PasswordField() { return window().unlockPanel().panelPassWordEdit; }
    bool AreasEnabled() {
        return window().formPageItem()->isEnabled() && window().graph().advPanel1->isEnabled() &&
               window().advPageControl1()->isEnabled();
    }
    bool AreasDisabled() {
        return !window().formPageItem()->isEnabled() && !window().graph().advPanel1->isEnabled() &&
               !window().advPageControl1()->isEnabled();
    }
    void ClickTab(int tab) { window().tabStrip().tabs[tab]->click(); }
};

TEST_F(PanelLockTest, ConnectingWithThePanelLockOnLocksTheWindowUntilThePassword) {
    sim_.processor().SetPanelLock(1);
    ClickTab(kTabMain);
    LinkNow();
    ASSERT_FALSE(Panel()->isHidden());
    EXPECT_EQ(app().link().lockStage(), 2);
    EXPECT_TRUE(AreasDisabled());
    EXPECT_EQ(app().channel().currentTab, kTabMusic);
    EXPECT_EQ(window().formPageItem()->currentIndex(), 0);
    EXPECT_TRUE(PasswordField()->hasFocus() || QApplication::focusWidget() == nullptr);

    // Tab clicks change nothing while the panel is up.
    ClickTab(kTabMain);
    EXPECT_EQ(app().channel().currentTab, kTabMusic);
    EXPECT_FALSE(window().tabStrip().tabs[kTabMain]->selectedLook());

    // A wrong password only clears the field.
    QTest::keyClicks(PasswordField(), "4321");
    window().unlockPanel().rzBmpButton4->click();
    EXPECT_TRUE(PasswordField()->text().isEmpty());
    EXPECT_FALSE(Panel()->isHidden());
    EXPECT_TRUE(messages_->shown.empty());

    QTest::keyClicks(PasswordField(), "1234");
    window().unlockPanel().rzBmpButton4->click();
    EXPECT_TRUE(Panel()->isHidden());
    EXPECT_TRUE(AreasEnabled());
    EXPECT_TRUE(PasswordField()->text().isEmpty());
    EXPECT_EQ(messages_->shown,
              (std::vector<std::pair<QString, QString>>{
                  {QStringLiteral("解锁成功"), QString::fromLatin1(kApplicationTitle)}}));

    // The window stays unlocked until the link starts again.
    ClickTab(kTabMain);
    EXPECT_EQ(app().channel().currentTab, kTabMain);
    EXPECT_TRUE(Panel()->isHidden());
}

TEST_F(PanelLockTest, SwitchingThePanelLockOnLaterLocksAtTheNextRefresh) {
    LinkNow();
    EXPECT_TRUE(Panel()->isHidden());
    EXPECT_EQ(app().link().lockStage(), 1);
    window().advPageControl1()->setCurrentIndex(1);
    Click("SysPanelBtn2");
    EXPECT_EQ(app().model().store().Get(kAddrPanelKeyLock), 1);
    EXPECT_TRUE(Panel()->isHidden()) << "not before the next refresh";
    ClickTab(kTabMicA);
    EXPECT_FALSE(Panel()->isHidden());
    EXPECT_EQ(app().channel().currentTab, kTabMusic);
    EXPECT_TRUE(AreasDisabled());
}

TEST_F(PanelLockTest, NoLockBeforeADownloadOrWithThePanelLockOff) {
    // Start-up refreshes before any download: lock stage 0.
    app().model().StoreValue(kAddrPanelKeyLock, 1);
    ClickTab(kTabMicA);
    EXPECT_TRUE(Panel()->isHidden());
    EXPECT_EQ(app().channel().currentTab, kTabMicA);
}

TEST_F(PanelLockTest, TheAccessCodeShowsTheHintTabAndAWrongCodeHidesIt) {
    QWidget* hintTab = window().tabStrip().tabs[kTabHint];
    QWidget* label = window().sysLogoLabel();
    auto* field = qobject_cast<PlainEdit*>(window().sysLogoEdit());
    ASSERT_TRUE(field);
    ASSERT_TRUE(field->isHidden());
    QTest::mouseDClick(window().tabStrip().linkLabel, Qt::LeftButton);
    ASSERT_FALSE(field->isHidden());
    EXPECT_FALSE(label->isHidden());

    struct Case {
        const char* typed;
        bool hintShown;
        bool fieldShown;
    };
    const Case cases[] = {
        {"OPERATOR725", true, false},
        {"operator725", false, true},
        {"OPERATOR72", false, true},
        {"OPERATOR725", true, false},
    };
    for (const Case& c : cases) {
        QTest::mouseDClick(window().tabStrip().linkLabel, Qt::LeftButton);
        EXPECT_TRUE(field->text().isEmpty());
        const bool hiddenBefore = hintTab->isHidden();
        QTest::keyClicks(field, c.typed);
        EXPECT_EQ(hintTab->isHidden(), hiddenBefore) << "no change before Enter";
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(!hintTab->isHidden(), c.hintShown) << c.typed;
        EXPECT_EQ(!field->isHidden(), c.fieldShown) << c.typed;
        EXPECT_EQ(!label->isHidden(), c.fieldShown) << c.typed;
    }
    // With the Hint tab the Hint page is reachable.
    ClickTab(kTabHint);
    EXPECT_EQ(app().channel().currentTab, kTabHint);
}

}  // namespace
}  // namespace zt
