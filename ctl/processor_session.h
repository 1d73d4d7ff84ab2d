#pragma once
// One processor on one port, driven through the window's own link engine (TForm3: the serial
// port, the link timers and the engine) without a window: link and download, upload an image,
// download again, write values, load and save modes, ask for the device ID, unlink. Every step
// is asynchronous on the event loop, so many sessions run side by side on one thread; each step
// ends in its callback or in the session's one failure, which carries the cause in both
// languages.

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/link_view.h"
#include "link/qt/link_window.h"
#include "link/qt/port_list.h"
#include "params/param_model.h"

namespace zt::ctl {

// What a processor is doing, for the progress line.
enum class Phase { Linking, Downloading, Uploading, Writing, Verifying, Done, Failed };

class ProcessorSession : public QObject, private LinkView {
    Q_OBJECT

public:
    using Step = std::function<void()>;

    ProcessorSession(const PortEntry& port, QObject* parent = nullptr);
    ~ProcessorSession() override;

    const std::string& portName() const { return port_.name; }

    // Called once when a step fails; the session is unlinked by then.
    void SetFailureHandler(std::function<void(const BilingualText& cause)> handler) {
        failed_ = std::move(handler);
    }
    // Called whenever the phase or its progress changes.
    void SetProgressHandler(std::function<void(Phase, int percent)> handler) {
        progress_ = std::move(handler);
    }

    // Searches this one port, links and downloads the whole memory into image().
    void Link(Step done);
    // Uploads `image` (pages 0..29 and 0x1E14) and comes back online.
    void Upload(const DeviceImage& image, Step done);
    // Unlinks, forgets the image and downloads everything again: what the processor holds now.
    void Relink(Step done);
    // Writes device addresses one after another, each acknowledged before the next.
    void Write(const std::vector<std::pair<ParamAddress, int>>& values, Step done);
    // Loads mode 0..21; the link downloads the new settings.
    void LoadMode(int index, Step done);
    // Saves the current settings as user mode 0..15 under the name.
    void SaveMode(int index, const std::string& name, Step done);
    // Only asks whether a processor answers the connect frame, and for its device ID; unlinks
    // again without a download. Fails with "no answer" when nothing answers.
    void Probe(Step done);
    // Asks for the device ID; done with or without an answer (older processors keep quiet).
    void ReadDeviceId(Step done);
    // Unlinks and closes the port.
    void Finish();

    const DeviceImage& image() const { return model_.image(); }
    const DeviceInfo& info() const { return link_->engine().deviceInfo(); }
    Phase phase() const { return phase_; }

private:
    // LinkView
    void ShowLinkStatus(const BilingualText&) override {}
    void SetLinkLabelColour(LinkLabelColour) override {}
    void SetLinkButtonLinked(bool) override {}
    void UpdateStatusDialog(int progressPercent) override;
    void ShowStatusDialog() override {}
    void HideStatusDialog() override {}
    void ShowSearchPort(const std::string&) override {}
    void ShowSearchPortProblem(const std::string& portName, const BilingualText& problem) override;
    void ShowLinkMessage(const BilingualText& text, const BilingualText& caption) override;
    void RefreshAfterTransfer() override {}
    void RebuildModeList(const std::vector<std::string>&) override {}
    void BringUpMainWindow() override;
    void ShowDeviceId(const std::string&) override;

    enum class Awaiting { Nothing, Online, Acknowledged, Answer, DeviceId };
    void Await(Awaiting what, Phase phase, Step done, int timeoutMs = 0);
    void Arrived(Awaiting what);
    void Fail(const BilingualText& cause);
    void SetPhase(Phase phase, int percent);
    void CheckAcknowledged();
    void AskDeviceId(Step done);
    void StartSearch();

    PortEntry port_;
    ParamModel model_;
    MemoryLog log_;
    std::unique_ptr<TForm3> link_;
    Awaiting awaiting_ = Awaiting::Nothing;
    Step next_;
    QTimer deadline_;
    QTimer poll_;
    Phase phase_ = Phase::Linking;
    int percent_ = -1;        // the transfer's progress last reported
    bool verifying_ = false;  // the download after an upload
    int searchesLeft_ = 0;
    BilingualText portProblem_;
    bool portLost_ = false;
    bool finished_ = false;
    std::function<void(const BilingualText&)> failed_;
    std::function<void(Phase, int)> progress_;
};

}  // namespace zt::ctl
