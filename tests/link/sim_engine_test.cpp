// The link engine against the simulated processor through SimPort, on the test's clock: a whole
// download, a lossy line, a slow processor, one that stops answering and one that vanishes.

#include <gtest/gtest.h>

#include "sim_engine_rig.h"

namespace zt::test {
namespace {

TEST(SimEngineTest, DownloadsEverythingTheProcessorHolds) {
    SimEngineRig r;
    r.sim.SetModeName(2, "Studio");
    r.sim.memory().Set(0, 163, 4321);
    ASSERT_TRUE(r.WaitOnline(20000));
    // The search tries COM1 first, the download takes at least 61 transfer ticks.
    EXPECT_EQ(r.port.openAttempts().front(), "COM1");
    EXPECT_GT(r.rig.now, 2000 + 6100);
    r.ExpectImageMatches();
    EXPECT_EQ(r.rig.engine.deviceInfo().modeNames[2], "Studio");
    EXPECT_EQ(r.rig.engine.deviceInfo().systemPassword, r.sim.systemPassword());
    EXPECT_EQ(r.rig.engine.deviceInfo().panelLockPassword, r.sim.panelPassword());
    EXPECT_TRUE(r.rig.view.messages.empty());
    // Idle online: one keep-alive a second, each answered; the simulator sees the editor online.
    const int before = r.sim.framesReceived();
    r.rig.Step(5000);
    EXPECT_TRUE(r.rig.engine.linkOnline());
    EXPECT_NEAR(r.sim.framesReceived() - before, 5, 1);
    EXPECT_EQ(r.sim.onlineCount(), 1);
}

TEST(SimEngineTest, SlowAnswersInEventsOfFewBytesStillComplete) {
    SimFaults faults;
    faults.delayMs = 60;
    SimEngineRig r(faults);
    r.port.SetEventSize(7);
    ASSERT_TRUE(r.WaitOnline(30000));
    r.ExpectImageMatches();
}

TEST(SimEngineTest, ProcessorSilentFromPage12FailsAbout13SecondsAfterTheRequest) {
    SimFaults faults;
    faults.silentAfter = 13;  // the connect and pages 0..11
    SimEngineRig r(faults);
    ASSERT_TRUE(r.rig.StepUntil([&] { return r.rig.engine.transferCounter() == 12; }, 20000));
    const int64_t requested = r.rig.now;
    ASSERT_TRUE(r.rig.StepUntil([&] { return !r.rig.view.messages.empty(); }, 20000));
    EXPECT_EQ(r.rig.view.messages.back(), kMessageLinkFailed);
    EXPECT_NEAR(static_cast<double>(r.rig.now - requested), 13200, 200);
}

TEST(SimEngineTest, VanishedProcessorEndsTheLinkAsLost) {
    SimFaults faults;
    faults.vanishAfter = 83 + 1;  // the download and one keep-alive
    SimEngineRig r(faults);
    bool lost = false;
    r.port.SetLostHandler([&] { lost = true; });
    ASSERT_TRUE(r.WaitOnline(20000));
    ASSERT_TRUE(r.rig.StepUntil([&] { return lost; }, 3000));
    const int64_t at = r.rig.now;
    ASSERT_TRUE(r.rig.StepUntil([&] { return !r.rig.view.messages.empty(); }, 10000));
    EXPECT_EQ(r.rig.view.messages.back(), kMessageLinkLost);
    EXPECT_LT(r.rig.now - at, 7000);
}

TEST(SimEngineTest, LossyLineKeepsTheImageTrue) {
    SimFaults faults;
    faults.garbage = 0.3;
    faults.corruptChecksums = 0.3;
    faults.dropAcks = 0.2;
    for (uint64_t seed : {11u, 12u, 13u}) {
        faults.seed = seed;
        SimEngineRig r(faults);
        bool online = r.WaitOnline(20000);
        for (int attempt = 0; !online && attempt < 2; ++attempt) {
            r.rig.engine.OnLinkButton(LinkButton::LinkBtn);
            online = r.WaitOnline(20000);
        }
        ASSERT_TRUE(online) << seed;
        r.ExpectImageMatches();
        // Edits keep flowing; repeats carry them over lost acknowledgements.
        for (int i = 0; i < 20; ++i) {
            r.rig.engine.WriteParameter(MakeAddress(4, 5), 100 + i);
            r.rig.Step(100);
        }
        r.rig.Step(6000);
        EXPECT_TRUE(r.rig.engine.linkOnline()) << seed;
        EXPECT_EQ(r.sim.memory().Get(4, 5), 119) << seed;
    }
}

}  // namespace
}  // namespace zt::test
