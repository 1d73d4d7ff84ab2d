// Linking: the link button, the port search, the close of the main window and the numbered
// link actions that move the link between off line, busy and online.

#include <algorithm>

#include "link/frame_codec.h"
#include "link/link_engine.h"
#include "link/link_texts.h"
#include "link/port_problems.h"
#include "link/protocol.h"

namespace zt {

namespace {
// DeviceImage address of the output scene the processor runs (0 sing, 1 disco, 2 decode).
constexpr ParamAddress kAddrOutputScene = 0x00A1;
constexpr int kHighestScene = 2;
}  // namespace

void LinkEngine::OnLinkButton(LinkButton sender) {
    WakeHold();
    if (sender == LinkButton::LinkBtn && !linkOnline_) {
        StartSearch();
    } else {
        Disconnect();
    }
}

void LinkEngine::OnPortLost() {
    WakeHold();
    // Nothing can be acknowledged through a closed port, so end the link now instead of after
    // the acknowledgement time-outs. A search just goes on to the next port.
    if (transferRunning_) {
        transferStep_ = kStepIdle;
        if (direction_ == TransferDirection::Write) {
            UploadFailed();
        } else {
            SetTransfer(false);
            ActionFailed(kMessageLinkFailed);
        }
    } else if (holdRunning_) {
        missCount_ = 0;
        SetHold(false);
        ActionLost();
    }
}

void LinkEngine::StartSearch() {
    answered_ = false;
    portTryIndex_ = 0;
    lockStage_ = 0;
    suppressSend_ = false;
    receiver_.Reset();
    // An action still waiting from the previous link would otherwise run, and report, at the
    // first acknowledgement of the new one.
    pendingAction_ = kNoPendingAction;
    SelectPort(0);
    SetSearch(true);
    view_.SetLinkButtonLinked(true);
    SetTransfer(false);
    SetHold(false);
    queue_.DropPending();
    inFlightFrame_.clear();  // nothing of the previous link is repeated on the next
    acks_.Clear();
    StopAwaiting();
    ResetReadBack();
    portProblems_.clear();
    view_.ShowLinkStatus(kStatusSearch);
    transferCounter_ = 0;
    transferTotal_ = kDownloadTotal;
    view_.UpdateStatusDialog(ProgressPercent());
    view_.ShowStatusDialog();
}

void LinkEngine::Disconnect() {
    linkOnline_ = false;
    pendingAction_ = kNoPendingAction;
    ResetReadBack();
    view_.SetLinkButtonLinked(false);
    SetHold(false);
    SetSearch(false);
    SetTransfer(false);
    SendValue(kAddrLinkControl, kLinkDisconnect);  // the port stays open
    view_.ShowLinkStatus(kStatusOffLine);
    // "Off Line" reads in the off-line colour however the link ended.
    view_.SetLinkLabelColour(LinkLabelColour::OffLine);
    transferTotal_ = kUploadTotal;
    view_.UpdateStatusDialog(ProgressPercent());
    view_.HideStatusDialog();
}

void LinkEngine::OnMainWindowClose() {
    WakeHold();
    if (linkOnline_) SendValue(kAddrLinkControl, kLinkDisconnect);
}

void LinkEngine::OnSearchTick() {
    if (!searchRunning_) return;
    WakeHold();
    view_.ShowStatusDialog();
    if (answered_) {
        RunLinkAction(4);
        return;
    }
    // Every port tried, and the one after the last as well: nobody answered.
    if (portTryIndex_ > lastSelectedIndex_ + 1 || portIndex_ == -1) {
        portTryIndex_ = 0;
        RunLinkAction(9);
        // The user can mend what kept some ports shut: say what and how; with no such port,
        // say what to check.
        view_.ShowLinkMessage(
            portProblems_.empty() ? NoAnswerAdvice(portNames_) : PortProblemAdvice(portProblems_),
            kMessageCaption);
        return;
    }
    if (port_.IsOpen()) port_.Close();
    SelectPort(portTryIndex_);
    lastSelectedIndex_ = portIndex_;
    if (portIndex_ < 0) {
        // Past the end of the list: the dialog keeps the last port's line (and its problem).
        ++portTryIndex_;
        return;
    }
    const std::string name = portNames_[portIndex_];
    view_.ShowSearchPort(name);
    if (port_.Open(name)) {
        SendValue(kAddrLinkControl, kLinkConnect);
    } else {
        NotePortProblem(name);
    }
    ++portTryIndex_;
}

void LinkEngine::NotePortProblem(const std::string& name) {
    // A missing port only shows as one that does not answer; a port the user lacks the right
    // to, or one another program holds, is named with its cause.
    const PortProblem problem{name, port_.openFault(), port_.openHolder()};
    if (!IsUserMendable(problem.fault)) return;
    view_.ShowSearchPortProblem(name, PortProblemText(problem));
    portProblems_.push_back(problem);
}

void LinkEngine::RunLinkAction(int action) {
    switch (action) {
        case 1:
            ActionSynchronised();
            break;
        case 2:
            ActionReload();
            break;
        case 3:
            ActionModeSaved();
            break;
        case 4:
            ActionStartDownload();
            break;
        case 6:
            ActionStartUpload();
            break;
        case 7:
            ActionLost();
            break;
        case 9:
            ActionFailed(kMessageLinkFailed);
            break;
        default:
            break;
    }
}

// 1: a transfer completed; the window shows the new image and the link goes online.
void LinkEngine::ActionSynchronised() {
    const bool downloaded = direction_ == TransferDirection::Read;
    if (downloaded) {
        // The download came in whole: the image and the reports become what the processor holds.
        model_.image() = stagedImage_;
        info_ = stagedInfo_;
    }
    const int scene = model_.image().Get(kAddrOutputScene);
    model_.selection().outputScene = std::clamp(scene, 0, kHighestScene);
    if (lockStage_ == 0) lockStage_ = 1;
    view_.RefreshAfterTransfer();
    linkOnline_ = true;
    view_.SetLinkLabelColour(LinkLabelColour::Online);
    view_.SetLinkButtonLinked(true);
    ResetReadBack();
    if (!downloaded && readBackEnabled_) {
        // What was uploaded is asked for again at once; "Online" shows once it matches.
        for (int page = 0; page < kTransferPageCount; ++page) readBack_.NoteWholePage(page);
        readBackUrgent_ = true;
        checkingUpload_ = true;
        view_.ShowLinkStatus(kStatusChecking);
    } else {
        view_.ShowLinkStatus(kStatusOnline);
    }
    view_.UpdateStatusDialog(ProgressPercent());
    view_.HideStatusDialog();
    view_.BringUpMainWindow();
    SetHold(true);
    PublishReadBack();
}

// 2: the processor acknowledged a load-mode write; fetch everything again.
void LinkEngine::ActionReload() {
    SetSearch(false);
    SetTransfer(true);
    SetHold(false);
    BeginTransfer(TransferDirection::Read, kDownloadTotal);
    view_.ShowLinkStatus(kStatusLoading);
    TransferPage(transferCounter_);
    linkOnline_ = false;
}

// 3: a saved mode; the mode list shows the new name.
void LinkEngine::ActionModeSaved() {
    view_.RebuildModeList(ModeListItems(info_));
    linkOnline_ = true;
    view_.ShowLinkStatus(kStatusOnline);
    view_.SetLinkLabelColour(LinkLabelColour::Online);
    view_.ShowLinkMessage(kMessageModeSaved, kMessageCaption);
}

// 4: the processor answered the connect frame; download everything.
void LinkEngine::ActionStartDownload() {
    SetSearch(false);
    SetTransfer(true);
    SetHold(false);
    BeginTransfer(TransferDirection::Read, kDownloadTotal);
    TransferPage(transferCounter_);
    linkOnline_ = false;
    view_.SetLinkLabelColour(LinkLabelColour::Linking);
    view_.ShowLinkStatus(kStatusLinking);
}

void LinkEngine::StartUpload() {
    WakeHold();
    RunLinkAction(6);
}

// 6: a preset file was loaded into the image; send it to the processor.
void LinkEngine::ActionStartUpload() {
    if (!linkOnline_) return;
    SetSearch(false);
    SetTransfer(true);
    SetHold(false);
    BeginTransfer(TransferDirection::Write, kUploadTotal);
    // Writes still waiting hold values from before the image was replaced; sent after the
    // upload they would undo part of it.
    queue_.DropPending();
    view_.ShowLinkStatus(kStatusDownload);
    linkOnline_ = false;
    TransferPage(transferCounter_);
}

// 7: the processor stopped acknowledging.
void LinkEngine::ActionLost() {
    SetTransfer(false);
    SetSearch(false);
    suppressSend_ = false;
    linkOnline_ = false;
    pendingAction_ = kNoPendingAction;
    view_.SetLinkButtonLinked(false);
    view_.ShowLinkStatus(kStatusOffLine);
    view_.SetLinkLabelColour(LinkLabelColour::OffLine);
    view_.UpdateStatusDialog(ProgressPercent());
    view_.HideStatusDialog();
    ResetReadBack();
    view_.ShowLinkMessage(kMessageLinkLost, kMessageCaption);
}

// 9: no port answered, or a transfer timed out.
void LinkEngine::ActionFailed(const BilingualText& message) {
    SetTransfer(false);
    SetSearch(false);
    suppressSend_ = false;
    pendingAction_ = kNoPendingAction;
    view_.ShowLinkStatus(kStatusOffLine);
    view_.SetLinkLabelColour(LinkLabelColour::OffLine);
    view_.SetLinkButtonLinked(false);
    view_.UpdateStatusDialog(ProgressPercent());
    view_.HideStatusDialog();
    ResetReadBack();
    view_.ShowLinkMessage(message, kMessageCaption);
}

}  // namespace zt
