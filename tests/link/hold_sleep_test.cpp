// The hold timer sleeping through quiet ticks: its schedule on its own, and the link run twice,
// once with a timer that ticks every 20 ms and once with one that sleeps, which must give the
// same frames at the same milliseconds and show the same link state at every millisecond.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "link/hold_schedule.h"
#include "link_rig.h"

namespace zt::test {
namespace {

// --- The schedule ---

TEST(HoldScheduleTest, TicksComeOnePeriodApartFromTheStart) {
    HoldSchedule schedule(20);
    schedule.Start(1000);
    EXPECT_EQ(schedule.nextDue(), 1020);
    EXPECT_FALSE(schedule.Fire(1019));  // early: nothing delivered
    EXPECT_TRUE(schedule.Fire(1020));
    EXPECT_EQ(schedule.nextDue(), 1040);
    // Late by less than a period: the phase is kept.
    EXPECT_TRUE(schedule.Fire(1055));
    EXPECT_EQ(schedule.nextDue(), 1060);
    // Late by more than a period: the missed tick is not made up for.
    EXPECT_TRUE(schedule.Fire(1100));
    EXPECT_EQ(schedule.nextDue(), 1120);
}

TEST(HoldScheduleTest, ASleepLeavesOutTicksAndKeepsThePhase) {
    struct Case {
        const char* what;
        int64_t wakeAt;  // the engine is entered then (0: the timer's own tick ends it)
        int dueBy;       // left-out ticks due by that moment
        int64_t nextAfterWake;
    };
    const Case cases[] = {
        {"the timer's tick after the left-out ones", 0, 10, 1240},
        {"entered before the first left-out tick is due", 1010, 0, 1020},
        {"entered just as a left-out tick is due", 1060, 3, 1080},
        {"entered between two ticks", 1075, 3, 1080},
        {"entered when the wake-up tick is already due", 1225, 10, 1220},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HoldSchedule schedule(20);
        schedule.Start(1000);
        schedule.Sleep(10);  // ticks at 1020..1200 left out, the next at 1220
        EXPECT_TRUE(schedule.asleep());
        EXPECT_EQ(schedule.nextDue(), 1220);
        if (c.wakeAt == 0) {
            EXPECT_FALSE(schedule.Fire(1219));
            EXPECT_EQ(schedule.LeftOutDue(1219), 10);
            EXPECT_TRUE(schedule.Fire(1220));
        } else {
            EXPECT_EQ(schedule.LeftOutDue(c.wakeAt), c.dueBy);
            EXPECT_EQ(schedule.Wake(c.wakeAt), c.dueBy);
        }
        EXPECT_FALSE(schedule.asleep());
        EXPECT_EQ(schedule.LeftOutDue(c.wakeAt + 500), 0);
        EXPECT_EQ(schedule.nextDue(), c.nextAfterWake);
    }
}

// --- The link with a ticking and with a sleeping hold timer ---

// The stepped clock, with a hold timer that sleeps when the engine asks (or refuses to).
class HoldClock : public SteppedClock {
public:
    explicit HoldClock(bool canSleep) : canSleep_(canSleep) {}

    void StartHold() override {
        SteppedClock::StartHold();
        schedule_.Start(now);
    }
    bool SleepHold(int ticks) override {
        if (!canSleep_) return false;
        schedule_.Sleep(ticks);
        return true;
    }
    // A tick due in this millisecond counts once the timer's turn in it has come: before that
    // (received bytes come first in a step) it is left to the timer.
    int HoldTicksLeftOutDue() const override { return schedule_.LeftOutDue(TurnTime()); }
    int WakeHold() override { return schedule_.Wake(TurnTime()); }

    // True when the hold timer delivers a tick at `now`.
    bool HoldDue() {
        timerTurn_ = now;
        if (!canSleep_) return Due(hold, now);
        return hold.running && schedule_.Fire(now);
    }

private:
    int64_t TurnTime() const { return timerTurn_ == now ? now : now - 1; }

