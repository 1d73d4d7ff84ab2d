#pragma once
// The device link: transmit queue and pacing, receive handling, the port search, the numbered
// link actions and the page transfer, as plain C++ driven by explicit calls. Its owner (the Qt
// wiring in TForm3, or a test) forwards the three timer ticks and the port's receive events,
// runs the timers the engine asks for through LinkClock, and shows what LinkView is told.
// Everything runs on the user-interface thread; no call may re-enter the engine.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/ack_ledger.h"
#include "link/device_info.h"
#include "link/frame_receiver.h"
#include "link/link_clock.h"
#include "link/link_view.h"
#include "link/port_problems.h"
#include "link/read_back.h"
#include "link/serial_port.h"
#include "link/tx_queue.h"
#include "params/diagnostic_log.h"
#include "params/param_model.h"

namespace zt {

// Which of the two link buttons was clicked (they share one handler).
enum class LinkButton { LinkBtn, UnLinkBtn };

enum class TransferDirection { Read, Write };

// Link action to run at the next acknowledgement.
inline constexpr int kNoPendingAction = 0;
inline constexpr int kPendingReload = 2;
inline constexpr int kPendingModeSaved = 3;

// Transfer steps; 1 and 2 are set by the receiver.
inline constexpr int kStepIdle = 0;
inline constexpr int kStepShortMessage = 1;
inline constexpr int kStepFrame = 2;
inline constexpr int kStepWaiting = 3;
inline constexpr int kStepRepeated = 4;
inline constexpr int kStepLastChance = 5;

inline constexpr int kDownloadTotal = 38;  // pages 0..29, the mode names, 8 system items
inline constexpr int kUploadTotal = 29;    // pages 0..29

// What became of the values written up to a moment (see LinkEngine::WhenWritesConfirmed).
struct WriteConfirmation {
    // The processor was asked: false while off line or with read-back off, where nothing is
    // known of what it holds.
    bool checked = false;
    // Device addresses the processor did not show after three rounds, or still not confirmed
    // when the link ended.
    std::vector<ParamAddress> notConfirmed;
};
using WriteConfirmationDone = std::function<void(const WriteConfirmation&)>;

class LinkEngine : public PacedParamWriter, private FrameReceiver::Sink {
public:
    LinkEngine(ParamModel& model, SerialPort& port, LinkView& view, LinkClock& clock,
               DiagnosticLog& log);

    // ComComboBox1: the serial port names present when the window was shown, in the
    // platform's order. The engine keeps the list's current index itself.
    void SetPortNames(std::vector<std::string> names);
    const std::vector<std::string>& portNames() const { return portNames_; }
    int portIndex() const { return portIndex_; }  // -1: no current entry

    // --- Timer ticks and the receive event (ignored while that timer is disabled) ---
    void OnHoldTick();      // every 20 ms
    void OnSearchTick();    // every 1000 ms
    void OnTransferTick();  // every 100 ms
    // eventCount: the number of bytes the receive event reported.
    void OnReceive(std::span<const uint8_t> bytes, size_t eventCount);
    void OnReceive(std::span<const uint8_t> bytes) { OnReceive(bytes, bytes.size()); }

    // --- The window's entry points ---
    // A press of the link button: while off line it searches; while online (or the unlink
    // button) it disconnects.
    void OnLinkButton(LinkButton sender);
    // The main window closes: sends the disconnect frame when online. Closing always goes ahead.
    void OnMainWindowClose();
    // The port went away under the link (cable pulled, adapter unplugged) and was closed.
    void OnPortLost();

    // Write parameter: stores the value in both stores and, while online and not suppressed,
    // sends it now or queues it behind the outstanding acknowledgement.
    void WriteParameter(ParamAddress logical, int value);
    // Write parameter, then waits for an acknowledgement before the next frame.
    void WriteParameterPaced(ParamAddress logical, int value) override;
    // Sends the text frame for the address at once when the port is open; touches neither the
    // stores, the queue nor the flags.
    void WriteString(ParamAddress address, std::string_view text);
    // Saves a mode: sends the save text frame (index byte, zero byte, name) as the frame in
    // flight and expects the save result.
    void SaveMode(std::string_view text);
    // A mode save was just written: link action 3 runs at the first hold tick after the
    // processor acknowledged it; meanwhile "保存中..." shows and the link is busy, and the frame
    // in flight goes out again every second silent second. Without an acknowledgement the link
    // is given up after 51 seconds (link action 7).
    void ExpectSaveResult();
    // Link action 6: uploads the device image when online (a preset file was loaded).
    void StartUpload();

    // Set by the page refresh while it writes values into controls: writes then only store.
    void SetSuppressSend(bool suppress) { suppressSend_ = suppress; }

