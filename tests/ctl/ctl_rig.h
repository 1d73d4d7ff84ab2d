#pragma once
// A venue for zt461ctl tests: zt461-sim processes on pseudo-terminals in one private runtime
// folder (each under its own port name, some with faults), and zt461ctl run against them as a
// program, its output and exit status kept.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "sim/sim_state_dump.h"

namespace zt::test {

struct CtlRun {
    int exitCode = -1;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

class CtlVenue {
public:
    CtlVenue() {
        QFile::setPermissions(runtime_.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ~CtlVenue() {
        for (int fd : held_) close(fd);
        for (auto& sim : sims_) {
            if (sim->state() == QProcess::NotRunning) continue;
            sim->terminate();
            if (!sim->waitForFinished(3000)) sim->kill();
            sim->waitForFinished(1000);
        }
    }

    QString runtime() const { return runtime_.path(); }
    QString portPath(const QString& name) const { return runtime() + "/zt461/ports/" + name; }
    QString dumpPath(const QString& name) const { return runtime() + "/" + name + ".dump"; }
    QString folder(const QString& name) const {
        QDir().mkpath(runtime() + "/" + name);
        return runtime() + "/" + name;
    }

    // Starts a simulator named `name` with the given fault flags; false when its port does not
    // appear.
    bool StartSim(const QString& name, const QStringList& flags = {}) {
        auto sim = std::make_unique<QProcess>();
        sim->setProcessEnvironment(Environment());
        sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim->setStandardOutputFile(QProcess::nullDevice());
        sim->start(QStringLiteral(ZT_SIM_PROGRAM),
                   QStringList{"--name=" + name, "--dump-file=" + dumpPath(name)} + flags);
        if (!sim->waitForStarted(5000)) return false;
        names_.push_back(name);
        sims_.push_back(std::move(sim));
        return QTest::qWaitFor([&] { return QFile::exists(portPath(name)); }, 5000);
    }

    // Another program holds the port, as picocom does: an exclusive lock on the device.
    bool HoldPort(const QString& name) {
        const int fd = open(portPath(name).toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        if (fd < 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) return false;
        held_.push_back(fd);
        return true;
    }

    // What the simulator holds now.
    bool Dump(const QString& name, SimState& state) {
        for (size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] != name) continue;
            QFile::remove(dumpPath(name));
            if (sims_[i]->state() != QProcess::Running) return false;
            ::kill(static_cast<pid_t>(sims_[i]->processId()), SIGUSR1);
            if (!QTest::qWaitFor([&] { return QFile::exists(dumpPath(name)); }, 3000)) {
                return false;
            }
            QFile file(dumpPath(name));
            if (!file.open(QIODevice::ReadOnly)) return false;
            state = SimState{};
            return ParseSimState(file.readAll().toStdString(), state);
        }
        return false;
    }

    // Runs zt461ctl with the arguments (only this venue's virtual ports) and waits for it.
    CtlRun Ctl(QStringList args, int timeoutMs = 90000) const {
        QProcess ctl;
        ctl.setProcessEnvironment(Environment());
        args << QStringLiteral("--virtual-only");
        ctl.start(QStringLiteral(ZT_CTL_PROGRAM), args);
        CtlRun run;
        if (!ctl.waitForFinished(timeoutMs)) {
            ctl.kill();
            ctl.waitForFinished(1000);
            return run;
        }
        run.exitCode = ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1;
        run.out = QString::fromUtf8(ctl.readAllStandardOutput());
        run.err = QString::fromUtf8(ctl.readAllStandardError());
        return run;
    }

private:
    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        env.remove(QStringLiteral("LANGUAGE"));
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_MESSAGES"));
        return env;
    }

    QTemporaryDir runtime_;
    std::vector<QString> names_;
    std::vector<std::unique_ptr<QProcess>> sims_;
    std::vector<int> held_;
};

}  // namespace zt::test
