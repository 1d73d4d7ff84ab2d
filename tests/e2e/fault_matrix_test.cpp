// The fault matrix: the editor's whole window (offscreen) against the zt461-sim program on a
// pseudo-terminal, one processor per row with one fault of the line. Every row ends as the
// link's timers say it must (online with the repeats they allow, or the failure or loss message
// within its time), the editor keeps running, and after the line is mended and the link made
// again the editor's image equals the processor's memory.
//
// The rows run side by side in this one process, each editor against its own simulator, so the
// whole matrix takes as long as its slowest row. A time is bounded from below by the wall clock
// (no timer fires early) and from above by the ticks of a timer in the same event loop, which a
// loaded machine delays as it delays the link's own timers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>

#include "link/link_texts.h"
#include "params/page_table.h"
#include "sim/sim_state_dump.h"
#include "tests/support/sim_run.h"
#include "tests/support/tick_clock.h"
#include "ui/app/editor_app.h"
#include "ui/widgets/track_bar.h"

namespace zt::test {
namespace {

// Frames a processor answers in a complete download: the connect frame, 30 page requests, the
// mode names (the first request once, the other 21 twice), system item 0x1E01 twice and the
// seven other system items.
constexpr int kDownloadFrames = 1 + 30 + 1 + 2 * 21 + 2 + 7;
// Time for written frames to cross the line and be stored before the processor is asked for its
// memory.
constexpr int kSettleMs = 300;

enum class Outcome {
    Online,      // the download completes, with whatever repeats the timers allow
    LinkFailed,  // link action 9: "连接失败!" / "Off Line!"
    LinkLost,    // link action 7: "已断开连接!" / "Off Line!"
};

// The moment a row's time is measured from.
enum class From { Search, Online };

struct FaultRow {
    const char* name;
    QStringList flags;
    Outcome outcome;
    From from;
    int notBeforeMs;  // the outcome may not come earlier...
    int withinMs;     // ...nor later than this
    bool editBurst;   // a burst of edits once the processor saw the first keep-alive
};

QString Frames(int n) {
    return QString::number(n);
}

// Times: the search opens the port at its first tick (1 s) and a download takes at least 60
// transfer ticks (6 s); a missing answer is asked again 3.2 s after its request and the transfer
// fails 13.2 s after it; online, the fifth silent second ends the link; a vanished port ends
// the link at once.
const std::vector<FaultRow>& Rows() {
    static const std::vector<FaultRow> rows{
        {"clean line", {}, Outcome::Online, From::Search, 7000, 12000, true},
        {"3% lost acknowledgements",
         {"--drop-acks=0.03", "--seed=5"},
         Outcome::Online,
         From::Search,
         7000,
         12000,
         true},
        {"3% lost replies",
         {"--drop-replies=0.03", "--seed=4"},
         Outcome::Online,
         From::Search,
         7000,
         12000 + 3 * 3300,
         true},
        {"3% corrupted checksums",
         {"--corrupt-checksums=0.03", "--seed=3"},
         Outcome::Online,
         From::Search,
         7000,
         12000,
         true},
        {"3% noise before answers",
         {"--garbage=0.03", "--seed=2"},
         Outcome::Online,
         From::Search,
         7000,
         12000,
         true},
        {"answers 150 ms late",
         {"--delay-ms=150"},
         Outcome::Online,
         From::Search,
         12000,
         20000,
         true},
        {"silent from the connect",
         {"--silent-after=0"},
         Outcome::LinkFailed,
         From::Search,
         2500,
         4500,
         false},
        {"silent mid-download",
         {"--silent-after=" + Frames(16)},
         Outcome::LinkFailed,
         From::Search,
         16000,
         18500,
         false},
        {"silent online idle",
         {"--silent-after=" + Frames(kDownloadFrames + 1)},
         Outcome::LinkLost,
         From::Online,
         6500,
         8500,
         false},
        {"silent mid-edit burst",
         {"--silent-after=" + Frames(kDownloadFrames + 1 + 20)},
         Outcome::LinkLost,
         From::Online,
         5500,
         8500,
         true},
        {"port vanishes mid-download",
         {"--vanish-after=" + Frames(16)},
         Outcome::LinkFailed,
         From::Search,
         1500,
         5000,
         false},
        {"port vanishes online",
         {"--vanish-after=" + Frames(kDownloadFrames + 2)},
         Outcome::LinkLost,
         From::Online,
         1500,
         3500,
         false},
    };
    return rows;
}

// A moment of a row: milliseconds of the wall clock and of the event loop's ticks.
struct RowTime {
    qint64 wall = -1;
    qint64 ticks = -1;
    RowTime operator-(const RowTime& start) const {
        return {wall - start.wall, ticks - start.ticks};
    }
};

class TimedMessages : public WindowMessages {
public:
    explicit TimedMessages(std::function<RowTime()> now) : now_(std::move(now)) {}
    void Inform(const QString& text, const QString&) override {
        texts.push_back(text);
        times.push_back(now_());
    }
    std::vector<QString> texts;
    std::vector<RowTime> times;

private:
    std::function<RowTime()> now_;
};

// One row: its simulator, its editor and where it stands.
class RowRun {
public:
    enum class Phase { Waiting, Relinking, Done };