    bool canSleep_;
    int64_t timerTurn_ = -1;
    HoldSchedule schedule_{kHoldPeriodMs};
};

// What any code could read of the link at one millisecond.
struct LinkMoment {
    int64_t at;
    int holdTick;
    int missCount;
    bool online;
    bool ready;
    bool settled;
    int pendingAction;
    size_t framesWritten;
    bool operator==(const LinkMoment&) const = default;
};

class HoldRun;
struct TimedEvent {
    int64_t afterOnlineMs;
    std::function<void(HoldRun&)> happen;
};

// One engine over a scripted port with a MiniProcessor, brought online, then stepped through
// the events millisecond by millisecond.
class HoldRun {
public:
    explicit HoldRun(bool canSleep) : clock(canSleep), engine(model, port, view, clock, log) {
        port.now = &now;
        port.present = {"COM1"};
        port.respond = [this](const std::string& name, const Bytes& frame) {
            return processor(name, frame);
        };
    }

    void Run(const std::vector<TimedEvent>& events, int64_t totalMs) {
        engine.SetPortNames({"COM1"});
        engine.OnLinkButton(LinkButton::LinkBtn);
        while (!engine.linkOnline() && now < 20000) Step();
        onlineAt = now;
        size_t next = 0;
        while (now < onlineAt + totalMs) {
            while (next < events.size() && onlineAt + events[next].afterOnlineMs == now) {
                events[next++].happen(*this);
            }
            Step();
        }
    }

    void Step() {
        clock.now = ++now;
        port.Deliver(engine);
        if (clock.HoldDue()) {
            ++holdTicksDelivered;
            engine.OnHoldTick();
        }
        if (SteppedClock::Due(clock.transfer, now)) engine.OnTransferTick();
        if (SteppedClock::Due(clock.search, now)) engine.OnSearchTick();
        moments.push_back({now, engine.holdTick(), engine.missCount(), engine.linkOnline(),
                           engine.ready(), engine.settled(), engine.pendingAction(),
                           port.writes.size()});
    }

