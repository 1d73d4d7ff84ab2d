#pragma once
// Runs the link's search and transfer steps as soon as the processor has answered, instead of
// on their 1 s and 100 ms timers, so that a download or an upload takes a fraction of a second.
// The hold timer and the real timers go on as they are; the engine is only entered between
// events, as its timers enter it.

#include <QDeadlineTimer>
#include <QTest>
#include <cstdio>
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

// Longest wait for one answer of the processor. On a busy machine an answer can take seconds;
// the steps below end as soon as it comes, and the link's own timers go on meanwhile (a search
// tick tries the port again, a transfer tick asks again), as they do in the editor.
inline constexpr int kAnswerWaitMs = 5000;
// Longest wait for a whole search and download.
inline constexpr int kOnlineWaitMs = 90000;

// Whether the link has come to rest off line: no search, no transfer, no hold timer (the link
// failed or was lost).
inline bool LinkEnded(const LinkEngine& link) {
    return !link.linkOnline() && !link.searchRunning() && !link.transferRunning() &&
           !link.holdRunning();
}

// Searches that a test drive starts again after the link ended. On a loaded machine the search's
// own one-second timer can give up on a port before the processor's answer is handled, as it
// would for a user, who clicks the link button again.
inline constexpr int kSearchesAgain = 3;

// Drives the search or transfer under way until the link is online.
inline bool DriveOnline(LinkEngine& link, int ms = kOnlineWaitMs) {
    const QDeadlineTimer deadline(ms);
    int searchesAgain = 0;
    while (!link.linkOnline()) {
        if (deadline.hasExpired()) return false;
        if (LinkEnded(link)) {
            if (searchesAgain++ == kSearchesAgain) return false;
            std::fprintf(stderr, "the link ended off line; searching again\n");
            link.OnLinkButton(LinkButton::LinkBtn);
        }
        if (link.searchRunning()) {
            // The tick that follows an answer starts the download; until then the search goes
            // on only through its own timer, so a slow answer is not taken for silence.
            if (!link.answered()) link.OnSearchTick();
            WaitFor([&] { return link.answered() || !link.searchRunning(); }, kAnswerWaitMs);
            if (link.searchRunning() && link.answered()) link.OnSearchTick();
        } else if (link.transferRunning()) {
            WaitFor([&] { return !link.transferRunning() || TransferAnswered(link); },
                    kAnswerWaitMs);
            QTest::qWait(1);  // a request asked twice is answered twice
            if (link.transferRunning() && TransferAnswered(link)) link.OnTransferTick();
        } else {
            QTest::qWait(1);
        }
    }
    return true;
}

// Waits until a transfer has started (a loaded mode, an upload), then drives it to its end.
inline bool DriveThroughTransfer(LinkEngine& link) {
    if (!WaitFor([&] { return link.transferRunning(); }, kAnswerWaitMs)) return false;
    return DriveOnline(link);
}

}  // namespace zt::test