    RowRun(const FaultRow& row, const TickClock& ticks)
        : row_(row), ticks_(ticks), sim_(row.flags) {}

    // The simulator and the editor's window. The search that the window's start-up begins is
    // stopped again: building a dozen windows one after the other holds the event loop for
    // seconds, and the search's ticks would bunch up behind it.
    bool Start() {
        clock_.start();
        if (!sim_.Start()) return false;
        auto messages = std::make_unique<TimedMessages>([this] { return Now(); });
        messages_ = messages.get();
        app_ = std::make_unique<EditorApp>(std::move(messages));
        app_->Show();
        link().OnLinkButton(LinkButton::UnLinkBtn);
        return true;
    }

    // Clicks the link button; the row's times count from here.
    void StartSearch() {
        clock_.restart();
        searchTicks_ = ticks_.ms();
        link().OnLinkButton(LinkButton::LinkBtn);
    }

    // Moves the row on; returns false once it is done.
    bool Poll() {
        switch (phase_) {
            case Phase::Waiting:
                PollOutcome();
                break;
            case Phase::Relinking:
                PollRelink();
                break;
            case Phase::Done:
                return false;
        }
        if (clock_.elapsed() > 60000 && phase_ != Phase::Done) {
            ADD_FAILURE() << row_.name << ": the editor stopped moving on";
            phase_ = Phase::Done;
        }
        return phase_ != Phase::Done;
    }

    const char* name() const { return row_.name; }

private:
    LinkEngine& link() { return app_->link(); }
    // Since the search started.
    RowTime Now() const { return {clock_.elapsed(), ticks_.ms() - searchTicks_}; }

    void PollOutcome() {
        if (onlineAt_.wall < 0 && link().linkOnline()) {
            onlineAt_ = Now();
            if (row_.outcome == Outcome::Online) {
                CheckTime(onlineAt_, "online");
                if (row_.flags.isEmpty()) CheckDownloadFrames();
            }
        }
        if (row_.editBurst && onlineAt_.wall >= 0 && !burstDone_ &&
            sim_.status() == QStringLiteral("online")) {
            EditBurst();
        }
        if (!messages_->texts.empty()) {
            FinishWithMessage();
            return;
        }
        const bool settled = row_.outcome == Outcome::Online && onlineAt_.wall >= 0 &&
                             (!row_.editBurst || burstDone_) && link().txQueue().IsEmpty() &&
                             link().ready();
        if (!settled) {
            settledAt_ = -1;
        } else if (settledAt_ < 0) {
            settledAt_ = clock_.elapsed();
        } else if (clock_.elapsed() - settledAt_ > kSettleMs) {
            // The last writes have left the port and reached the processor.
            ExpectImageMatchesProcessor("before linking again");
            Relink();
        }
    }

    void FinishWithMessage() {
        const RowTime at = messages_->times.front();
        const BilingualText& expected =
            row_.outcome == Outcome::LinkLost ? kMessageLinkLost : kMessageLinkFailed;
        EXPECT_NE(row_.outcome, Outcome::Online)
            << row_.name << ": unexpected message " << messages_->texts.front().toStdString();
        EXPECT_EQ(messages_->texts.front(), app_->language().Pick(expected)) << row_.name;
        if (row_.from == From::Online) {
            EXPECT_GE(onlineAt_.wall, 0) << row_.name << ": never online";
            CheckTime(at - onlineAt_, "message after online");
        } else {
            CheckTime(at, "message");
        }
        EXPECT_FALSE(link().linkOnline()) << row_.name;
        Relink();
    }