    int64_t now = 0;
    int64_t onlineAt = 0;
    int holdTicksDelivered = 0;
    std::vector<LinkMoment> moments;
    ParamModel model;
    MemoryLog log;
    RecordingView view;
    HoldClock clock;
    ScriptedPort port;
    MiniProcessor processor;
    LinkEngine engine;
};

struct SleepCase {
    const char* what;
    std::vector<TimedEvent> events;
    int64_t totalMs;
    bool onlineAtEnd;
};

std::vector<SleepCase> SleepCases() {
    auto write = [](ParamAddress a, int v) {
        return [a, v](HoldRun& r) { r.engine.WriteParameter(a, v); };
    };
    auto arrive = [](Bytes bytes) {
        return [bytes](HoldRun& r) {
            r.port.arrived.insert(r.port.arrived.end(), bytes.begin(), bytes.end());
        };
    };
    return {
        {"idle: one keep-alive a second", {}, 6000, true},
        {"writes during the sleep, the read-back of them",
         {{1234, write(0x0005, 204)},
          {1240, write(0x0006, 3)},
          {2517, [](HoldRun& r) { r.engine.WriteParameterPaced(0x0007, 9); }},
          {4999, write(0x0005, 17)},
          {8460, write(0x0006, 4)}},  // as a tick is due
         12000,
         true},
        {"received bytes during the sleep: noise, a stray acknowledgement, a frame",
         {{777, arrive({0x00})},
          {1600, arrive({kShortStart, kShortAccept})},
          {2019, arrive({kShortStart, kShortAccept})},  // delivered as a tick is due
          {2020, arrive(BuildCommandFrame(kCommandWrite, 0x1E14, 5))}},
         5000,
         true},
        {"a pending action: a mode save",
         {{1300, [](HoldRun& r) { r.engine.SaveMode(std::string("\x01\x00Name", 6)); }}},
         5000,
         true},
        {"a pending action whose acknowledgement is lost",
         {{1300,
           [](HoldRun& r) {
               r.processor.answering = false;
               r.engine.SaveMode(std::string("\x02\x00Hall", 6));
           }},
          {4300, [](HoldRun& r) { r.processor.answering = true; }}},
         8000,
         true},
        {"a write's acknowledgement lost, read-back off: it runs out after a second",
         {{5, [](HoldRun& r) { r.engine.SetReadBackEnabled(false); }},
          {1210,
           [](HoldRun& r) {
               r.processor.answering = false;
               r.engine.WriteParameter(0x0005, 99);
               r.processor.answering = true;
           }}},
         4000,
         true},
        {"a lost keep-alive acknowledgement",
         {{10, [](HoldRun& r) { r.processor.keepAliveAcksToLose = 1; }}},
         6000,
         true},
        {"the processor falls silent: link loss",
         {{1500, [](HoldRun& r) { r.processor.answering = false; }}},
         9000,
         false},
        {"the link button while asleep",
         {{2345, [](HoldRun& r) { r.engine.OnLinkButton(LinkButton::UnLinkBtn); }}},
         4000,
         false},
    };
}

TEST(HoldSleepTest, ASleepingTimerGivesTheFramesAndStateOfATickingOne) {
    for (const SleepCase& c : SleepCases()) {
        SCOPED_TRACE(c.what);
        HoldRun ticking(false);
        HoldRun sleeping(true);
        ticking.Run(c.events, c.totalMs);
        sleeping.Run(c.events, c.totalMs);
        ASSERT_EQ(ticking.onlineAt, sleeping.onlineAt);
        EXPECT_EQ(sleeping.engine.linkOnline(), c.onlineAtEnd);

        ASSERT_EQ(ticking.port.writes.size(), sleeping.port.writes.size());
        for (size_t i = 0; i < ticking.port.writes.size(); ++i) {
            EXPECT_EQ(ticking.port.writes[i].at, sleeping.port.writes[i].at) << "frame " << i;
            EXPECT_EQ(HexText(ticking.port.writes[i].bytes), HexText(sleeping.port.writes[i].bytes))
                << "frame " << i;
        }
        ASSERT_EQ(ticking.moments.size(), sleeping.moments.size());
        for (size_t i = 0; i < ticking.moments.size(); ++i) {
            if (!(ticking.moments[i] == sleeping.moments[i])) {
                const LinkMoment& t = ticking.moments[i];
                const LinkMoment& s = sleeping.moments[i];
                ADD_FAILURE() << "first difference at " << t.at << " ms: hold tick " << t.holdTick
                              << " / " << s.holdTick << ", misses " << t.missCount << " / "
                              << s.missCount << ", frames " << t.framesWritten << " / "
                              << s.framesWritten;
                break;
            }
        }
        EXPECT_EQ(ticking.view.statuses, sleeping.view.statuses);
        EXPECT_EQ(ticking.view.messages, sleeping.view.messages);
        EXPECT_EQ(ticking.view.readBacks, sleeping.view.readBacks);
        EXPECT_EQ(ticking.view.unconfirmedReports, sleeping.view.unconfirmedReports);
        EXPECT_EQ(ticking.log.lines(), sleeping.log.lines());
    }
}

TEST(HoldSleepTest, AnIdleLinkWakesTheTimerTwiceASecondAtMost) {
    HoldRun ticking(false);
    HoldRun sleeping(true);
    ticking.Run({}, 10500);
    sleeping.Run({}, 10500);
    EXPECT_GE(ticking.holdTicksDelivered, 500);
    // At most the keep-alive's tick and one after its acknowledgement each second.
    EXPECT_LE(sleeping.holdTicksDelivered, 2 * 11);
    EXPECT_TRUE(sleeping.engine.holdAsleep());
}

}  // namespace
}  // namespace zt::test
