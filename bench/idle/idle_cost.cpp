// bench_idle: the editor's whole window (offscreen) against the zt461-sim program, measured from
// /proc: the wall time of each download as a ratio to the protocol's floor of 60 transfer ticks
// (6.0 s), the resident memory after the downloads, and the processor time the editor takes
// while online and idle (a keep-alive each second; Timer1 sleeps while the analyser is off).
//
// Usage: bench_idle [idle seconds, default 30] [downloads, default 3]
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "ui/app/editor_app.h"

namespace {

class NoMessages : public zt::WindowMessages {
public:
    void Inform(const QString& text, const QString&) override {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
};

// Processor time of this process so far, in seconds (fields 14 and 15 of /proc/self/stat).
double CpuSeconds() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Processor time of each thread of this process so far, in seconds, by thread id; the name
// beside it.
struct ThreadTime {
    std::string name;
    double seconds = 0.0;
};
std::map<std::string, ThreadTime> ThreadCpuSeconds() {
    std::map<std::string, ThreadTime> threads;
    const QStringList ids =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& id : ids) {
        std::ifstream stat("/proc/self/task/" + id.toStdString() + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const auto open = text.find('(');
        const auto close = text.rfind(')');
        if (open == std::string::npos || close == std::string::npos) continue;
        std::istringstream fields(text.substr(close + 2));
        std::string field;
        long ticks = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            if (i == 14 || i == 15) ticks += std::stol(field);
        }
        threads[id.toStdString()] = {
            text.substr(open + 1, close - open - 1),
            static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK))};
    }
    return threads;
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident * sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// One download: from the start of the transfer (the processor answered the connect frame) to
// the link online.
double DownloadSeconds(zt::EditorApp& app) {
    if (!QTest::qWaitFor([&] { return app.link().transferRunning(); }, 10000)) return -1;
    QElapsedTimer clock;
    clock.start();
    while (!app.link().linkOnline() && clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return app.link().linkOnline() ? static_cast<double>(clock.nsecsElapsed()) / 1e9 : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const int downloads = argc > 2 ? std::atoi(argv[2]) : 3;

    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QProcess sim;
    sim.start(QStringLiteral(ZT_SIM_PROGRAM), {});
    const QString port = runtime.path() + QStringLiteral("/zt461/ports/ZT461-SIM");
    if (!sim.waitForStarted(5000) || !QTest::qWaitFor([&] { return QFile::exists(port); }, 5000)) {
        std::fprintf(stderr, "zt461-sim did not start\n");
        return 1;
    }

    zt::EditorApp app(std::make_unique<NoMessages>());
    app.Show();
    for (int i = 0; i < downloads; ++i) {
        if (i > 0) {
            app.link().OnLinkButton(zt::LinkButton::UnLinkBtn);
            QTest::qWait(200);
            app.link().OnLinkButton(zt::LinkButton::LinkBtn);
        }
        const double seconds = DownloadSeconds(app);
        if (seconds < 0) {
            std::fprintf(stderr, "download %d did not complete\n", i + 1);
            return 1;
        }
        std::printf("download %d: %.3f s, %.3f of the 6.0 s floor\n", i + 1, seconds,
                    seconds / 6.0);
    }
    std::printf("resident after %d downloads: %.1f MB\n", downloads, ResidentMegabytes());

    QTest::qWait(2000);
    const double cpuBefore = CpuSeconds();
    const auto threadsBefore = ThreadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // The window's own event loop: QTest::qWait would wake every 10 ms and measure itself.
    QEventLoop idle;
    QTimer::singleShot(idleSeconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const double cpu = CpuSeconds() - cpuBefore;
    const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
    std::printf("online idle for %.1f s: %.3f s of processor time, %.2f %% of a core%s\n", elapsed,
                cpu, 100.0 * cpu / elapsed, app.link().linkOnline() ? "" : " (the link was lost)");
    // Where it goes: the window thread, sound capture, the sound system's own threads.
    for (const auto& [id, thread] : ThreadCpuSeconds()) {
        const auto before = threadsBefore.find(id);
        const double used =
            thread.seconds - (before == threadsBefore.end() ? 0.0 : before->second.seconds);
        if (used > 0.0) {
            std::printf("  thread %-16s %.2f %% of a core\n", thread.name.c_str(),
                        100.0 * used / elapsed);
        }
    }
    std::printf("resident after idling: %.1f MB\n", ResidentMegabytes());
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
