// ComPort on a real pseudo-terminal: opening by the shown name, bytes both ways, receive events
// on the event loop, and a far end that goes away.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include "link/qt/com_port.h"
#include "sim/pty_link.h"
#include "tests/link_qt/cpu_time.h"

namespace zt {
namespace {

struct PtyFixture : ::testing::Test {
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(pty.Create(dir.path().toStdString(), "TEST-PORT", error)) << error;
        port.SetPorts({{"TEST-PORT", pty.linkPath()}});
        port.SetReceiver([this](const Bytes& bytes, int count) {
            received.insert(received.end(), bytes.begin(), bytes.end());
            counts.push_back(count);
            EXPECT_EQ(count, static_cast<int>(bytes.size()));
        });
    }
    Bytes ReadMaster(size_t want, int timeoutMs = 20000) {
        Bytes got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < want && clock.elapsed() < timeoutMs) {
            uint8_t buffer[256];
            const ssize_t n = read(pty.master(), buffer, sizeof buffer);
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
            else
                QTest::qWait(5);
        }
        return got;
    }

    QTemporaryDir dir;
    PtyLink pty;
    ComPort port;
    Bytes received;
    std::vector<int> counts;
};

TEST_F(PtyFixture, OpensByShownNameAndCarriesBytesBothWays) {
    EXPECT_FALSE(port.Open("COM1"));      // not in the list: never opened
    ASSERT_TRUE(port.Open("TEST-PORT"));  // the terminal's missing modem lines do not matter
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.openName(), "TEST-PORT");

    const Bytes frame{0xF5, 0xB1, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B};
    port.Write(frame);
    EXPECT_EQ(ReadMaster(frame.size()), frame);

    const Bytes answer{0xEE, 0xBB, 0x00, 0x0D, 0x0A, 0x13};  // no byte is translated
    ASSERT_EQ(write(pty.master(), answer.data(), answer.size()),
              static_cast<ssize_t>(answer.size()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= answer.size(); }, 20000));
    EXPECT_EQ(received, answer);
}

TEST_F(PtyFixture, BytesFromBeforeTheOpenAreDropped) {
    const Bytes stale{0xEE, 0xBB};
    ASSERT_EQ(write(pty.master(), stale.data(), stale.size()), 2);
    QTest::qWait(50);
    ASSERT_TRUE(port.Open("TEST-PORT"));
    const uint8_t fresh = 0x42;
    ASSERT_EQ(write(pty.master(), &fresh, 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.empty(); }, 20000));
    QTest::qWait(50);
    EXPECT_EQ(received, Bytes{0x42});
}

TEST_F(PtyFixture, ClosedPortSkipsWritesAndReceivesNothing) {
    ASSERT_TRUE(port.Open("TEST-PORT"));
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    port.Write({0x01, 0x02});
    EXPECT_TRUE(ReadMaster(1, 200).empty());
    const uint8_t byte = 0xEE;
    ASSERT_EQ(write(pty.master(), &byte, 1), 1);
    QTest::qWait(100);
    EXPECT_TRUE(received.empty());
}

// The far end going away floods the port with read errors; the port must close at once, report
// the loss once, and leave the event loop idle.
TEST_F(PtyFixture, FarEndGoneClosesThePortOnce) {
    int losses = 0;
    port.SetLostHandler([&] { ++losses; });
    ASSERT_TRUE(port.Open("TEST-PORT"));
    pty.Remove();
    EXPECT_TRUE(QTest::qWaitFor([&] { return losses > 0; }, 20000));
    EXPECT_FALSE(port.IsOpen());
    const double cpuBefore = test::CpuSeconds();
    QTest::qWait(1000);
    EXPECT_LT(test::CpuSeconds() - cpuBefore, 0.3);
    EXPECT_EQ(losses, 1);
    port.Write({0x01});                    // closed: nothing happens
    EXPECT_FALSE(port.Open("TEST-PORT"));  // the link is gone
}

TEST_F(PtyFixture, DrainWaitsWithoutReceiving) {
    ASSERT_TRUE(port.Open("TEST-PORT"));
    const uint8_t byte = 0xEE;
    ASSERT_EQ(write(pty.master(), &byte, 1), 1);
    port.Write({0x01, 0x02, 0x03});
    QElapsedTimer clock;
    clock.start();
    port.Drain(20);
    EXPECT_GE(clock.elapsed(), 19);
    EXPECT_TRUE(received.empty());  // receive events come only from the event loop
    EXPECT_EQ(ReadMaster(3), (Bytes{0x01, 0x02, 0x03}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.empty(); }, 20000));
}

}  // namespace
}  // namespace zt
