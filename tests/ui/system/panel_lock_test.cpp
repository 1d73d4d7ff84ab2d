// The lock of the window after connecting while the processor's panel key lock is on, and the
// hidden access code that shows the Hint tab.
#include <QStackedWidget>
#include <QTabWidget>

#include "ui/app/editing_side.h"
#include "ui/exchange/eq_exchange_side.h"
#include "ui/undo/edit_history.h"
#include "ui/undo/undo_controls.h"
#include "ui/widgets/track_bar.h"

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
                  {QStringLiteral("Unlocked!"), QString::fromLatin1(kApplicationTitle)}}));

    // The window stays unlocked until the link starts again.
    ClickTab(kTabMain);
    EXPECT_EQ(app().channel().currentTab, kTabMain);
    EXPECT_TRUE(Panel()->isHidden());
}

// Every way an edit enters the window, tried while the lock holds it: none changes the stores or
// reaches the processor, and a control moved by it shows the stored value again. The first
// write after the unlock is then the only one the processor has received.
TEST_F(PanelLockTest, NoEditReachesTheProcessorWhileLocked) {
    constexpr ParamAddress kHighPass = 0x0005;
    constexpr ParamAddress kMusicVolume = 0x1D01;
    LinkNow();
    auto* volumeBar = Get<TrackBar>("SysMusNormalVolBar");
    auto* highPassBar = qobject_cast<TrackBar*>(app().binding().BoundControlOf(kHighPass));
    ASSERT_TRUE(highPassBar);
    // An edit to undo, then the panel key lock switched on and a tab clicked: locked.
    highPassBar->setValue(highPassBar->value() + 10);
    window().advPageControl1()->setCurrentIndex(1);
    Click("SysPanelBtn2");
    ClickTab(kTabMicA);
    ASSERT_TRUE(app().windowState().locked);
    ASSERT_TRUE(WaitFor([&] { return !FramesAt(kAddrPanelKeyLock).empty(); }, 20000));

    Editor& editor = app().editing().editor();
    EditHistory& history = app().editing().history();
    ASSERT_TRUE(history.stack().canUndo());
    const auto writesReceived = [&] {
        int writes = 0;
        for (const SimFrame& f : sim_.processor().log()) {
            if (f.command == kCommandWrite && f.address != kAddrLinkControl) ++writes;
        }
        return writes;
    };
    const int before = writesReceived();
    const size_t highPassWrites = FramesAt(kHighPass).size();
    const int highPass = app().model().store().Get(kHighPass);
    const int volume = app().model().store().Get(kMusicVolume);
    const auto image = [&] {
        std::vector<int> values;
        for (int page = 0; page < 31; ++page) {
            for (int slot = 0; slot < 165; ++slot)
                values.push_back(app().model().image().Get(page, slot));
        }
        return values;
    };
    const std::vector<int> imageBefore = image();

    struct Gesture {
        const char* name;
        std::function<void()> run;
    };
    const EqMarker* marker = window().graph().markers[20];  // the high-pass point
    const std::vector<Gesture> gestures = {
        {"set parameter (undo, import)", [&] { editor.SetParameter(kHighPass, highPass + 20); }},
        {"track bar", [&] { highPassBar->setValue(highPass + 30); }},
        {"volume bar (the volume keys)", [&] { volumeBar->setValue(volume + 5); }},
        {"wheel", [&] { editor.WheelStep(120); }},
        {"EQ reset", [&] { editor.OnEqResetClick(); }},
        {"marker drag",
         [&] {
             auto* m = const_cast<EqMarker*>(marker);
             QTest::mousePress(m, Qt::LeftButton, {}, QPoint(7, 7));
             QTest::mouseMove(m, QPoint(-60, 7));
             QTest::mouseRelease(m, Qt::LeftButton, {}, QPoint(-60, 7));
         }},
        {"undo", [&] { history.Undo(); }},
    };
    for (const Gesture& g : gestures) {
        SCOPED_TRACE(g.name);
        g.run();
        QTest::qWait(1);  // a moved control shows the store again on the next turn
        EXPECT_EQ(image(), imageBefore);
        EXPECT_EQ(highPassBar->value(), highPass);
        EXPECT_EQ(volumeBar->value(), volume);
        EXPECT_TRUE(app().link().txQueue().IsEmpty());
    }
    EXPECT_FALSE(app().editing().exchange().CanImport());
    EXPECT_FALSE(app().editing().undoControls().undoButton()->isEnabled());

    QTest::keyClicks(PasswordField(), "1234");
    window().unlockPanel().rzBmpButton4->click();
    ASSERT_FALSE(app().windowState().locked);
    editor.SetParameter(kHighPass, highPass + 1);
    ASSERT_TRUE(WaitFor([&] { return FramesAt(kHighPass).size() > highPassWrites; }, 20000));
    EXPECT_EQ(writesReceived(), before + 1);
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
