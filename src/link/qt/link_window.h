#pragma once
// TForm3, the hidden home of the link: it owns the serial port ComPort, the three link timers
// (hold 20 ms, search 1000 ms, transfer 100 ms) and the link engine, and feeds the engine the
// timer ticks and the port's receive events, all on the user-interface thread. The hold timer
// sleeps while the link is quiet (see LinkClock): its ticks keep their 20 ms phase, so an idle
// link wakes the thread for its keep-alive and the answer, not fifty times a second.
//
// The engine is never entered twice: a message box shown from inside a tick runs a nested event
// loop, in which further ticks are skipped and received bytes wait until the outer call has
// returned, then reach the engine in their order.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "link/hold_schedule.h"
#include "link/link_clock.h"
#include "link/link_engine.h"
#include "link/qt/com_port.h"
#include "link/qt/port_list.h"

namespace zt {

class TForm3 : public QObject, public LinkClock {
    Q_OBJECT

public:
    TForm3(ParamModel& model, LinkView& view, DiagnosticLog& log, QObject* parent = nullptr);
    ~TForm3() override;

    LinkEngine& engine() { return *engine_; }
    ComPort& port() { return port_; }

    // Fills the port list once (when the main window is shown): the port may open only these,
    // and the engine searches them by their shown names, in this order.
    void SetPorts(std::vector<PortEntry> ports);
    const std::vector<PortEntry>& ports() const { return port_.ports(); }

    // Called after the port was lost (the device went away), closed and reported to the engine,
    // which ends the link at once.
    void SetPortLostHandler(std::function<void()> handler) { portLost_ = std::move(handler); }

    // LinkClock
    void StartHold() override;
    void StopHold() override;
    void StartSearch() override { Start(search_); }
    void StopSearch() override { search_.stop(); }
    void StartTransfer() override { Start(transfer_); }
    void StopTransfer() override { transfer_.stop(); }
    void Pause(int milliseconds) override { port_.Drain(milliseconds); }
    bool SleepHold(int ticks) override;
    int HoldTicksLeftOutDue() const override;
    int WakeHold() override;

    // The search tries one port per period; a program that searches a single port it knows
    // may try it sooner than the window's one second.
    void SetSearchPeriod(int milliseconds) { search_.setInterval(milliseconds); }

    const QTimer& holdTimer() const { return hold_; }
    const QTimer& searchTimer() const { return search_; }
    const QTimer& transferTimer() const { return transfer_; }

private:
    static void Start(QTimer& timer) {
        if (!timer.isActive()) timer.start();
    }
    // The hold timer is a single shot, armed for each next tick in turn.
    void OnHoldTimer();
    void ArmHold();
    int64_t Now() const { return monotonic_.elapsed(); }
    // Runs one engine call unless another one is under way.
    void Enter(const std::function<void()>& call);
    void OnReceived(const Bytes& bytes, int count);

    ComPort port_;
    QTimer hold_;
    QElapsedTimer monotonic_;
    HoldSchedule holdSchedule_{kHoldPeriodMs};
    bool holdOn_ = false;
    QTimer search_;
    QTimer transfer_;
    std::unique_ptr<LinkEngine> engine_;
    std::function<void()> portLost_;
    bool inEngine_ = false;
    bool portLostWaiting_ = false;
    struct Received {
        Bytes bytes;
        int count;
    };
    std::vector<Received> waiting_;
};

}  // namespace zt
