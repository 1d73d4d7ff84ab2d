// The page transfer: a download asks for every page, the mode names and the system items one
// after another; an upload sends every page of the device image. One step per answer on the
// 100 ms transfer timer, with a repeat and a time-out.

#include <array>

#include "link/frame_codec.h"
#include "link/link_engine.h"
#include "link/protocol.h"

namespace zt {

namespace {

constexpr int kModeNameStep = 30;
constexpr int kLastPageStep = kTransferPageCount - 1;

// System items in download order, transfer counter 31..38.
constexpr std::array<ParamAddress, 8> kSystemItems = {
    kAddrSaveMode,    kAddrLoadMode,       kAddrSystemItem3,   kAddrPanelKeyLock,
    kAddrManagerFlag, kAddrSystemPassword, kAddrPanelPassword, kAddrUploadTail,
};

// Transfer ticks (100 ms) before the first request is repeated, before any request is
// repeated, and before the transfer gives up.
constexpr int kFirstRepeatTicks = 10;
constexpr int kRepeatTicks = 20;
constexpr int kGiveUpTicks = 100;

// The processor pauses briefly between the two chunks of page 0.
constexpr int kChunkPauseMs = 2;

}  // namespace

void LinkEngine::BeginTransfer(TransferDirection direction, int total) {
    transferCounter_ = 0;
    transferTotal_ = total;
    direction_ = direction;
    // Every first request gets the same repeat and time-out as the steps after it: without
    // this, a processor that answers the connect frame and then nothing would leave the link
    // "Linking..." for ever, and a stale acknowledgement would count as the first answer.
    transferStep_ = kStepWaiting;
    transferTick_ = 0;
    // The names are asked for from the first one on, even after an interrupted download.
    if (direction == TransferDirection::Read) modeRecordCounter_ = 0;
}

void LinkEngine::TransferPage(int counter) {
    if (direction_ == TransferDirection::Read) {
        RequestStep(counter);
    } else {
        UploadStep(counter);
    }
}

void LinkEngine::RequestStep(int counter) {
    if (counter >= 0 && counter < kTransferPageCount) {
        Send(BuildCommandFrame(kCommandRead, kAddrPageRequest, counter));
    } else if (counter == kModeNameStep) {
        const uint8_t record[2] = {static_cast<uint8_t>(recordRequest_), 0x00};
        Send(BuildFrame(kCommandRead, kAddrModeName, record));
    } else if (counter > kModeNameStep && counter <= kModeNameStep + int(kSystemItems.size())) {
        Send(BuildFrame(kCommandRead, kSystemItems[counter - kModeNameStep - 1], {}));
    }
}

void LinkEngine::UploadStep(int counter) {
    if (counter < 0 || counter >= kTransferPageCount) return;
    const std::vector<Bytes> frames = BuildPageUploadFrames(model_.image(), counter);
    for (size_t i = 0; i < frames.size(); ++i) {
        if (i > 0) clock_.Pause(kChunkPauseMs);
        Send(frames[i]);
    }
    if (counter == kLastPageStep) {
        SendValue(kAddrUploadTail, model_.image().Get(kAddrUploadTail));
    }
}

void LinkEngine::OnTransferTick() {
    if (!transferRunning_) return;
    if (transferTick_ < kGiveUpTicks) ++transferTick_;
    view_.UpdateStatusDialog(ProgressPercent());
    view_.ShowStatusDialog();

    const bool answer = transferStep_ == kStepFrame || (transferStep_ == kStepShortMessage &&
                                                        direction_ == TransferDirection::Write);
    if (answer) {
        AdvanceTransfer();
        transferStep_ = kStepWaiting;
        transferTick_ = 0;
    } else if (transferStep_ == kStepWaiting && transferTick_ > kFirstRepeatTicks) {
        if (transferCounter_ == 0) TransferPage(0);
        transferStep_ = kStepRepeated;
        transferTick_ = 0;
    } else if (transferStep_ == kStepRepeated && transferTick_ > kRepeatTicks) {
        TransferPage(transferCounter_);
        transferStep_ = kStepLastChance;
        transferTick_ = 0;
    } else if (transferStep_ == kStepLastChance && transferTick_ >= kGiveUpTicks) {
        transferStep_ = kStepIdle;
        RunLinkAction(9);
    }
}

void LinkEngine::AdvanceTransfer() {
    if (transferCounter_ >= transferTotal_) {
        transferStep_ = kStepIdle;
        SetTransfer(false);
        RunLinkAction(1);
    } else if (transferCounter_ == kModeNameStep) {
        // Each name is asked for twice; past the last record the system items follow.
        recordRequest_ = modeRecordCounter_;
        if (++modeRecordCounter_ > kDeviceModeCount) {
            modeRecordCounter_ = 0;
            ++transferCounter_;
        }
        TransferPage(transferCounter_);
        TransferPage(transferCounter_);
    } else {
        if (transferCounter_ == kLastPageStep) recordRequest_ = modeRecordCounter_++;
        ++transferCounter_;
        TransferPage(transferCounter_);
    }
}

}  // namespace zt
