// SimPort: the in-process port to the simulated processor, on the test's clock.

#include <gtest/gtest.h>

#include "sim/sim_port.h"
#include "tests/link/sim_support.h"

namespace zt {
namespace {

using namespace simtest;

struct PortFixture : ::testing::Test {
    explicit PortFixture(SimFaults faults = {}) : sim(faults), port(sim) {
        port.SetReceiver([this](const Bytes& bytes, int count) {
            events.push_back(bytes);
            counts.push_back(count);
        });
    }
    SimProcessor sim;
    SimPort port;
    std::vector<Bytes> events;
    std::vector<int> counts;
};

TEST_F(PortFixture, OpensOnlyItsOwnName) {
    EXPECT_FALSE(port.Open("COM1"));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.Open("ZT461-SIM"));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.openAttempts(), (std::vector<std::string>{"COM1", "ZT461-SIM"}));
}

TEST_F(PortFixture, AnswersWaitForDeliver) {
    port.Write(Connect());  // closed: skipped
    EXPECT_EQ(sim.framesReceived(), 0);
    ASSERT_TRUE(port.Open("ZT461-SIM"));
    port.Write(Connect());
    EXPECT_EQ(sim.framesReceived(), 1);
    EXPECT_TRUE(events.empty());  // never from inside Write
    EXPECT_EQ(port.queued(), 2u);
    EXPECT_EQ(port.Deliver(), 2u);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], (Bytes{0xEE, 0xBB}));
    EXPECT_EQ(counts[0], 2);
    EXPECT_EQ(port.Deliver(), 0u);
}

TEST_F(PortFixture, SplitsAnswersIntoEventsOfTheGivenSize) {
    ASSERT_TRUE(port.Open("ZT461-SIM"));
    port.SetEventSize(100);
    port.Write(RequestPage(0));  // 231 + 113 bytes
    port.Deliver();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(counts, (std::vector<int>{100, 100, 100, 44}));
    EditorSide editor;
    EXPECT_EQ(editor.Apply(Join(events)), 2);
}

TEST_F(PortFixture, ClosingDropsWhatWasNotDelivered) {
    ASSERT_TRUE(port.Open("ZT461-SIM"));
    port.Write(KeepAlive());
    port.Close();
    EXPECT_EQ(port.queued(), 0u);
    ASSERT_TRUE(port.Open("ZT461-SIM"));
    EXPECT_EQ(port.Deliver(), 0u);
}

// Answers written by the receiver while it handles an event wait for the next Deliver.
TEST_F(PortFixture, AnswersToWritesMadeDuringDeliveryWait) {
    ASSERT_TRUE(port.Open("ZT461-SIM"));
    port.SetReceiver([this](const Bytes& bytes, int) {
        events.push_back(bytes);
        port.Write(KeepAlive());
    });
    port.Write(KeepAlive());
    port.Deliver();
    EXPECT_EQ(events.size(), 1u);
    port.Deliver();
    EXPECT_EQ(events.size(), 2u);
}

struct DelayedPort : PortFixture {
    static SimFaults Delay() {
        SimFaults f;
        f.delayMs = 50;
        return f;
    }
    DelayedPort() : PortFixture(Delay()) {}
};

TEST_F(DelayedPort, DelayCountsTheTestsMilliseconds) {
    ASSERT_TRUE(port.Open("ZT461-SIM"));
    port.Write(KeepAlive());
    port.Advance(49);
    EXPECT_EQ(port.Deliver(), 0u);
    port.Advance(1);
    EXPECT_EQ(port.Deliver(), 2u);
}

struct VanishingPort : PortFixture {
    static SimFaults Vanish() {
        SimFaults f;
        f.vanishAfter = 1;
        return f;
    }
    VanishingPort() : PortFixture(Vanish()) {}
};

TEST_F(VanishingPort, ReportsTheLossOnceAfterTheLastAnswer) {
    int losses = 0;
    port.SetLostHandler([&] { ++losses; });
    ASSERT_TRUE(port.Open("ZT461-SIM"));
    port.Write(Connect());
    port.Deliver();
    EXPECT_EQ(events.size(), 1u);  // the answer before the loss still arrives
    EXPECT_EQ(losses, 1);
    EXPECT_FALSE(port.IsOpen());
    port.Deliver();
    EXPECT_EQ(losses, 1);
    EXPECT_FALSE(port.Open("ZT461-SIM"));
}

}  // namespace
}  // namespace zt