    // Read-back of what was written (on unless switched off, for a processor that does not
    // answer page requests while online).
    void SetReadBackEnabled(bool enabled);
    bool readBackEnabled() const { return readBackEnabled_; }
    const ReadBackStatus& readBackStatus() const { return readBackStatus_; }
    const ReadBack& readBack() const { return readBack_; }
    // Calls `done` once every value written so far is confirmed on the processor or named as
    // not confirmed: at once when nothing is left to check (off line and with read-back off
    // too), else from inside a later tick or receive event, where it must not call the engine.
    void WhenWritesConfirmed(WriteConfirmationDone done);

    // Mode names, passwords and device ID as the processor reported them.
    DeviceInfo& deviceInfo() { return info_; }
    const DeviceInfo& deviceInfo() const { return info_; }

    // Panel lock stage: 0 at every search, 0 -> 1 when a transfer completes; the window's lock
    // check turns 1 into 2.
    int lockStage() const { return lockStage_; }
    void SetLockStage(int stage) { lockStage_ = stage; }

    // --- Link state, read by the window and by tests ---
    bool linkOnline() const { return linkOnline_; }
    bool ready() const { return ready_; }
    bool suppressSend() const { return suppressSend_; }
    bool answered() const { return answered_; }
    int pendingAction() const { return pendingAction_; }
    // While the hold timer sleeps, the ticks due by now are counted in.
    int holdTick() const {
        return holdAsleep_ ? holdTick_ + clock_.HoldTicksLeftOutDue() : holdTick_;
    }
    int missCount() const { return missCount_; }
    int inFlight() const { return inFlight_; }
    // The write or keep-alive sent last, which a repeat sends again.
    const Bytes& inFlightFrame() const { return inFlightFrame_; }
    const TxQueue& txQueue() const { return queue_; }
    // Nothing waits to go out and every frame sent was answered (or counted lost). Ordinary
    // writes leave without waiting, so `ready()` alone does not say the processor has them.
    bool settled() const { return ready_ && queue_.IsEmpty() && acks_.waitingCount() == 0; }
    RxState rxState() const { return receiver_.state(); }

    int transferStep() const { return transferStep_; }
    int transferTick() const { return transferTick_; }
    int transferCounter() const { return transferCounter_; }
    int transferTotal() const { return transferTotal_; }
    TransferDirection transferDirection() const { return direction_; }
    int modeRecordCounter() const { return modeRecordCounter_; }
    // counter / total in percent, halves to even: what the status dialog shows.
    int ProgressPercent() const;

    bool holdRunning() const { return holdRunning_; }
    // The hold timer sleeps through ticks that would only count the silence.
    bool holdAsleep() const { return holdAsleep_; }
    bool searchRunning() const { return searchRunning_; }
    bool transferRunning() const { return transferRunning_; }

private:
    // FrameReceiver::Sink
    void OnShortMessage() override;
    void OnFrame(std::span<const uint8_t> frame) override;
    // A download's frame: into the image being assembled; true when it answers the request.
    bool TakeDownloadFrame(std::span<const uint8_t> frame);
    bool AnswersRequest(int page, int slot, int dataBytes);
    void ExpectReply();

    // Sending; nothing goes out while the port is closed. A write is entered in the ledger of
    // acknowledgements, with the mark of whoever waits for that very frame.
    void Send(const Bytes& frame, int mark = AckLedger::kUnmarked);
    void SendValue(ParamAddress device, int value, int mark = AckLedger::kUnmarked);
    // The paced frames: a queue entry or a keep-alive, each remembered as the frame in flight.
    void SendEntry(int index, int mark = AckLedger::kUnmarked);
    void SendKeepAlive();
    void SendInFlight(const Bytes& frame, int mark = AckLedger::kUnmarked);
    // The device value through the ordinary path: at once while everything is acknowledged,
    // otherwise queued.
    void SendOrQueue(ParamAddress device, int value);
    // Queues the write when an acknowledgement is outstanding or others wait (saying so if the
    // queue cannot hold it); false when the line is free for it.
    bool QueueBehindUnanswered(ParamAddress device, int value);
    // Sends the write at once as the only queue entry, in flight.
    void SendNow(ParamAddress device, int value, int mark);
    // A new frame to wait for: returns its mark; its acknowledgement sets awaitAnswered_.
    int StartAwaiting();
    // The frame in flight went unanswered so long that the writes held behind it leave.
    bool ReleasesHeldWrites() const;
    void StopAwaiting();
    void PassTime(int ms);

