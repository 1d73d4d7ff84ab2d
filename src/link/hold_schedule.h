#pragma once
// When the hold timer ticks, on any clock that counts milliseconds. Ticks come one period
// apart in a fixed phase. While the link is quiet the timer may sleep: the next `n` ticks are
// left out and the one after them comes at its due time. Whoever enters the link during the
// sleep learns how many of the left-out ticks were due before then and may end the sleep, after
// which the ticks come every period again, in the same phase.
//
// A tick more than a period late is not made up for: the next one comes a period after it,
// as with the toolkit's own repeating timers.

#include <algorithm>
#include <cstdint>

namespace zt {

class HoldSchedule {
public:
    explicit HoldSchedule(int64_t periodMs) : period_(periodMs) {}

    // The timer starts at `now`: its first tick is due one period later.
    void Start(int64_t now) {
        lastDue_ = now;
        sleepTicks_ = 0;
    }

    // When the next tick to deliver is due.
    int64_t nextDue() const { return lastDue_ + (sleepTicks_ + 1) * period_; }

    // The timer woke at `now`. True when the next tick is due: it counts as delivered (ending a
    // sleep: its left-out ticks are all due). False when the timer woke early.
    bool Fire(int64_t now) {
        const int64_t due = nextDue();
        if (now < due) return false;
        lastDue_ = now - due > period_ ? now : due;
        sleepTicks_ = 0;
        return true;
    }

    // Leaves out the next `ticks` ticks (none for 0 or fewer).
    void Sleep(int ticks) { sleepTicks_ = std::max(ticks, 0); }
    bool asleep() const { return sleepTicks_ > 0; }
    int sleepTicks() const { return sleepTicks_; }

    // During a sleep: how many of the left-out ticks are due by `now`.
    int LeftOutDue(int64_t now) const {
        if (sleepTicks_ == 0 || now < lastDue_) return 0;
        return static_cast<int>(std::min<int64_t>((now - lastDue_) / period_, sleepTicks_));
    }

    // Ends the sleep at `now`: the left-out ticks due by then count as delivered (returned,
    // for the link to count); the next tick is the first one after them.
    int Wake(int64_t now) {
        const int due = LeftOutDue(now);
        lastDue_ += due * period_;
        sleepTicks_ = 0;
        return due;
    }

private:
    int64_t period_;
    int64_t lastDue_ = 0;  // when the tick delivered last was due (or the start)
    int sleepTicks_ = 0;
};

}  // namespace zt
