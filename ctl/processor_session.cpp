#include "ctl/processor_session.h"

#include <algorithm>

#include "ctl/device_writes.h"
#include "link/frame_codec.h"
#include "link/link_texts.h"
#include "link/protocol.h"
#include "presets/mode_names.h"

namespace zt::ctl {
namespace {

// The window tries a port a second; a session knows its one port and tries it sooner. A search
// closes the port when no answer came within its period, so an answer that is late (a loaded
// machine, a processor just switched on) is lost with it: every further search waits twice as
// long, up to the window's second, before a port counts as silent (about 7 s in all).
constexpr int kFirstSearchPeriodMs = 200;
constexpr int kLastSearchPeriodMs = 1000;
constexpr int kSearches = 4;
// A step that shows no progress for this long has stalled: the engine itself waits forever for
// the first answer of a download.
constexpr int kStallMs = 20000;
constexpr int kDeviceIdWaitMs = 1000;
constexpr int kPollMs = 20;

std::string StepText(int counter, int total) {
    return std::to_string(counter) + "/" + std::to_string(total);
}

}  // namespace

ProcessorSession::ProcessorSession(const PortEntry& port, QObject* parent)
    : QObject(parent), port_(port) {
    LinkView& view = *this;
    link_ = std::make_unique<TForm3>(model_, view, log_, this);
    link_->SetPorts({port_});
    link_->SetPortLostHandler([this] { portLost_ = true; });
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (awaiting_ == Awaiting::DeviceId) {
            Arrived(Awaiting::DeviceId);
        } else {
            Fail({"设备停止应答", "the processor stopped answering"});
        }
    });
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] { CheckAcknowledged(); });
}

ProcessorSession::~ProcessorSession() {
    Finish();
}

void ProcessorSession::Await(Awaiting what, Phase phase, Step done, int timeoutMs) {
    awaiting_ = what;
    next_ = std::move(done);
    SetPhase(phase, 0);
    deadline_.start(timeoutMs > 0 ? timeoutMs : kStallMs);
}

void ProcessorSession::Arrived(Awaiting what) {
    if (finished_ || awaiting_ != what) return;
    awaiting_ = Awaiting::Nothing;
    deadline_.stop();
    poll_.stop();
    Step next = std::move(next_);
    next_ = nullptr;
    // Outside the engine: the next step may call into it.
    if (next) QTimer::singleShot(0, this, std::move(next));
}

void ProcessorSession::SetPhase(Phase phase, int percent) {
    phase_ = phase;
    percent_ = percent;
    if (progress_) progress_(phase, percent);
}

void ProcessorSession::StartSearch() {
    const int tried = kSearches - searchesLeft_;
    link_->SetSearchPeriod(std::min(kFirstSearchPeriodMs << tried, kLastSearchPeriodMs));
    --searchesLeft_;
    portProblem_ = {};
    link_->engine().OnLinkButton(LinkButton::LinkBtn);
}

void ProcessorSession::Link(Step done) {
    model_.image().Clear();
    searchesLeft_ = kSearches;
    Await(Awaiting::Online, Phase::Linking, std::move(done));
    StartSearch();
}

void ProcessorSession::Upload(const DeviceImage& image, Step done) {
    model_.image() = image;
    Await(Awaiting::Online, Phase::Uploading, std::move(done));
    link_->engine().StartUpload();
}

void ProcessorSession::Relink(Step done) {
    if (link_->engine().linkOnline()) link_->engine().OnLinkButton(LinkButton::UnLinkBtn);
    verifying_ = true;
    Link([this, done = std::move(done)] {
        verifying_ = false;
        done();
    });
}

void ProcessorSession::Write(const std::vector<std::pair<ParamAddress, int>>& values, Step done) {
    Await(Awaiting::Acknowledged, Phase::Writing, std::move(done));
    for (const auto& [device, value] : values) {
        const std::optional<LogicalWrite> write = LogicalWriteFor(device);
        if (!write) continue;  // refused before anything was sent
        model_.selection() = write->selection;
        link_->engine().WriteParameterPaced(write->logical, value);
    }
    poll_.start();
}

void ProcessorSession::Probe(Step done) {
    searchesLeft_ = kSearches;
    Await(Awaiting::Answer, Phase::Linking, [this, done = std::move(done)] {
        // Answered: no download; the port stays open for the question.
        link_->engine().OnLinkButton(LinkButton::UnLinkBtn);
        AskDeviceId(done);
    });
    StartSearch();
    poll_.start();
}

void ProcessorSession::CheckAcknowledged() {
    LinkEngine& engine = link_->engine();
    if (awaiting_ == Awaiting::Answer) {
        if (engine.answered()) Arrived(Awaiting::Answer);
        return;
    }
    if (engine.ready() && engine.txQueue().IsEmpty() && engine.pendingAction() == 0) {
        Arrived(awaiting_);
    }
}

