// What the system tells about a port before it is opened: a holder through a lock file, an
// flock or an open descriptor makes it busy, and the editor never opens a port twice.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "link/qt/com_port.h"
#include "link/qt/port_access.h"
#include "sim/pty_link.h"

namespace zt {
namespace {

class PortAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(pty.Create(folder.path().toStdString() + "/ports", "ttyUSB9", error)) << error;
        device = pty.slavePath();
    }

    // A child process that keeps running until the test ends.
    void StartHolder(const QString& program, const QStringList& args) {
        holder.start(program, args);
        ASSERT_TRUE(holder.waitForStarted(3000));
    }
    void TearDown() override {
        holder.kill();
        holder.waitForFinished(3000);
    }

    QTemporaryDir folder;
    PtyLink pty;
    std::string device;
    QProcess holder;
};

TEST_F(PortAccessTest, AFreePortIsOpenAndASecondOpenOfItIsRefusedAsBusy) {
    EXPECT_EQ(ProbePortAccess(device).fault, PortFault::None);
    EXPECT_EQ(ProbePortAccess(folder.path().toStdString() + "/none").fault, PortFault::Missing);

    const std::vector<PortEntry> ports{{"ttyUSB9", pty.linkPath()}};
    ComPort first;
    ComPort second;
    first.SetPorts(ports);
    second.SetPorts(ports);
    ASSERT_TRUE(first.Open("ttyUSB9"));
    EXPECT_FALSE(second.Open("ttyUSB9"));
    EXPECT_EQ(second.openFault(), PortFault::Busy);
    first.Close();
    EXPECT_TRUE(second.Open("ttyUSB9"));
    EXPECT_EQ(second.openFault(), PortFault::None);
}

TEST_F(PortAccessTest, AnFlockOfAnotherProgramMakesThePortBusy) {
    StartHolder(QStringLiteral("flock"), {QStringLiteral("-x"), QString::fromStdString(device),
                                          QStringLiteral("sleep"), QStringLiteral("30")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return ProbePortAccess(device).fault == PortFault::Busy; },
                                20000));
    ComPort port;
    port.SetPorts({{"ttyUSB9", pty.linkPath()}});
    EXPECT_FALSE(port.Open("ttyUSB9"));
    EXPECT_EQ(port.openFault(), PortFault::Busy);
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PortAccessTest, ALockFileOfALiveProcessNamesTheHolder) {
    StartHolder(QStringLiteral("sleep"), {QStringLiteral("30")});
    const QString lock = folder.path() + QStringLiteral("/LCK..ttyUSB9");
    QFile file(lock);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(holder.processId()).rightJustified(10, ' ') + "\n");
    file.close();
    const std::string holderName = "sleep (" + std::to_string(holder.processId()) + ")";
    EXPECT_EQ(LockFileHolder("/dev/ttyUSB9", folder.path().toStdString()), holderName);
    // Qt names its lock after the path below /dev.
    QFile::rename(lock, folder.path() + QStringLiteral("/LCK..usb_serial0"));
    EXPECT_EQ(LockFileHolder("/dev/usb/serial0", folder.path().toStdString()), holderName);
    // A lock left by a process that has ended, or by this one, holds nothing.
    holder.kill();
    holder.waitForFinished(3000);
    EXPECT_EQ(LockFileHolder("/dev/usb/serial0", folder.path().toStdString()), "");
}

TEST_F(PortAccessTest, AnOpenDescriptorOfAnotherProcessNamesTheHolder) {
    // A regular file stands in for an adapter: the holder keeps it open as descriptor 3.
    const QString file = folder.path() + QStringLiteral("/adapter");
    QFile(file).open(QIODevice::WriteOnly);
    StartHolder(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("exec 3<'%1'; exec sleep 30").arg(file)});
    const std::string holderName = "sleep (" + std::to_string(holder.processId()) + ")";
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return DescriptorHolder(file.toStdString()) == holderName; }, 20000));
    // A pseudo-terminal is always held by its other side; that is no other program's hold.
    EXPECT_EQ(DescriptorHolder(device), "");
}

}  // namespace
}  // namespace zt
