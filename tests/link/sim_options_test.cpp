// The zt461-sim command line and the dump it writes for other processes.

#include <gtest/gtest.h>

#include "sim/sim_options.h"
#include "sim/sim_state_dump.h"
#include "tests/link/sim_support.h"

namespace zt {
namespace {

TEST(SimOptionsTest, ReadsEveryFlagInBothForms) {
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimOptions(
        {"--drop-acks=0.3", "--drop-replies", "0.1", "--delay-ms=250", "--corrupt-checksums=1",
         "--garbage=0", "--silent-after=13", "--vanish-after", "84", "--seed=99", "--name=BENCH",
         "--drop-keepalive-acks=2", "--lose-frames=0.25", "--lose-writes=0.5",
         "--status-file=/tmp/s", "--dump-file=/tmp/d", "-v", "--panel-lock"},
        o, error))
        << error;
    EXPECT_DOUBLE_EQ(o.faults.dropAcks, 0.3);
    EXPECT_DOUBLE_EQ(o.faults.dropReplies, 0.1);
    EXPECT_EQ(o.faults.delayMs, 250);
    EXPECT_DOUBLE_EQ(o.faults.corruptChecksums, 1.0);
    EXPECT_DOUBLE_EQ(o.faults.garbage, 0.0);
    EXPECT_EQ(o.faults.silentAfter, 13);
    EXPECT_EQ(o.faults.vanishAfter, 84);
    EXPECT_EQ(o.faults.seed, 99u);
    EXPECT_EQ(o.faults.dropKeepAliveAcks, 2);
    EXPECT_DOUBLE_EQ(o.faults.loseFrames, 0.25);
    EXPECT_DOUBLE_EQ(o.faults.loseWrites, 0.5);
    EXPECT_EQ(o.name, "BENCH");
    EXPECT_EQ(o.statusFile, "/tmp/s");
    EXPECT_EQ(o.dumpFile, "/tmp/d");
    EXPECT_TRUE(o.verbose);
    EXPECT_TRUE(o.panelLock);
    EXPECT_FALSE(o.help);

    SimOptions defaults;
    ASSERT_TRUE(ParseSimOptions({}, defaults, error));
    EXPECT_EQ(defaults.name, "ZT461-SIM");
    EXPECT_EQ(defaults.faults.silentAfter, -1);
    EXPECT_EQ(defaults.faults.vanishAfter, -1);
    EXPECT_FALSE(defaults.panelLock);
}

TEST(SimOptionsTest, RefusesBadInput) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--drop-acks=1.5"},
             {"--drop-acks=-0.1"},
             {"--garbage=lots"},
             {"--delay-ms=-5"},
             {"--silent-after=3x"},
             {"--seed="},
             {"--name=../escape"},
             {"--name=.."},
             {"--name="},
             {"--vanish-after"},
             {"--frobnicate"},
         }) {
        SimOptions o;
        std::string error;
        EXPECT_FALSE(ParseSimOptions(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimOptions({"--help"}, o, error));
    EXPECT_TRUE(o.help);
    for (const char* flag :
         {"--drop-acks", "--drop-replies", "--delay-ms", "--corrupt-checksums", "--garbage",
          "--silent-after", "--vanish-after", "--seed", "--name", "--status-file", "--dump-file"}) {
        EXPECT_NE(SimHelpText().find(flag), std::string::npos) << flag;
    }
}

TEST(SimStateDumpTest, ReadsBackWhatItWrote) {
    SimProcessor sim;
    sim.SetModeName(4, "Two words");
    sim.SetModeName(5, "");
    sim.memory().Set(7, 164, 65535);
    sim.Receive(BuildTextFrame(kAddrSystemPassword, "654321"));
    SimState state;
    ASSERT_TRUE(ParseSimState(DumpSimState(sim), state));
    EXPECT_TRUE(state.memory == sim.memory());
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        EXPECT_EQ(state.modeNames[mode], sim.modeName(mode)) << mode;
    }
    EXPECT_EQ(state.systemPassword, "654321");
    EXPECT_EQ(state.panelPassword, sim.panelPassword());
    EXPECT_EQ(state.framesReceived, 1);

    EXPECT_FALSE(ParseSimState("page 0 1 2 3\n", state));
    EXPECT_FALSE(ParseSimState("nonsense\n", state));
}

}  // namespace
}  // namespace zt