    void CheckTime(const RowTime& time, const char* what) {
        std::printf("%-28s %s at %lld ms (%lld ms of ticks)\n", row_.name, what,
                    static_cast<long long>(time.wall), static_cast<long long>(time.ticks));
        EXPECT_GE(time.wall, row_.notBeforeMs) << row_.name << ": " << what;
        EXPECT_LE(time.ticks, row_.withinMs) << row_.name << ": " << what;
    }

    void CheckDownloadFrames() {
        SimState state;
        ASSERT_TRUE(sim_.Dump(state));
        EXPECT_EQ(state.framesReceived, kDownloadFrames) << row_.name;
    }

    // Forty moves of the music page's filter bars and volume, as fast as code can make them.
    void EditBurst() {
        burstDone_ = true;
        std::mt19937 dice(static_cast<unsigned>(qHash(QString::fromLatin1(row_.name))));
        auto bar = [this](const char* name) {
            return app_->registry().Get<TrackBar>(QString::fromLatin1(name));
        };
        TrackBar* bars[] = {bar("MusHPFREBar"), bar("MusLPFREBar"), bar("MusPitchBar")};
        for (int i = 0; i < 40; ++i) {
            TrackBar* b = bars[i % 3];
            b->setValue(std::uniform_int_distribution<int>(b->minimum(), b->maximum())(dice));
        }
    }

    // Mends the line (a processor that vanished comes back), links again, and compares.
    void Relink() {
        messages_->texts.clear();
        messages_->times.clear();
        if (row_.flags.filter(QStringLiteral("--vanish-after")).isEmpty()) {
            sim_.ClearFaults();
        } else {
            sim_.SetFlags({});
            EXPECT_TRUE(sim_.Start()) << row_.name << ": the processor did not come back";
        }
        if (link().linkOnline()) link().OnLinkButton(LinkButton::UnLinkBtn);
        link().OnLinkButton(LinkButton::LinkBtn);
        relinkAt_ = clock_.elapsed();
        phase_ = Phase::Relinking;
    }

    void PollRelink() {
        if (!messages_->texts.empty()) {
            ADD_FAILURE() << row_.name << ": linking again failed with "
                          << messages_->texts.front().toStdString();
            phase_ = Phase::Done;
            return;
        }
        if (clock_.elapsed() - relinkAt_ > 20000) {
            ADD_FAILURE() << row_.name << ": linking again did not finish";
            phase_ = Phase::Done;
            return;
        }
        if (!link().linkOnline() || !link().txQueue().IsEmpty()) return;
        ExpectImageMatchesProcessor("after linking again");
        phase_ = Phase::Done;
    }

    void ExpectImageMatchesProcessor(const char* when) {
        SimState state;
        ASSERT_TRUE(sim_.Dump(state)) << row_.name;
        int differing = 0;
        for (int page = 0; page < kTransferPageCount; ++page) {
            for (int slot = 0; slot < PageSlotCount(page); ++slot) {
                if (app_->model().image().Get(page, slot) != state.memory.Get(page, slot)) {
                    ++differing;
                }
            }
        }
        EXPECT_EQ(differing, 0) << row_.name << ": image and processor differ " << when;
    }

    const FaultRow& row_;
    const TickClock& ticks_;
    qint64 searchTicks_ = 0;
    SimRun sim_;
    QElapsedTimer clock_;
    TimedMessages* messages_ = nullptr;
    std::unique_ptr<EditorApp> app_;
    Phase phase_ = Phase::Waiting;
    RowTime onlineAt_;
    qint64 relinkAt_ = -1;
    qint64 settledAt_ = -1;
    bool burstDone_ = false;
};

TEST(FaultMatrix, EveryRowEndsAsTheLinkTimersSay) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const TickClock ticks;
    std::vector<std::unique_ptr<RowRun>> runs;
    for (const FaultRow& row : Rows()) {
        runs.push_back(std::make_unique<RowRun>(row, ticks));
        ASSERT_TRUE(runs.back()->Start()) << row.name;
    }
    for (auto& run : runs) run->StartSearch();
    bool moving = true;
    while (moving) {
        QTest::qWait(20);
        moving = false;
        for (auto& run : runs) moving = run->Poll() || moving;
    }
    // Each simulator put its own runtime folder into the environment; the last one goes first.
    while (!runs.empty()) runs.pop_back();
    qputenv("XDG_RUNTIME_DIR", runtime);
}

}  // namespace
}  // namespace zt::test
