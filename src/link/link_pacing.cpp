// The hold timer: one queued frame per acknowledgement, a keep-alive after each silent second,
// repeats of an unanswered frame (also of the one a pending action waits for), the action
// waiting for an acknowledgement, and the loss of the link.

#include <algorithm>

#include "link/link_engine.h"

namespace zt {

namespace {
// 50 ticks of 20 ms: one second.
constexpr int kTicksPerSecond = 50;
// A pending action waits at most this many silent seconds for its acknowledgement.
constexpr int kPendingMissLimit = 50;
// While online, the fifth silent second ends the link.
constexpr int kOnlineMissLimit = 4;
// The frame in flight went unanswered at its send and at its first repeat: from the third
// silent second on it no longer holds back what the user writes.
constexpr int kHeldBackSeconds = 3;
}  // namespace

bool LinkEngine::ReleasesHeldWrites() const {
    // A frame lost on a noisy line and at its repeat must not keep the processor from hearing
    // anything else: then the only frames out would be that frame's repeats, and three losses
    // of one frame would look like a processor that stopped answering. The writes the user made
    // since it went out leave (in order, with those queued before them), so that their answers
    // show that the processor is there; the lost frame is mended by the read-back. A processor
    // that answers nothing at all still ends the link at the fifth silent second, and without a
    // new write nothing but the repeats goes out, as before.
    return linkOnline_ && pendingAction_ == kNoPendingAction && !ready_ && heldWrite_ &&
           missCount_ >= kHeldBackSeconds && !queue_.IsEmpty();
}

void LinkEngine::OnHoldTick() {
    if (!holdRunning_) return;
    if (holdAsleep_) {
        // The timer delivers the tick after the ones it left out: they are all due.
        holdAsleep_ = false;
        for (int i = 0; i < holdSleepTicks_; ++i) HoldTick();
    }
    HoldTick();
    SleepHoldWhileQuiet();
}

int LinkEngine::QuietHoldTicks() const {
    if (!holdRunning_ || !linkOnline_ || !ready_ || pendingAction_ != kNoPendingAction ||
        !queue_.IsEmpty() || acks_.waitingCount() != 0) {
        return 0;
    }
    // A page waiting for the read-back (even one resting after a reported value) or an answer
    // on its way makes a later tick do more than count.
    if (readBack_.HasPendingPages() || readBack_.requestOut() || !confirmationWaits_.empty() ||
        checkingUpload_ || hasDeferredSave_) {
        return 0;
    }
    // The tick that completes the silent second sends the keep-alive.
    return std::max(kTicksPerSecond - 1 - holdTick_, 0);
}

void LinkEngine::SleepHoldWhileQuiet() {
    if (holdAsleep_) return;
    const int quiet = QuietHoldTicks();
    if (quiet > 0 && clock_.SleepHold(quiet)) {
        holdAsleep_ = true;
        holdSleepTicks_ = quiet;
    }
}

void LinkEngine::WakeHold() {
    if (!holdAsleep_) return;
    holdAsleep_ = false;
    const int due = clock_.WakeHold();
    for (int i = 0; i < due; ++i) HoldTick();
}

void LinkEngine::HoldTick() {
    PassTime(kHoldPeriodMs);
    holdTick_ = holdTick_ <= kTicksPerSecond ? holdTick_ + 1 : kTicksPerSecond;
    if (writeFreeTicks_ < kTicksPerSecond) ++writeFreeTicks_;

    if (awaitAnswered_ && pendingAction_ != kNoPendingAction) {
        const int action = pendingAction_;
        pendingAction_ = kNoPendingAction;
        StopAwaiting();
        RunLinkAction(action);
        missCount_ = 0;
        holdTick_ = 0;
    } else if (pendingAction_ != kNoPendingAction && holdTick_ == kTicksPerSecond) {
        holdTick_ = 0;
        if (++missCount_ > kPendingMissLimit) {
            missCount_ = 0;
            SetHold(false);
            RunLinkAction(7);
        } else if (missCount_ % 2 == 0 && !inFlightFrame_.empty()) {
            // The frame the action waits for (a mode save or load, a paced write) may have
            // been lost on the line, or its acknowledgement: it goes out again, as it was, and
            // the acknowledgement of either copy completes the action.
            Send(inFlightFrame_, awaitMark_);
        }
    }

    if (ready_ && !queue_.IsEmpty()) {
        ready_ = false;
        missCount_ = 0;
        holdTick_ = 0;
        heldWrite_ = false;
        inFlight_ = queue_.Take();
        SendEntry(inFlight_);
    } else if (ReleasesHeldWrites()) {
        // One per tick; the silent seconds go on counting until the processor answers.
        inFlight_ = queue_.Take();
        SendEntry(inFlight_);
    }

    if (linkOnline_ && holdTick_ == kTicksPerSecond) {
        holdTick_ = 0;
        ++missCount_;
        if (ready_) {
            ready_ = false;
            missCount_ = 0;
            heldWrite_ = false;
            SendKeepAlive();
        } else if (missCount_ % 2 == 0) {
            // Every second silent second: the frame in flight again when more wait behind it,
            // otherwise a keep-alive. The frame in flight may itself be a keep-alive whose
            // acknowledgement was lost: it goes out again as it was, never as an old entry.
            if (queue_.IsEmpty() || inFlightFrame_.empty()) {
                SendKeepAlive();
            } else {
                Send(inFlightFrame_);
            }
        }
        if (missCount_ > kOnlineMissLimit) {
            missCount_ = 0;
            SetHold(false);
            RunLinkAction(7);
        }
    }
    ReadBackStep();
}

}  // namespace zt
