#pragma once
// Runs the zt461-sim program for a test: a private runtime folder (XDG_RUNTIME_DIR, for the
// program and for this process's port list), the program with the given flags, its dump.

#include <signal.h>

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "link/qt/port_list.h"
#include "sim/sim_state_dump.h"

namespace zt::test {

class SimRun {
public:
    explicit SimRun(QStringList flags) : flags_(std::move(flags)) {
        wasSet_ = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        saved_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    }
    ~SimRun() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(3000)) process_.kill();
            process_.waitForFinished(1000);
        }
        if (wasSet_) {
            qputenv("XDG_RUNTIME_DIR", saved_);
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
    }

    // Flags for the next Start (a processor started again after it vanished).
    void SetFlags(QStringList flags) { flags_ = std::move(flags); }
    bool Running() const { return process_.state() == QProcess::Running; }
    // The line is mended: the program clears every fault.
    void ClearFaults() {
        if (Running()) ::kill(static_cast<pid_t>(process_.processId()), SIGUSR2);
    }

    // Starts the program and waits until its port is in the folder.
    bool Start() {
        if (process_.state() != QProcess::NotRunning) process_.waitForFinished(3000);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList args = flags_;
        args << (QStringLiteral("--dump-file=") + dumpPath())
             << (QStringLiteral("--status-file=") + statusPath());
        process_.start(QStringLiteral(ZT_SIM_PROGRAM), args);
        if (!process_.waitForStarted(5000)) return false;
        return QTest::qWaitFor([this] { return QFile::exists(linkPath()); }, 20000);
    }

    QString linkPath() const { return runtime_.path() + QStringLiteral("/zt461/ports/ZT461-SIM"); }
    QString dumpPath() const { return runtime_.path() + QStringLiteral("/dump.txt"); }
    QString statusPath() const { return runtime_.path() + QStringLiteral("/status.txt"); }
    QString status() const {
        QFile file(statusPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed()
                                              : QString();
    }

    // The port list as the editor builds it, without the machine's own serial ports (a test
    // writes connect frames into nothing but the simulator).
    std::vector<PortEntry> Ports() const {
        return BuildPortList({}, ConsolePortNames(), VirtualPortFolder());
    }

    // Asks the running program for a dump of what it holds.
    bool Dump(SimState& state) {
        QFile::remove(dumpPath());
        if (process_.state() != QProcess::Running) return false;
        ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
        // The program renames the dump into place once it is whole.
        if (!QTest::qWaitFor([this] { return QFile::exists(dumpPath()); }, 20000)) return false;
        QFile file(dumpPath());
        if (!file.open(QIODevice::ReadOnly)) return false;
        state = SimState{};
        return ParseSimState(file.readAll().toStdString(), state);
    }

    QProcess& process() { return process_; }
    QString output() { return QString::fromUtf8(process_.readAllStandardOutput()); }

private:
    QStringList flags_;
    QTemporaryDir runtime_;
    QProcess process_;
    bool wasSet_ = false;
    QByteArray saved_;
};

}  // namespace zt::test
