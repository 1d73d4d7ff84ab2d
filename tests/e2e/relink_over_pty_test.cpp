// Linking again after a lost link, over a real serial line: the editor's whole window and the
// zt461-sim program on a pseudo-terminal, which goes away and comes back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <deque>

#include "link/link_texts.h"
#include "params/page_table.h"
#include "sim/sim_state_dump.h"
#include "tests/support/sim_run.h"
#include "ui/app/editor_app.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/window/auto_relink.h"
#include "ui/window/tab_strip.h"
#include "ui/window/window_chrome.h"

namespace zt::test {
namespace {

class RelinkMessages : public WindowMessages {
public:
    void Inform(const QString& text, const QString&) override { shown.push_back(text); }
    bool Ask(const QString& text, const QString&, AskButtons) override {
        asked.push_back(text);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<QString> shown;
    std::vector<QString> asked;
    std::deque<bool> answers;
};

class RelinkOverPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        auto recorder = std::make_unique<RelinkMessages>();
        messages = recorder.get();
        app = std::make_unique<EditorApp>(std::move(recorder));
        app->Show();
        ASSERT_TRUE(WaitOnline()) << "no link to the simulator";
    }
    void TearDown() override { app.reset(); }

    bool WaitOnline() {
        return QTest::qWaitFor([this] { return app->link().linkOnline(); }, 30000);
    }
    // The processor goes away: its program ends and takes the port with it.
    void StopSimulator() {
        sim.process().terminate();
        ASSERT_TRUE(sim.process().waitForFinished(5000));
        ASSERT_TRUE(QTest::qWaitFor([this] { return app->relink().active(); }, 10000))
            << "the window does not link again by itself";
    }
    QString Status() { return app->window().tabStrip().linkLabel->text(); }
    bool ShowsRelinking() {
        return Status() == QString::fromStdString(kStatusRelinking.chinese) ||
               Status() == QString::fromStdString(kStatusRelinking.english);
    }
    SimState Settle() {
        EXPECT_TRUE(QTest::qWaitFor(
            [this] {
                return app->link().linkOnline() && app->link().txQueue().IsEmpty() &&
                       app->link().ready();
            },
            20000));
        QTest::qWait(100);
        SimState state;
        EXPECT_TRUE(sim.Dump(state));
        return state;
    }
    // The gain bar of music band `band` (0..14), whose value lives at 0x000C + 5 * band.
    TrackBar* MusicGain(int band) {
        return app->registry().Get<TrackBar>(QStringLiteral("MusEQGainBar%1").arg(band + 1));
    }

    SimRun sim{{}};
    RelinkMessages* messages = nullptr;
    std::unique_ptr<EditorApp> app;
};

TEST_F(RelinkOverPty, TheWindowLinksAgainWhenTheProcessorComesBack) {
    StopSimulator();
    EXPECT_TRUE(ShowsRelinking()) << Status().toStdString();
    // Searches that find nothing stay quiet and the status keeps saying what goes on.
    QTest::qWait(AutoRelink::kRetryMs * 2 + 1500);
    EXPECT_TRUE(app->relink().active());
    EXPECT_TRUE(ShowsRelinking()) << Status().toStdString();
    const std::vector<QString> lossOnly{app->language().Pick(kMessageLinkLost)};
    EXPECT_EQ(messages->shown, lossOnly);

    ASSERT_TRUE(sim.Start());
    ASSERT_TRUE(WaitOnline()) << "not linked again";
    EXPECT_FALSE(app->relink().active());
    EXPECT_TRUE(messages->asked.empty()) << "nothing was changed while off line";
    EXPECT_EQ(messages->shown, lossOnly);
}

TEST_F(RelinkOverPty, UnlinkStopsLinkingAgain) {
    StopSimulator();
    QTest::mouseClick(app->window().tabStrip().linkBtn, Qt::LeftButton);
    EXPECT_FALSE(app->relink().active());
    ASSERT_TRUE(sim.Start());
    QTest::qWait(AutoRelink::kRetryMs + 2000);
    EXPECT_FALSE(app->link().linkOnline());
    EXPECT_FALSE(app->link().searchRunning());
}

// A value changed while off line: the user is asked whether the processor takes it.
TEST_F(RelinkOverPty, ChangesMadeOffLineGoToTheProcessorOrGiveWay) {
    for (const bool sendEditors : {true, false}) {
        SCOPED_TRACE(sendEditors ? "send the editor's values" : "take the processor's");
        ASSERT_NE(MusicGain(3), nullptr);
        const int edited = MusicGain(3)->value() == 150 ? 140 : 150;  // never the factory's
        StopSimulator();
        MusicGain(3)->setValue(edited);
        messages->asked.clear();
        messages->answers = {sendEditors};
        ASSERT_TRUE(sim.Start());
        ASSERT_TRUE(WaitOnline());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !messages->asked.empty(); }, 5000));
        EXPECT_EQ(messages->asked.size(), 1u);
        // The answer to "send" uploads the editor's values: wait until that is over.
        QTest::qWait(200);
        const SimState state = Settle();
        // The processor came back with its own values (the simulator starts from the factory's):
        // it holds the edit only when the editor's values were sent.
        EXPECT_EQ(state.memory.Get(0x000C + 15) == edited, sendEditors);
        EXPECT_EQ(app->model().image().Get(0x000C + 15), state.memory.Get(0x000C + 15));
        EXPECT_EQ(MusicGain(3)->value(), state.memory.Get(0x000C + 15));
        for (int page = 0; page < 30; ++page) {
            for (int slot = 0; slot < PageSlotCount(page); ++slot) {
                ASSERT_EQ(app->model().image().Get(page, slot), state.memory.Get(page, slot))
                    << page << "/" << slot;
            }
        }
    }
}

}  // namespace
}  // namespace zt::test
