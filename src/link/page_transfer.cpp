// The page transfer: a download asks for every page, the mode names and the system items one
// after another; an upload sends every page of the device image. One step per answer on the
// 100 ms transfer timer, with a repeat and a time-out.

#include <array>

#include "link/frame_codec.h"
#include "link/link_engine.h"
#include "link/link_texts.h"
#include "link/protocol.h"
#include "params/page_table.h"

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
    if (direction == TransferDirection::Read) {
        modeRecordCounter_ = 0;
        // Assembled aside: a download that fails leaves the image as the window shows it.
        stagedImage_ = model_.image();
        stagedInfo_ = info_;
    }
    uploadTailSent_ = false;
    StopAwaiting();
    ExpectReply();
}

void LinkEngine::ExpectReply() {
    replyCoverage_.reset();
}

bool LinkEngine::AnswersRequest(int page, int slot, int dataBytes) {
    const int counter = transferCounter_;
    if (counter >= 0 && counter < kTransferPageCount) {
        // A page may come in several frames (page 0 does): the step is answered once every
        // slot the page carries has come.
        if (page != counter) return false;
        for (int k = 0; k < dataBytes / 2 && slot + k < kSlotCount; ++k) {
            replyCoverage_.set(slot + k);
        }
        for (int s = 0; s < PageSlotCount(page); ++s) {
            if (!replyCoverage_.test(s)) return false;
        }
        return true;
    }
    const ParamAddress address = MakeAddress(page, slot);
    if (counter == kModeNameStep) return address == kAddrModeName;
    if (counter > kModeNameStep && counter <= kModeNameStep + int(kSystemItems.size())) {
        return address == kSystemItems[counter - kModeNameStep - 1];
    }
    return false;
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
    // The step is answered by the acknowledgement of its own last frame only: page 0's second
    // chunk when its first was lost is no answer, nor is a late one of the page before.
    const int mark = StartAwaiting();
    if (uploadTailSent_) {
        // After the last page, the value of 0x1E14 is a step of its own.
        SendValue(kAddrUploadTail, model_.image().Get(kAddrUploadTail), mark);
        return;
    }
    const std::vector<Bytes> frames = BuildPageUploadFrames(model_.image(), counter);
    for (size_t i = 0; i < frames.size(); ++i) {
        if (i > 0) clock_.Pause(kChunkPauseMs);
        Send(frames[i], i + 1 == frames.size() ? mark : AckLedger::kUnmarked);
    }
}

void LinkEngine::OnTransferTick() {
    if (!transferRunning_) return;
    WakeHold();
    PassTime(kTransferPeriodMs);
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
        if (direction_ == TransferDirection::Write) {
            UploadFailed();
        } else {
            RunLinkAction(9);
        }
    } else if (transferStep_ == kStepLastChance && transferTick_ % kRepeatTicks == 0) {
        // Waiting for the time-out, the step goes out again every two seconds: on a noisy line
        // a frame lost at its send and at its one repeat would otherwise fail the transfer (at
        // 10 % lost frames, one upload in three). The repeat and the time-out keep their times.
        TransferPage(transferCounter_);
    }
}

void LinkEngine::UploadFailed() {
    // The processor holds the pages acknowledged so far and its own older values after them:
    // say so and what to do, and keep the file's values marked as not on the processor.
    std::vector<ParamAddress> notSent;
    for (int page = transferCounter_; page < kTransferPageCount && !uploadTailSent_; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            notSent.push_back(MakeAddress(page, slot));
        }
    }
    notSent.push_back(kAddrUploadTail);
    SetTransfer(false);
    view_.MarkNotOnProcessor(notSent);
    ActionFailed(kMessageUploadFailed);
}

void LinkEngine::AdvanceTransfer() {
    if (direction_ == TransferDirection::Write && transferCounter_ == kLastPageStep &&
        !uploadTailSent_) {
        uploadTailSent_ = true;
        TransferPage(transferCounter_);
    } else if (transferCounter_ >= transferTotal_) {
        transferStep_ = kStepIdle;
        SetTransfer(false);
        RunLinkAction(1);
    } else if (transferCounter_ == kModeNameStep) {
        // Each name is asked for twice; past the last record the system items follow.
        recordRequest_ = modeRecordCounter_;
        if (++modeRecordCounter_ > kDeviceModeCount) {
            modeRecordCounter_ = 0;
            ++transferCounter_;
            ExpectReply();
        }
        TransferPage(transferCounter_);
        TransferPage(transferCounter_);
    } else {
        if (transferCounter_ == kLastPageStep) recordRequest_ = modeRecordCounter_++;
        ++transferCounter_;
        ExpectReply();
        TransferPage(transferCounter_);
    }
}

}  // namespace zt
