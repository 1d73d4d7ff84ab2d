#pragma once
// The three link timers as the link engine drives them. The engine tells its owner when a timer
// is enabled or disabled (only on a change, so enabling a running timer does not restart its
// period); the owner calls the engine's matching tick while the timer runs: OnHoldTick every
// 20 ms, OnSearchTick every 1000 ms, OnTransferTick every 100 ms. The Qt wiring backs these with
// QTimers on the user-interface thread; tests step the ticks themselves.

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
};

}  // namespace zt
