#pragma once
// Runs the link's search and transfer steps as soon as the processor has answered, instead of
// on their 1 s and 100 ms timers, so that a download or an upload takes a fraction of a second.
// The hold timer and the real timers go on as they are; the engine is only entered between
// events, as its timers enter it.

#include <QDeadlineTimer>
#include <QTest>
#include <functional>

#include "link/link_engine.h"

namespace zt::test {

// Waits, handling events, until `done` or `ms` milliseconds have passed.
inline bool WaitFor(const std::function<bool()>& done, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QTest::qWait(1);
    }
    return true;
}

inline bool TransferAnswered(const LinkEngine& link) {
    return link.transferStep() == kStepFrame ||
           (link.transferStep() == kStepShortMessage &&
            link.transferDirection() == TransferDirection::Write);
}

// Drives the search or transfer under way until the link is online.
inline bool DriveOnline(LinkEngine& link, int ms = 20000) {
    const QDeadlineTimer deadline(ms);
    while (!link.linkOnline()) {
        if (deadline.hasExpired()) return false;
        if (link.searchRunning()) {
            link.OnSearchTick();
            WaitFor([&] { return link.answered(); }, 200);
        } else if (link.transferRunning()) {
            WaitFor([&] { return !link.transferRunning() || TransferAnswered(link); }, 300);
            QTest::qWait(1);  // a request asked twice is answered twice
            if (link.transferRunning()) link.OnTransferTick();
        } else {
            QTest::qWait(1);
        }
    }
    return true;
}

// Waits until a transfer has started (a loaded mode, an upload), then drives it to its end.
inline bool DriveThroughTransfer(LinkEngine& link) {
    if (!WaitFor([&] { return link.transferRunning(); }, 3000)) return false;
    return DriveOnline(link);
}

}  // namespace zt::test
