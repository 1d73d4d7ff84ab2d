// A port the user may not open, and a port another program holds, as the user sees them: the
// editor's window (the zt-port-probe program) searches a list holding only that port, and the
// status dialog's port line and the messages after "Off Line!" name the port and the cause.
// The case without the right runs the window as the user nobody through setpriv, since root
// opens anything.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include "sim/pty_link.h"

namespace zt::test {
namespace {

constexpr uid_t kNobody = 65534;

struct ProbeRun {
    QStringList portLines;
    QStringList messages;
    bool online = false;
};

// The port folder of a runtime folder owned by `owner`, holding one link to `device`.
bool MakeRuntime(const QString& runtime, uid_t owner, const QString& name, const QString& device) {
    const QString ports = runtime + QStringLiteral("/zt461/ports");
    if (!QDir().mkpath(ports)) return false;
    if (!QFile::link(device, ports + QStringLiteral("/") + name)) return false;
    for (const QString& folder : {runtime, runtime + QStringLiteral("/zt461"), ports}) {
        if (::chown(folder.toLocal8Bit().constData(), owner, owner) != 0) return false;
        if (::chmod(folder.toLocal8Bit().constData(), 0700) != 0) return false;
    }
    return true;
}

// Runs the probe, as `user` through setpriv unless that is root.
ProbeRun RunProbe(const QString& runtime, uid_t user) {
    // A copy in a folder anyone may enter, wherever the build tree lies.
    QTemporaryDir bin;
    const QString probe = bin.path() + QStringLiteral("/zt-port-probe");
    QFile::copy(QStringLiteral(ZT_PORT_PROBE), probe);
    ::chmod(bin.path().toLocal8Bit().constData(), 0755);
    ::chmod(probe.toLocal8Bit().constData(), 0755);

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("HOME"), runtime);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (user == 0) {
        process.start(probe, {});
    } else {
        const QString id = QString::number(user);
        process.start(QStringLiteral("setpriv"),
                      {QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                       QStringLiteral("--clear-groups"), probe});
    }
    process.waitForFinished(30000);
    ProbeRun run;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(QStringLiteral("port: "))) run.portLines << line.mid(6);
        if (line.startsWith(QStringLiteral("message: "))) run.messages << line.mid(9);
        if (line == QStringLiteral("online: 1")) run.online = true;
    }
    return run;
}

bool AnyContains(const QStringList& lines, const QString& a, const QString& b) {
    for (const QString& line : lines) {
        if (line.contains(a) && line.contains(b)) return true;
    }
    return false;
}

class PortAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::getuid() != 0) GTEST_SKIP() << "needs root to make a port another user cannot open";
        std::string error;
        ASSERT_TRUE(pty.Create((own.path() + QStringLiteral("/pty")).toStdString(), "slave", error))
            << error;
    }

    QTemporaryDir own;
    QTemporaryDir runtime;
    PtyLink pty;
};

TEST_F(PortAccessTest, APortWithoutTheRightIsNamedWithTheDialoutFix) {
    const QString device = QString::fromStdString(pty.slavePath());
    ASSERT_TRUE(MakeRuntime(runtime.path(), kNobody, QStringLiteral("ttyUSB7"), device));
    const ProbeRun run = RunProbe(runtime.path(), kNobody);
    EXPECT_FALSE(run.online);
    EXPECT_TRUE(
        AnyContains(run.portLines, QStringLiteral("ttyUSB7: "), QStringLiteral("no permission")) ||
        AnyContains(run.portLines, QStringLiteral("ttyUSB7: "), QString::fromUtf8("无访问权限")))
        << run.portLines.join('|').toStdString();
    ASSERT_EQ(run.messages.size(), 2) << run.messages.join('|').toStdString();
    EXPECT_EQ(run.messages[0], QStringLiteral("Off Line!"));
    EXPECT_TRUE(run.messages[1].contains(QStringLiteral("ttyUSB7")));
    EXPECT_TRUE(run.messages[1].contains(QStringLiteral("dialout")));
}

TEST_F(PortAccessTest, APortAnotherProgramHoldsIsBusyAndLeftAlone) {
    const QString device = QString::fromStdString(pty.slavePath());
    QProcess holder;
    holder.start(QStringLiteral("flock"),
                 {QStringLiteral("-x"), device, QStringLiteral("sleep"), QStringLiteral("30")});
    ASSERT_TRUE(holder.waitForStarted(3000));
    // Until the holder has the lock, a try of its own gets it at once.
    const auto lockTaken = [&] {
        QProcess attempt;
        attempt.start(QStringLiteral("flock"),
                      {QStringLiteral("-n"), QStringLiteral("-x"), device, QStringLiteral("true")});
        return attempt.waitForFinished(20000) && attempt.exitCode() != 0;
    };
    QElapsedTimer clock;
    clock.start();
    while (!lockTaken() && clock.elapsed() < 20000) QThread::msleep(20);
    ASSERT_TRUE(MakeRuntime(runtime.path(), 0, QStringLiteral("ttyUSB8"), device));
    const ProbeRun run = RunProbe(runtime.path(), 0);
    holder.kill();
    holder.waitForFinished(3000);
    EXPECT_FALSE(run.online);
    EXPECT_TRUE(
        AnyContains(run.portLines, QStringLiteral("ttyUSB8: "), QStringLiteral("busy")) ||
        AnyContains(run.portLines, QStringLiteral("ttyUSB8: "), QString::fromUtf8("被占用")))
        << run.portLines.join('|').toStdString();
    ASSERT_EQ(run.messages.size(), 2) << run.messages.join('|').toStdString();
    EXPECT_TRUE(run.messages[1].contains(QStringLiteral("ttyUSB8")));
    EXPECT_TRUE(run.messages[1].contains(QStringLiteral("in use")) ||
                run.messages[1].contains(QString::fromUtf8("占用")));
}

}  // namespace
}  // namespace zt::test
