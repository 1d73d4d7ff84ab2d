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
    receiver_.Receive(bytes, eventCount, *this, log_);
}

void LinkEngine::OnShortMessage() {
    answered_ = true;
    ready_ = true;
    // Only an upload waits for short messages. A stray one during a download would end the
    // download's waiting stage and with it the repeat and the time-out.
    if (!(transferRunning_ && direction_ == TransferDirection::Read)) {
        transferStep_ = kStepShortMessage;
    }
}

void LinkEngine::OnFrame(std::span<const uint8_t> frame) {
    const ApplyOutcome outcome =
        ApplyFrame(frame, FrameTargets{model_.image(), info_, log_, modeRecordCounter_});
    if (outcome.deviceIdChanged) view_.ShowDeviceId(info_.deviceId);
    transferStep_ = kStepFrame;
}

// --- Writing ---

void LinkEngine::WriteParameter(ParamAddress logical, int value) {
    if (!IsStoreAddress(logical)) return;
    model_.StoreValue(logical, value);
    const ParamAddress device = model_.ToDeviceAddress(logical);
    if (suppressSend_ || !linkOnline_) return;

    holdTick_ = 0;
    if (!ready_ || !queue_.IsEmpty()) {
        queue_.Push(device, value);
        return;
    }
    if (device == kAddrLoadMode) {
        // Loading a mode changes every parameter: the acknowledgement starts a reload.
        view_.ShowLinkStatus(kStatusLoading);
        linkOnline_ = false;
        missCount_ = 0;
        pendingAction_ = kPendingReload;
    } else if (device == kAddrSaveMode) {
        pendingAction_ = kPendingModeSaved;
    } else {
        pendingAction_ = kNoPendingAction;
    }
    queue_.Clear();
    queue_.Push(device, value);
    inFlight_ = queue_.Take();
    SendEntry(inFlight_);
    if (pendingAction_ != kNoPendingAction) ready_ = false;
}

void LinkEngine::WriteParameterPaced(ParamAddress logical, int value) {
    WriteParameter(logical, value);
    ready_ = false;
}

void LinkEngine::WriteString(ParamAddress address, std::string_view text) {
    Send(BuildTextFrame(address, text));
}

void LinkEngine::SaveMode(std::string_view text) {
    SendInFlight(BuildTextFrame(kAddrSaveMode, text));
    ExpectSaveResult();
}

void LinkEngine::ExpectSaveResult() {
    pendingAction_ = kPendingModeSaved;
    // "保存成功!" must mean that the processor acknowledged the save frame, not merely that an
    // earlier frame had been acknowledged before it went out.
    ready_ = false;
    view_.ShowLinkStatus(kStatusSaving);
    linkOnline_ = false;
    missCount_ = 0;
}

void LinkEngine::Send(const Bytes& frame) {
    if (port_.IsOpen()) port_.Write(frame);
}

void LinkEngine::SendValue(ParamAddress device, int value) {
    Send(BuildCommandFrame(kCommandWrite, device, value));
}

void LinkEngine::SendEntry(int index) {
    const TxEntry& entry = queue_.Entry(index);
    SendInFlight(BuildCommandFrame(kCommandWrite, entry.address, entry.value));
}

void LinkEngine::SendKeepAlive() {
    SendInFlight(BuildCommandFrame(kCommandWrite, kAddrLinkControl, kLinkKeepAlive));
}

void LinkEngine::SendInFlight(const Bytes& frame) {
    inFlightFrame_ = frame;
    Send(inFlightFrame_);
}

// --- Timers ---

void LinkEngine::SetHold(bool run) {
    if (run == holdRunning_) return;
    holdRunning_ = run;
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
