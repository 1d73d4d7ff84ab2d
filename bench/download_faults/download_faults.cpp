// bench_download_faults: how often a full download gets through a faulty line, and how long it
// takes. The editor's whole window (offscreen) links to a zt461-sim program started with one
// fault at each share in turn, and downloads again and again.
//
// Usage: bench_download_faults FAULT SHARE... [--downloads N]
//   FAULT is a zt461-sim flag that takes a share (--drop-replies, --drop-acks,
//   --corrupt-checksums, --garbage, --lose-frames); each SHARE is a number from 0 to 1.
// Prints one line per share: downloads complete out of those tried, and their mean and longest
// time from the link button to online.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ui/app/editor_app.h"
#include "ui/window/main_window.h"
#include "ui/window/window_chrome.h"

namespace {

// The messages the window would show, kept so that a failed download is seen at once.
class CountedMessages : public zt::WindowMessages {
public:
    explicit CountedMessages(int& count) : count_(count) {}
    void Inform(const QString&, const QString&) override { ++count_; }

private:
    int& count_;
};

struct Attempt {
    bool complete = false;
    double seconds = 0;
};

// From the link button to online, or to the message that ends a failed link.
Attempt Download(zt::EditorApp& app, const int& messages) {
    const int before = messages;
    QElapsedTimer clock;
    clock.start();
    // The link button reads the port list again, so the simulator started since is found.
    app.window().tabStrip().linkBtn->click();
    while (!app.link().linkOnline() && messages == before && clock.elapsed() < 90000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return {app.link().linkOnline(), static_cast<double>(clock.elapsed()) / 1000.0};
}

bool StartSim(QProcess& sim, const QString& port, const QStringList& flags) {
    QFile::remove(port);
    sim.start(QStringLiteral(ZT_SIM_PROGRAM), flags);
    return sim.waitForStarted(5000) && QTest::qWaitFor([&] { return QFile::exists(port); }, 5000);
}

void StopSim(QProcess& sim) {
    sim.terminate();
    if (!sim.waitForFinished(3000)) {
        sim.kill();
        sim.waitForFinished(2000);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStringList args = application.arguments().mid(1);
    int downloads = 5;
    if (const int at = args.indexOf(QStringLiteral("--downloads"));
        at >= 0 && at + 1 < args.size()) {
        downloads = std::max(1, args.at(at + 1).toInt());
        args.remove(at, 2);
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_download_faults FAULT SHARE... [--downloads N]\n");
        return 2;
    }
    const QString fault = args.takeFirst();

    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    const QString port = runtime.path() + QStringLiteral("/zt461/ports/ZT461-SIM");
    int messages = 0;
    zt::EditorApp app(std::make_unique<CountedMessages>(messages));
    app.Show();
    // The search at start finds no processor yet; every download below starts at the button.
    if (!QTest::qWaitFor([&] { return messages > 0; }, 15000)) {
        std::fprintf(stderr, "the search at start did not end\n");
        return 1;
    }
    app.link().OnLinkButton(zt::LinkButton::UnLinkBtn);

    for (int cell = 0; cell < args.size(); ++cell) {
        const QString share = args.at(cell);
        QProcess sim;
        const QStringList flags = {fault + "=" + share, "--seed=" + QString::number(cell + 1)};
        if (!StartSim(sim, port, flags)) {
            std::fprintf(stderr, "zt461-sim %s did not start\n", qPrintable(flags.join(' ')));
            return 1;
        }
        std::vector<double> times;
        for (int i = 0; i < downloads; ++i) {
            const Attempt attempt = Download(app, messages);
            if (attempt.complete) times.push_back(attempt.seconds);
            app.link().OnLinkButton(zt::LinkButton::UnLinkBtn);
            QTest::qWait(300);
        }
        StopSim(sim);
        double sum = 0;
        for (double t : times) sum += t;
        const double longest = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
        std::printf("%s=%s: %zu of %d downloads complete, mean %.1f s, longest %.1f s\n",
                    qPrintable(fault), qPrintable(share), times.size(), downloads,
                    times.empty() ? 0.0 : sum / static_cast<double>(times.size()), longest);
        std::fflush(stdout);
    }
    return 0;
}
