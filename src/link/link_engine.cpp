#include "link/link_engine.h"

#include <utility>

#include "link/frame_codec.h"
#include "link/link_texts.h"
#include "link/protocol.h"

namespace zt {

LinkEngine::LinkEngine(ParamModel& model, SerialPort& port, LinkView& view, LinkClock& clock,
                       DiagnosticLog& log)
    : model_(model), port_(port), view_(view), clock_(clock), log_(log) {}

void LinkEngine::SetPortNames(std::vector<std::string> names) {
    portNames_ = std::move(names);
    portIndex_ = portNames_.empty() ? -1 : 0;
}

void LinkEngine::SelectPort(int index) {
    // Selecting past the end leaves the list without a current entry.
    portIndex_ = index >= 0 && index < static_cast<int>(portNames_.size()) ? index : -1;
}

// --- Receiving ---

void LinkEngine::OnReceive(std::span<const uint8_t> bytes, size_t eventCount) {
    WakeHold();
    receiver_.Receive(bytes, eventCount, *this, log_);
    // The acknowledgement of the keep-alive leaves the link quiet until the next one.
    SleepHoldWhileQuiet();
}

void LinkEngine::OnShortMessage() {
    answered_ = true;
    ready_ = true;
    // The acknowledgement answers the oldest frame still waiting; only that frame's own
    // answer completes a save, a mode load or an upload step.
    const int mark = acks_.Acknowledge();
    if (awaitMark_ != AckLedger::kUnmarked && mark == awaitMark_) awaitAnswered_ = true;
    if (transferRunning_) {
        // Only an upload waits for short messages, and only for its page's last frame. A stray
        // one during a download would end the download's waiting stage and with it the repeat
        // and the time-out.
        if (direction_ == TransferDirection::Write && awaitAnswered_) {
            transferStep_ = kStepShortMessage;
        }
    } else {
        transferStep_ = kStepShortMessage;
    }
}

void LinkEngine::OnFrame(std::span<const uint8_t> frame) {
    if (transferRunning_ && direction_ == TransferDirection::Read) {
        if (TakeDownloadFrame(frame)) transferStep_ = kStepFrame;
        return;
    }
    if (frame.size() >= 7 && frame[4] < kTransferPageCount &&
        (linkOnline_ || readBack_.requestOut())) {
        // While online nobody asks for pages but the read-back, and its answers are compared,
        // never taken: the image holds what the user set.
        TakeReadBackFrame(frame);
        return;
    }
    const ApplyOutcome outcome =
        ApplyFrame(frame, FrameTargets{model_.image(), info_, log_, modeRecordCounter_});
    if (outcome.deviceIdChanged) view_.ShowDeviceId(info_.deviceId);
    // A frame is no answer to an upload step.
    if (!transferRunning_) transferStep_ = kStepFrame;
}

bool LinkEngine::TakeDownloadFrame(std::span<const uint8_t> frame) {
    const ApplyOutcome outcome =
        ApplyFrame(frame, FrameTargets{stagedImage_, stagedInfo_, log_, modeRecordCounter_});
    if (!outcome.applied) return false;
    if (outcome.deviceIdChanged) view_.ShowDeviceId(stagedInfo_.deviceId);
    const int dataBytes = frame[2] - kLengthOverhead;
    return AnswersRequest(frame[4], frame[5], dataBytes);
}

// --- Writing ---

void LinkEngine::WriteParameter(ParamAddress logical, int value) {
    WakeHold();
    if (!IsStoreAddress(logical)) return;
    model_.StoreValue(logical, value);
    const ParamAddress device = model_.ToDeviceAddress(logical);
    if (suppressSend_ || !linkOnline_) return;

    // The write counts for the read-back's quiet second, never for the silence of the
    // processor: a user typing on must not hold back the repeat and the loss check.
    writeFreeTicks_ = 0;
    readBack_.NoteWrite(device);
    if (QueueBehindUnanswered(device, value)) return;
    int mark = AckLedger::kUnmarked;
    if (device == kAddrLoadMode) {
        // Loading a mode changes every parameter: the acknowledgement starts a reload.
        view_.ShowLinkStatus(kStatusLoading);
        linkOnline_ = false;
        missCount_ = 0;
        pendingAction_ = kPendingReload;
        mark = StartAwaiting();
    } else if (device == kAddrSaveMode) {
        pendingAction_ = kPendingModeSaved;
        mark = StartAwaiting();
    } else {
        pendingAction_ = kNoPendingAction;
    }
    SendNow(device, value, mark);
    if (pendingAction_ != kNoPendingAction) ready_ = false;
}

void LinkEngine::SendOrQueue(ParamAddress device, int value) {
    if (!QueueBehindUnanswered(device, value)) SendNow(device, value, AckLedger::kUnmarked);
}

bool LinkEngine::QueueBehindUnanswered(ParamAddress device, int value) {
    if (ready_ && queue_.IsEmpty()) return false;
    if (!queue_.Push(device, value)) view_.ShowWriteNotHeld(device);
    heldWrite_ = true;
    return true;
}

void LinkEngine::SendNow(ParamAddress device, int value, int mark) {
    queue_.Clear();
    queue_.Push(device, value);
    inFlight_ = queue_.Take();
    SendEntry(inFlight_, mark);
}

void LinkEngine::WriteParameterPaced(ParamAddress logical, int value) {
    WriteParameter(logical, value);
    ready_ = false;
}

void LinkEngine::WriteString(ParamAddress address, std::string_view text) {
    WakeHold();
    Send(BuildTextFrame(address, text));
}

void LinkEngine::SaveMode(std::string_view text) {
    WakeHold();
    if (readBackEnabled_ && readBack_.HasPendingPages() && linkOnline_) {
        // The processor stores what it holds: first make sure it holds what the user set.
        deferredSave_.assign(text);
        hasDeferredSave_ = true;
        readBackUrgent_ = true;
        view_.ShowLinkStatus(kStatusSaving);
        PublishReadBack();
        return;
    }
    SendSave(text);
}

void LinkEngine::SendDeferredSave() {
    hasDeferredSave_ = false;
    const std::string text = std::move(deferredSave_);
    deferredSave_.clear();
    SendSave(text);
}

void LinkEngine::SendSave(std::string_view text) {
    ExpectSaveResult();
    SendInFlight(BuildTextFrame(kAddrSaveMode, text), awaitMark_);
}

void LinkEngine::ExpectSaveResult() {
    WakeHold();
    pendingAction_ = kPendingModeSaved;
    // "保存成功!" must mean that the processor acknowledged the save frame itself, not that an
    // earlier frame's acknowledgement arrived after the save went out.
    StartAwaiting();
    ready_ = false;
    view_.ShowLinkStatus(kStatusSaving);
    linkOnline_ = false;
    missCount_ = 0;
}

int LinkEngine::StartAwaiting() {
    awaitMark_ = nextMark_++;
    if (nextMark_ <= AckLedger::kUnmarked) nextMark_ = AckLedger::kUnmarked + 1;
    awaitAnswered_ = false;
    return awaitMark_;
}

void LinkEngine::StopAwaiting() {
    awaitMark_ = AckLedger::kUnmarked;
    awaitAnswered_ = false;
}

void LinkEngine::PassTime(int ms) {
    elapsedMs_ += ms;
    acks_.Expire(elapsedMs_);
}

void LinkEngine::Send(const Bytes& frame, int mark) {
    if (!port_.IsOpen()) return;
    port_.Write(frame);
    if (frame.size() > 3 && frame[3] == kCommandWrite) acks_.Sent(elapsedMs_, mark);
}

void LinkEngine::SendValue(ParamAddress device, int value, int mark) {
    Send(BuildCommandFrame(kCommandWrite, device, value), mark);
}

void LinkEngine::SendEntry(int index, int mark) {
    const TxEntry& entry = queue_.Entry(index);
    SendInFlight(BuildCommandFrame(kCommandWrite, entry.address, entry.value), mark);
}

void LinkEngine::SendKeepAlive() {
    SendInFlight(BuildCommandFrame(kCommandWrite, kAddrLinkControl, kLinkKeepAlive));
}

void LinkEngine::SendInFlight(const Bytes& frame, int mark) {
    inFlightFrame_ = frame;
    Send(inFlightFrame_, mark);
}

// --- Timers ---

void LinkEngine::SetHold(bool run) {
    if (run == holdRunning_) return;
    holdRunning_ = run;
    holdAsleep_ = false;  // a stopped timer sleeps no more; a started one first ticks
    run ? clock_.StartHold() : clock_.StopHold();
}

void LinkEngine::SetSearch(bool run) {
    if (run == searchRunning_) return;
    searchRunning_ = run;
    run ? clock_.StartSearch() : clock_.StopSearch();
}

void LinkEngine::SetTransfer(bool run) {
    if (run == transferRunning_) return;
    transferRunning_ = run;
    run ? clock_.StartTransfer() : clock_.StopTransfer();
}

int LinkEngine::ProgressPercent() const {
    if (transferTotal_ <= 0) return 0;
    const int scaled = transferCounter_ * 100;
    int percent = scaled / transferTotal_;
    const int twiceRest = 2 * (scaled % transferTotal_);
    if (twiceRest > transferTotal_ || (twiceRest == transferTotal_ && percent % 2 == 1)) {
        ++percent;
    }
    return percent;
}

}  // namespace zt