    // Read-back, one step per transfer-timer period while the hold timer runs.
    void ReadBackStep();
    void TakeReadBackFrame(std::span<const uint8_t> frame);
    void PublishReadBack();
    bool ReadBackMayRequest() const;
    void SendDeferredSave();
    // The save text frame as the frame in flight, awaited for the save result.
    void SendSave(std::string_view text);
    // Nothing left to check, nothing waiting for a check.
    void ResetReadBack();
    // Pages wait to be asked for, or an answer is on its way.
    bool ReadBackChecking() const;
    // The processor is asked for what it holds.
    bool ReadBackAsks() const;
    // Tells everyone waiting for the values written to be confirmed.
    void FinishConfirmationWaits(bool checked, std::vector<ParamAddress> notConfirmed);

    // The hold tick's work; OnHoldTick first counts the ticks the timer slept through.
    void HoldTick();
    // How many of the next hold ticks would do nothing but count: online, acknowledged,
    // nothing queued, pending or unanswered, and nothing for the read-back to do.
    int QuietHoldTicks() const;
    // Lets the hold timer sleep through the quiet ticks ahead.
    void SleepHoldWhileQuiet();
    // Every entry into the engine first ends the sleep and counts the ticks due by then, so
    // that it finds the link as a ticking timer would have left it.
    void WakeHold();

    // Timers, started and stopped only on a change.
    void SetHold(bool run);
    void SetSearch(bool run);
    void SetTransfer(bool run);

    // Port search.
    void StartSearch();
    void Disconnect();
    void SelectPort(int index);
    void NotePortProblem(const std::string& name);

    // Link actions 1, 2, 3, 4, 6, 7, 9.
    void RunLinkAction(int action);
    void ActionSynchronised();
    void ActionReload();
    void ActionModeSaved();
    void ActionStartDownload();
    void ActionStartUpload();
    void ActionLost();
    void ActionFailed(const BilingualText& message);

    // Page transfer.
    void BeginTransfer(TransferDirection direction, int total);
    void TransferPage(int counter);
    void RequestStep(int counter);
    void UploadStep(int counter);
    void AdvanceTransfer();
    void UploadFailed();

    ParamModel& model_;
    SerialPort& port_;
    LinkView& view_;
    LinkClock& clock_;
    DiagnosticLog& log_;

    DeviceInfo info_;
    TxQueue queue_;
    FrameReceiver receiver_;

    // Link flags and counters.
    bool linkOnline_ = false;
    bool ready_ = false;
    bool suppressSend_ = false;
    bool answered_ = false;
    int pendingAction_ = kNoPendingAction;
    int holdTick_ = 0;
    int missCount_ = 0;
    int inFlight_ = 0;
    // What went out last of the writes and keep-alives. The queue entry at inFlight_ is not
    // enough: a keep-alive is no queue entry, and the entry there may be from long before.
    Bytes inFlightFrame_;
    int lockStage_ = 0;

    // Acknowledgements: which frame each answers, and the frame a pending action or an upload
    // step waits for.
    AckLedger acks_;
    int64_t elapsedMs_ = 0;  // time of the link's own ticks
    int nextMark_ = 1;
    int awaitMark_ = AckLedger::kUnmarked;
    bool awaitAnswered_ = false;
    int writeFreeTicks_ = 0;  // hold ticks since the last write
    bool heldWrite_ = false;  // a write was queued since the frame in flight went out

    // Read-back.
    ReadBack readBack_;
    ReadBackStatus readBackStatus_;
    bool readBackEnabled_ = true;
    bool readBackUrgent_ = false;  // after an upload or before a save: no quiet second first
    int readBackDivider_ = 0;      // hold ticks per request tick
    int readBackWaitTicks_ = 0;    // request ticks the answer on its way has taken
    std::string deferredSave_;     // a mode save waiting for the pages to match
    bool hasDeferredSave_ = false;
    bool checkingUpload_ = false;  // "Checking..." shows until the uploaded pages match
    std::vector<WriteConfirmationDone> confirmationWaits_;

    // Port search.
    std::vector<std::string> portNames_;
    int portIndex_ = -1;
    int portTryIndex_ = 0;
    int lastSelectedIndex_ = 0;
    std::vector<PortProblem> portProblems_;  // ports of this search that could not be opened

    // Page transfer.
    int transferStep_ = kStepIdle;
    int transferTick_ = 0;
    int transferCounter_ = 0;
    int transferTotal_ = 0;
    TransferDirection direction_ = TransferDirection::Read;
    int modeRecordCounter_ = 0;
    int recordRequest_ = 0;  // mode record index of the next mode-name request
    // A download assembles here and becomes the device image only when it completes.
    DeviceImage stagedImage_;
    DeviceInfo stagedInfo_;
    std::bitset<kSlotCount> replyCoverage_;  // slots of the requested page answered so far
    bool uploadTailSent_ = false;            // the value of 0x1E14 follows the last page

    bool holdRunning_ = false;
    bool holdAsleep_ = false;
    int holdSleepTicks_ = 0;  // ticks the hold timer leaves out
    bool searchRunning_ = false;
    bool transferRunning_ = false;
};

}  // namespace zt
