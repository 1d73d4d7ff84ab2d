// The zt461-sim program's port name: held while it runs, taken over from a simulator that was
// killed (wherever its link points by then), refused to a second simulator.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "link/frame_codec.h"
#include "link/protocol.h"
#include "tests/support/sim_run.h"

namespace zt {
namespace {

using test::SimRun;

// A pseudo-terminal of this test: a terminal that took over the number of a dead simulator's.
struct OtherTerminal {
    OtherTerminal() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) path = ptsname(master);
    }
    ~OtherTerminal() {
        if (master >= 0) close(master);
    }
    int master = -1;
    QString path;
};

QString Target(const QString& link) {
    return QFileInfo(link).symLinkTarget();
}

// Sends the connect frame through the link and waits for the processor's acknowledgement.
bool Answers(const QString& link) {
    const int fd = open(link.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    const Bytes connect = BuildCommandFrame(kCommandWrite, kAddrLinkControl, kLinkConnect);
    bool acknowledged = write(fd, connect.data(), connect.size()) == ssize_t(connect.size());
    Bytes got;
    for (int i = 0; acknowledged && i < 30 && got.size() < 2; ++i) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            uint8_t b[16];
            const ssize_t n = read(fd, b, sizeof b);
            if (n > 0) got.insert(got.end(), b, b + n);
        }
    }
    close(fd);
    return got.size() >= 2 && got[got.size() - 2] == kShortStart && got.back() == kShortAccept;
}

bool StartAfresh(SimRun& sim) {
    QFile::remove(sim.statusPath());
    if (!sim.Start()) return false;
    return QTest::qWaitFor([&] { return sim.status() == QStringLiteral("waiting"); }, 5000);
}

TEST(SimNameTest, AKilledSimulatorsLinkIsTakenOverWhereverItPoints) {
    SimRun sim({});
    ASSERT_TRUE(StartAfresh(sim));
    ::kill(static_cast<pid_t>(sim.process().processId()), SIGKILL);
    ASSERT_TRUE(sim.process().waitForFinished(3000));
    // The link stays behind; its terminal number now belongs to another terminal.
    OtherTerminal other;
    ASSERT_FALSE(other.path.isEmpty());
    ASSERT_TRUE(QFile::remove(sim.linkPath()));
    ASSERT_TRUE(QFile::link(other.path, sim.linkPath()));

    ASSERT_TRUE(StartAfresh(sim));
    EXPECT_NE(Target(sim.linkPath()), other.path);
    EXPECT_TRUE(Answers(sim.linkPath()));
    // Only the port is in the editor's list, not the lock that holds its name.
    const auto ports = sim.Ports();
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].name, "ZT461-SIM");
}

TEST(SimNameTest, ALinkToTheSimulatorsOwnNewTerminalIsReplacedToo) {
    // The common case after a kill: the next simulator gets the same terminal number.
    SimRun sim({});
    ASSERT_TRUE(StartAfresh(sim));
    ::kill(static_cast<pid_t>(sim.process().processId()), SIGKILL);
    ASSERT_TRUE(sim.process().waitForFinished(3000));
    ASSERT_TRUE(StartAfresh(sim));
    EXPECT_TRUE(Answers(sim.linkPath()));
    sim.process().terminate();
    ASSERT_TRUE(sim.process().waitForFinished(3000));
    // A clean end takes the link and the lock away.
    EXPECT_FALSE(QFileInfo(sim.linkPath()).isSymLink());
    const QDir folder = QFileInfo(sim.linkPath()).dir();
    EXPECT_TRUE(
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
            .isEmpty())
        << folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System).join(' ').toStdString();
}

// Runs a second program beside the test's simulator, in its runtime folder.
int RunSecond(const SimRun& sim, QString& output) {
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QFileInfo(sim.statusPath()).path());
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(ZT_SIM_PROGRAM), {});
    if (!second.waitForFinished(5000)) {
        second.kill();
        second.waitForFinished(1000);
        return -1;
    }
    output = QString::fromUtf8(second.readAllStandardError());
    return second.exitCode();
}

TEST(SimNameTest, ASecondSimulatorOfTheSameNameIsRefused) {
    SimRun sim({});
    ASSERT_TRUE(StartAfresh(sim));
    const QString target = Target(sim.linkPath());
    QString output;
    EXPECT_EQ(RunSecond(sim, output), 1);
    EXPECT_TRUE(output.contains(QStringLiteral("another simulator"))) << output.toStdString();
    EXPECT_EQ(Target(sim.linkPath()), target);
    EXPECT_TRUE(Answers(sim.linkPath()));
}

TEST(SimNameTest, AFileThatIsNoLinkIsLeftAlone) {
    SimRun sim({});
    ASSERT_TRUE(StartAfresh(sim));
    sim.process().terminate();
    ASSERT_TRUE(sim.process().waitForFinished(3000));
    QFile file(sim.linkPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("notes");
    file.close();
    QString output;
    EXPECT_EQ(RunSecond(sim, output), 1);
    EXPECT_TRUE(output.contains(QStringLiteral("no port link"))) << output.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("notes"));
}

}  // namespace
}  // namespace zt
