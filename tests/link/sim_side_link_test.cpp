// The simulated processor's sides edited together: a side address of 1 makes a write to the
// left side land on the right side too; entering or leaving it copies left onto right.

#include <gtest/gtest.h>

#include "sim/side_link.h"
#include "sim/sim_processor.h"
#include "tests/link/sim_support.h"

namespace zt {
namespace {

using namespace simtest;

struct SideCase {
    const char* pair;
    ParamAddress side;
    ParamAddress left;
    ParamAddress right;
};

// A band gain of each pair (for the outputs in scene 1) and where its mirror lies.
const SideCase kCases[] = {
    {"music", 0x0008, 0x000C, 0x0057},
    {"microphones", 0x020D, 0x0211, 0x0311},
    {"main", 0x00A2, 0x0717, 0x0A17},
    {"surround", 0x00A3, 0x0D17, 0x1017},
};

class SimSideLinkTest : public ::testing::TestWithParam<SideCase> {
protected:
    void Send(ParamAddress address, int value) { sim.Receive(Write(address, value)); }
    int32_t At(ParamAddress address) const { return sim.memory().Get(address); }
    SimProcessor sim;
};

TEST_P(SimSideLinkTest, TogetherAWriteToTheLeftLandsOnBothSides) {
    const SideCase& c = GetParam();
    Send(c.side, 1);
    Send(c.left, 150);
    EXPECT_EQ(At(c.left), 150);
    EXPECT_EQ(At(c.right), 150);
    // The right side stays reachable on its own.
    Send(c.right, 90);
    EXPECT_EQ(At(c.left), 150);
    EXPECT_EQ(At(c.right), 90);
}

TEST_P(SimSideLinkTest, ApartTheSidesKeepTheirOwnValues) {
    const SideCase& c = GetParam();
    Send(c.side, 0);
    Send(c.left, 150);
    Send(c.right, 90);
    EXPECT_EQ(At(c.left), 150);
    EXPECT_EQ(At(c.right), 90);
}

TEST_P(SimSideLinkTest, EnteringAndLeavingTogetherMakesTheRightSideEqualToTheLeft) {
    const SideCase& c = GetParam();
    Send(c.side, 0);
    Send(c.left, 150);
    Send(c.right, 90);
    Send(c.side, 1);
    EXPECT_EQ(At(c.right), 150);
    // A right-side value written while together gives way when the sides part, as the editor
    // copies left onto right then.
    Send(c.right, 90);
    Send(c.side, 0);
    EXPECT_EQ(At(c.right), 150);
    // Apart again: no more copies.
    Send(c.side, 0);
    Send(c.right, 80);
    Send(c.side, 2);
    EXPECT_EQ(At(c.right), 80);
}

INSTANTIATE_TEST_SUITE_P(Pairs, SimSideLinkTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.pair); });

TEST(SimSideLinkOutputsTest, EachOutputSideKeepsItsOwnDelayAndMute) {
    SimProcessor sim;
    sim.Receive(Write(0x00A2, 1));
    const int32_t rightDelay = sim.memory().Get(0x090A);
    const int32_t rightMute = sim.memory().Get(0x090B);
    sim.Receive(Write(0x060A, 300));  // main left delay, scene 0
    sim.Receive(Write(0x060B, 1));    // main left mute
    sim.Receive(Write(0x0600, 77));   // main left music level
    EXPECT_EQ(sim.memory().Get(0x090A), rightDelay);
    EXPECT_EQ(sim.memory().Get(0x090B), rightMute);
    EXPECT_EQ(sim.memory().Get(0x0900), 77);
}

TEST(SimSideLinkOutputsTest, OnlyTheMirroredSlotsAndPagesTakePart) {
    const SidePair& music = kSidePairs[0];
    EXPECT_EQ(MirroredAddress(music, 0x000A), 0x0055);
    EXPECT_EQ(MirroredAddress(music, 0x0054), 0x009F);
    EXPECT_EQ(MirroredAddress(music, 0x0009), -1);  // below the bands
    EXPECT_EQ(MirroredAddress(music, 0x0055), -1);  // already the second set
    EXPECT_EQ(MirroredAddress(music, 0x0105), -1);  // another page
    const SidePair& surround = kSidePairs[3];
    EXPECT_EQ(MirroredAddress(surround, 0x0E30), 0x1130);
    EXPECT_EQ(MirroredAddress(surround, 0x0F30), -1);  // a right page itself
    EXPECT_EQ(MirroredAddress(surround, 0x120A), -1);  // centre
}

TEST(SimSideLinkOutputsTest, AnUploadStoresThePagesAsSent) {
    // The upload carries both sides as the editor holds them; nothing is mirrored on the way.
    SimProcessor sim;
    ASSERT_EQ(sim.memory().Get(0x0008), 1);
    Bytes chunk{0, 20, 0x11, 0x00};  // page 0 from slot 10: one value
    sim.Receive(BuildFrame(kCommandWrite, kAddrPageUpload, chunk));
    EXPECT_EQ(sim.memory().Get(0x000A), 0x11);
    EXPECT_EQ(sim.memory().Get(0x0055), FactoryMemory(0).Get(0x0055));
}

}  // namespace
}  // namespace zt
