// Read-back while online: once the line has been free of writes for a second, the pages written
// since they were last confirmed are asked for one per request tick with the download's page
// request; every written slot is compared with the answer and a differing value goes out again
// through the ordinary path. Requests never hold back a keep-alive or a write: they leave on a
// hold tick of their own, and their answers are frames, not acknowledgements.

#include "link/frame_codec.h"
#include "link/link_engine.h"
#include "link/link_texts.h"
#include "link/protocol.h"

namespace zt {

namespace {
// Hold ticks per request tick: one request per transfer-timer period.
constexpr int kHoldTicksPerRequestTick = kTransferPeriodMs / kHoldPeriodMs;
// Request ticks an answer may take before the request is given up.
constexpr int kAnswerTicks = 10;
// Hold ticks without a write before the pages are asked for: one second.
constexpr int kQuietTicks = 1000 / kHoldPeriodMs;
}  // namespace

void LinkEngine::SetReadBackEnabled(bool enabled) {
    if (enabled == readBackEnabled_) return;
    WakeHold();
    readBackEnabled_ = enabled;
    readBack_.Reset();
    readBackUrgent_ = false;
    PublishReadBack();
    if (!enabled && hasDeferredSave_) SendDeferredSave();
}

void LinkEngine::ResetReadBack() {
    // Whoever waits for the values to be confirmed learns which never were.
    std::vector<ParamAddress> open = readBack_.PendingAddresses();
    readBack_.Reset();
    readBackUrgent_ = false;
    checkingUpload_ = false;
    hasDeferredSave_ = false;
    deferredSave_.clear();
    FinishConfirmationWaits(readBackEnabled_, std::move(open));
    PublishReadBack();
}

void LinkEngine::WhenWritesConfirmed(WriteConfirmationDone done) {
    WakeHold();
    confirmationWaits_.push_back(std::move(done));
    if (!ReadBackChecking()) FinishConfirmationWaits(ReadBackAsks(), readBack_.Unconfirmed());
}

void LinkEngine::FinishConfirmationWaits(bool checked, std::vector<ParamAddress> notConfirmed) {
    if (confirmationWaits_.empty()) return;
    const WriteConfirmation confirmation{checked, std::move(notConfirmed)};
    std::vector<WriteConfirmationDone> waits;
    waits.swap(confirmationWaits_);
    for (const WriteConfirmationDone& done : waits) done(confirmation);
}

bool LinkEngine::ReadBackAsks() const {
    return linkOnline_ && readBackEnabled_;
}

bool LinkEngine::ReadBackChecking() const {
    return readBackEnabled_ && (readBack_.HasPageToRequest() || readBack_.requestOut());
}

bool LinkEngine::ReadBackMayRequest() const {
    // Only an idle, acknowledged line with nothing waiting: a page compared while writes still
    // queue would send them twice.
    return linkOnline_ && pendingAction_ == kNoPendingAction && ready_ && queue_.IsEmpty() &&
           (readBackUrgent_ || writeFreeTicks_ >= kQuietTicks) && readBack_.HasPageToRequest();
}

void LinkEngine::ReadBackStep() {
    if (!holdRunning_ || !readBackEnabled_) return;
    if (++readBackDivider_ < kHoldTicksPerRequestTick) return;
    readBackDivider_ = 0;
    readBack_.Tick();
    if (readBack_.requestOut()) {
        if (++readBackWaitTicks_ <= kAnswerTicks) return;
        const ReadBack::Outcome outcome = readBack_.AbandonRequest();
        if (!outcome.newlyUnconfirmed.empty()) view_.ReportUnconfirmed(outcome.newlyUnconfirmed);
    }
    if (ReadBackMayRequest()) {
        const int page = readBack_.BeginRequest();
        readBackWaitTicks_ = 0;
        Send(BuildCommandFrame(kCommandRead, kAddrPageRequest, page));
    }
    PublishReadBack();
}

void LinkEngine::TakeReadBackFrame(std::span<const uint8_t> frame) {
    const int dataBytes = frame[2] - kLengthOverhead;
    if (dataBytes < 0 || frame.size() < static_cast<size_t>(kFrameOverhead + dataBytes)) return;
    const std::span<const uint8_t> data = frame.subspan(6, dataBytes);
    // A spoiled answer proves nothing: the request runs out and the page is asked for again.
    if (FrameChecksum(frame[3], MakeAddress(frame[4], frame[5]), data) != frame[6 + dataBytes]) {
        return;
    }
    if (!readBack_.TakeAnswer(frame[4], frame[5], data)) return;
    const ReadBack::Outcome outcome = readBack_.Compare(model_.image());
    for (ParamAddress address : outcome.resend) SendOrQueue(address, model_.image().Get(address));
    // The values sent again are writes: the next round waits for their quiet second.
    if (!outcome.resend.empty()) writeFreeTicks_ = 0;
    if (!outcome.newlyUnconfirmed.empty()) view_.ReportUnconfirmed(outcome.newlyUnconfirmed);
    PublishReadBack();
}

void LinkEngine::PublishReadBack() {
    const bool checking = ReadBackChecking();
    ReadBackStatus status{readBackEnabled_, checking, readBack_.Unconfirmed()};
    if (!checking) readBackUrgent_ = false;
    if (status != readBackStatus_) {
        readBackStatus_ = std::move(status);
        view_.ShowReadBack(readBackStatus_);
    }
    if (checking) return;
    // Everything that can be confirmed is: what waited for that goes ahead.
    FinishConfirmationWaits(ReadBackAsks(), readBack_.Unconfirmed());
    if (checkingUpload_) {
        checkingUpload_ = false;
        if (linkOnline_) view_.ShowLinkStatus(kStatusOnline);
    }
    if (hasDeferredSave_ && linkOnline_) SendDeferredSave();
}

}  // namespace zt