void ProcessorSession::LoadMode(int index, Step done) {
    // Only a load sent at once makes the link download the new settings: wait until nothing
    // is outstanding.
    Await(Awaiting::Acknowledged, Phase::Writing, [this, index, done = std::move(done)] {
        Await(Awaiting::Online, Phase::Downloading, done);
        link_->engine().WriteParameter(kAddrLoadMode, index);
    });
    poll_.start();
}

void ProcessorSession::SaveMode(int index, const std::string& name, Step done) {
    Await(Awaiting::Acknowledged, Phase::Writing, [this, index, name, done = std::move(done)] {
        Await(Awaiting::Online, Phase::Writing, done);
        link_->engine().SaveMode(ModeSaveText(index, name));
    });
    poll_.start();
}

void ProcessorSession::ReadDeviceId(Step done) {
    Await(Awaiting::Acknowledged, phase_, [this, done = std::move(done)] { AskDeviceId(done); });
    poll_.start();
}

void ProcessorSession::AskDeviceId(Step done) {
    Await(Awaiting::DeviceId, phase_, std::move(done), kDeviceIdWaitMs);
    link_->port().Write(BuildFrame(kCommandRead, kAddrDeviceId, {}));
}

void ProcessorSession::Finish() {
    if (finished_) return;
    finished_ = true;
    deadline_.stop();
    poll_.stop();
    LinkEngine& engine = link_->engine();
    if (engine.linkOnline() || engine.transferRunning() || engine.searchRunning()) {
        engine.OnLinkButton(LinkButton::UnLinkBtn);
    }
    link_->port().Close();
    if (phase_ != Phase::Failed) SetPhase(Phase::Done, 100);
}

void ProcessorSession::Fail(const BilingualText& cause) {
    if (finished_) return;
    Finish();
    SetPhase(Phase::Failed, 0);
    if (failed_) failed_(cause);
}

// ---- LinkView ----

void ProcessorSession::UpdateStatusDialog(int progressPercent) {
    const LinkEngine& engine = link_->engine();
    if (!engine.transferRunning() || finished_) return;
    const Phase phase = engine.transferDirection() == TransferDirection::Write ? Phase::Uploading
                        : verifying_                                           ? Phase::Verifying
                                                                               : Phase::Downloading;
    // Every tick reports; only a step forward counts as progress.
    if (phase == phase_ && progressPercent == percent_) return;
    deadline_.start(kStallMs);
    percent_ = progressPercent;
    SetPhase(phase, progressPercent);
}

void ProcessorSession::ShowSearchPortProblem(const std::string&, const BilingualText& problem) {
    portProblem_ = problem;
}

void ProcessorSession::ShowLinkMessage(const BilingualText& text, const BilingualText&) {
    if (text == kMessageModeSaved) {
        QTimer::singleShot(0, this, [this] { Arrived(Awaiting::Online); });
        return;
    }
    const LinkEngine& engine = link_->engine();
    BilingualText cause;
    if (portLost_) {
        cause = {"端口消失（线缆被拔出？）", "the port went away (cable pulled?)"};
    } else if (text == kMessageLinkLost) {
        cause = {"连接中断：设备不再应答", "the link was lost: the processor stopped answering"};
    } else if (text != kMessageLinkFailed) {
        return;  // the advice after a failed search; the cause is noted already
    } else if (!portProblem_.english.empty()) {
        cause = {"无法打开端口：" + portProblem_.chinese,
                 "the port cannot be opened: " + portProblem_.english};
    } else if (phase_ == Phase::Linking) {
        if (searchesLeft_ > 0) {
            QTimer::singleShot(0, this, [this] { StartSearch(); });
            return;
        }
        cause = {"无应答", "no answer"};
    } else {
        const std::string step = StepText(engine.transferCounter(), engine.transferTotal());
        const bool upload = engine.transferDirection() == TransferDirection::Write;
        cause = upload ? BilingualText{"上传中停止应答（第 " + step + " 步）",
                                       "stopped answering during the upload (step " + step + ")"}
                       : BilingualText{"下载中停止应答（第 " + step + " 步）",
                                       "stopped answering during the download (step " + step + ")"};
    }
    QTimer::singleShot(0, this, [this, cause] { Fail(cause); });
}

void ProcessorSession::BringUpMainWindow() {
    QTimer::singleShot(0, this, [this] { Arrived(Awaiting::Online); });
}

void ProcessorSession::ShowDeviceId(const std::string&) {
    QTimer::singleShot(0, this, [this] { Arrived(Awaiting::DeviceId); });
}

}  // namespace zt::ctl
