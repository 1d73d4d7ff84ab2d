#pragma once
// The three link timers as the link engine drives them. The engine tells its owner when a timer
// is enabled or disabled (only on a change, so enabling a running timer does not restart its
// period); the owner calls the engine's matching tick while the timer runs: OnHoldTick every
// 20 ms, OnSearchTick every 1000 ms, OnTransferTick every 100 ms. The Qt wiring backs these with
// QTimers on the user-interface thread; tests step the ticks themselves.
//
// The hold timer may sleep while the link is quiet: when the next ticks would only count the
// silence, the engine asks the clock to leave them out (SleepHold). Whenever the engine is
// entered during the sleep it ends the sleep (WakeHold) and counts the left-out ticks due before
// then itself; a tick the timer delivers ends the sleep with all of them due. A clock that
// cannot sleep keeps the defaults and ticks on.

namespace zt {

inline constexpr int kHoldPeriodMs = 20;
inline constexpr int kSearchPeriodMs = 1000;
inline constexpr int kTransferPeriodMs = 100;

class LinkClock {
public:
    virtual ~LinkClock() = default;
    virtual void StartHold() = 0;
    virtual void StopHold() = 0;
    virtual void StartSearch() = 0;
    virtual void StopSearch() = 0;
    virtual void StartTransfer() = 0;
    virtual void StopTransfer() = 0;
    // Waits briefly between the two frames of a page 0 upload so that the processor takes
    // them as two frames (2 ms); the real port should let the first frame drain first.
    virtual void Pause(int milliseconds) = 0;

    // Leaves out the next `ticks` hold ticks; false when the clock cannot sleep.
    virtual bool SleepHold(int /*ticks*/) { return false; }
    // During a sleep: how many of the left-out ticks are due by now.
    virtual int HoldTicksLeftOutDue() const { return 0; }
    // Ends the sleep: the left-out ticks due by now count as delivered (returned, for the
    // engine to count) and the hold timer ticks every period again, in its old phase, from the
    // first tick not counted.
    virtual int WakeHold() { return 0; }
};

}  // namespace zt
