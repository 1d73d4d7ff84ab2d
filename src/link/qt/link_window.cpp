#include "link/qt/link_window.h"

#include <algorithm>

namespace zt {

TForm3::TForm3(ParamModel& model, LinkView& view, DiagnosticLog& log, QObject* parent)
    : QObject(parent) {
    setObjectName(QStringLiteral("TForm3"));
    port_.setObjectName(QStringLiteral("ComPort"));
    engine_ = std::make_unique<LinkEngine>(model, port_, view, *this, log);

    monotonic_.start();
    hold_.setInterval(kHoldPeriodMs);
    hold_.setSingleShot(true);
    search_.setInterval(kSearchPeriodMs);
    transfer_.setInterval(kTransferPeriodMs);
    // The 20 ms hold period counts to one second of silence; a coarse timer may drift by 5 %.
    hold_.setTimerType(Qt::PreciseTimer);
    transfer_.setTimerType(Qt::PreciseTimer);
    connect(&hold_, &QTimer::timeout, this, &TForm3::OnHoldTimer);
    connect(&search_, &QTimer::timeout, this,
            [this] { Enter([this] { engine_->OnSearchTick(); }); });
    connect(&transfer_, &QTimer::timeout, this,
            [this] { Enter([this] { engine_->OnTransferTick(); }); });

    port_.SetReceiver([this](const Bytes& bytes, int count) { OnReceived(bytes, count); });
    port_.SetLostHandler([this] {
        if (inEngine_) {
            // A message box of the link is open: the engine hears of it when the box closes.
            portLostWaiting_ = true;
        } else {
            Enter([this] { engine_->OnPortLost(); });
        }
        if (portLost_) portLost_();
    });
}

TForm3::~TForm3() {
    holdOn_ = false;
    hold_.stop();
    search_.stop();
    transfer_.stop();
    port_.SetReceiver(nullptr);
    port_.SetLostHandler(nullptr);
}

void TForm3::SetPorts(std::vector<PortEntry> ports) {
    std::vector<std::string> names;
    for (const PortEntry& p : ports) names.push_back(p.name);
    port_.SetPorts(std::move(ports));
    engine_->SetPortNames(std::move(names));
}

void TForm3::StartHold() {
    if (holdOn_) return;
    holdOn_ = true;
    holdSchedule_.Start(Now());
    ArmHold();
}

void TForm3::StopHold() {
    holdOn_ = false;
    hold_.stop();
}

bool TForm3::SleepHold(int ticks) {
    if (!holdOn_) return false;
    holdSchedule_.Sleep(ticks);
    ArmHold();
    return true;
}

int TForm3::HoldTicksLeftOutDue() const {
    return holdSchedule_.LeftOutDue(Now());
}

int TForm3::WakeHold() {
    const int due = holdSchedule_.Wake(Now());
    if (holdOn_) ArmHold();
    return due;
}

void TForm3::ArmHold() {
    const int64_t wait = std::max<int64_t>(holdSchedule_.nextDue() - Now(), 0);
    hold_.start(static_cast<int>(wait));
}

void TForm3::OnHoldTimer() {
    if (!holdOn_) return;
    // A tick inside a nested event loop is skipped, as every tick is there (see Enter); a
    // sleeping timer cannot be inside one, since the engine sleeps only on leaving a call.
    if (holdSchedule_.Fire(Now())) Enter([this] { engine_->OnHoldTick(); });
    if (holdOn_) ArmHold();
}

void TForm3::Enter(const std::function<void()>& call) {
    if (inEngine_) return;  // a tick inside a nested event loop: the next one comes soon
    inEngine_ = true;
    call();
    // Bytes that arrived meanwhile, in their order, then the loss of the port.
    while (!waiting_.empty() || portLostWaiting_) {
        std::vector<Received> batch;
        batch.swap(waiting_);
        for (const Received& r : batch) engine_->OnReceive(r.bytes, static_cast<size_t>(r.count));
        if (waiting_.empty() && portLostWaiting_) {
            portLostWaiting_ = false;
            engine_->OnPortLost();
        }
    }
    inEngine_ = false;
}

void TForm3::OnReceived(const Bytes& bytes, int count) {
    if (inEngine_) {
        waiting_.push_back({bytes, count});
        return;
    }
    Enter([&] { engine_->OnReceive(bytes, static_cast<size_t>(count)); });
}

}  // namespace zt
