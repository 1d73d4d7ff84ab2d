// The simulator's faults: dropped, corrupted, noisy, silent and vanishing answers.

#include <gtest/gtest.h>

#include "sim/sim_processor.h"
#include "tests/link/sim_support.h"

namespace zt {
namespace {

using namespace simtest;

// One round of traffic: 20 writes and 20 page requests.
Bytes Traffic(SimProcessor& sim) {
    Bytes all;
    for (int i = 0; i < 20; ++i) {
        for (const Bytes& frame : {Write(MakeAddress(2, i), i), RequestPage(i)}) {
            const Bytes answer = sim.Receive(frame);
            all.insert(all.end(), answer.begin(), answer.end());
        }
    }
    return all;
}

TEST(SimFaultsTest, SharesOfOneDropEveryAnswerOfTheirKind) {
    SimFaults dropAcks;
    dropAcks.dropAcks = 1.0;
    SimProcessor noAcks(dropAcks);
    Answers a = Cut(Traffic(noAcks));
    EXPECT_EQ(a.acks, 0);
    EXPECT_EQ(a.frames.size(), 21u);          // page 0 in two frames
    EXPECT_EQ(noAcks.memory().Get(2, 7), 7);  // the writes still land

    SimFaults dropReplies;
    dropReplies.dropReplies = 1.0;
    SimProcessor noReplies(dropReplies);
    a = Cut(Traffic(noReplies));
    EXPECT_EQ(a.acks, 20);
    EXPECT_TRUE(a.frames.empty());
}

TEST(SimFaultsTest, SharesFollowTheSeed) {
    SimFaults faults;
    faults.dropAcks = 0.3;
    faults.dropReplies = 0.3;
    faults.seed = 42;
    SimProcessor first(faults), second(faults);
    const Bytes a = Traffic(first);
    EXPECT_EQ(a, Traffic(second));
    faults.seed = 43;
    SimProcessor other(faults);
    EXPECT_NE(a, Traffic(other));

    // Over many answers the share is about right.
    SimProcessor many(faults);
    int acks = 0;
    for (int i = 0; i < 2000; ++i) acks += Cut(many.Receive(KeepAlive())).acks;
    EXPECT_GT(acks, 2000 * 0.6);
    EXPECT_LT(acks, 2000 * 0.8);
}

TEST(SimFaultsTest, CorruptedChecksumsStillCarryTheValues) {
    SimFaults faults;
    faults.corruptChecksums = 1.0;
    SimProcessor sim(faults);
    EditorSide editor;
    editor.Apply(sim.Receive(RequestPage(4)));
    EXPECT_EQ(editor.checksumErrors, 1);
    EXPECT_EQ(editor.image.Get(4, 5), sim.memory().Get(4, 5));
    EXPECT_EQ(Cut(sim.Receive(KeepAlive())).acks, 1);  // acknowledgements have no checksum
}

TEST(SimFaultsTest, GarbageNeverHidesAnAnswerFromTheEditor) {
    SimProcessor reference;
    const Bytes cleanBytes = Traffic(reference);
    const Answers expected = Cut(cleanBytes);

    SimFaults faults;
    faults.garbage = 1.0;
    faults.seed = 7;
    SimProcessor sim(faults);
    const Bytes noisy = Traffic(sim);
    const Answers got = Cut(noisy);
    EXPECT_GT(noisy.size(), cleanBytes.size());
    EXPECT_EQ(got.acks, expected.acks);
    EXPECT_EQ(got.frames, expected.frames);
}

TEST(SimFaultsTest, SilentAfterAnsweringNFrames) {
    SimFaults faults;
    faults.silentAfter = 3;
    SimProcessor sim(faults);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(sim.Receive(KeepAlive()).empty()) << i;
    EXPECT_TRUE(sim.silent());
    EXPECT_TRUE(sim.Receive(RequestPage(0)).empty());
    EXPECT_TRUE(sim.Receive(Write(0x0001, 5)).empty());
    EXPECT_NE(sim.memory().Get(0x0001), 5);  // a hung processor stores nothing either
    EXPECT_EQ(sim.framesReceived(), 5);
    EXPECT_FALSE(sim.vanished());

    // Silent from the start: not even the connect is answered.
    faults.silentAfter = 0;
    SimProcessor mute(faults);
    EXPECT_TRUE(mute.Receive(Connect()).empty());
}

TEST(SimFaultsTest, VanishesAfterAnsweringNFrames) {
    SimFaults faults;
    faults.vanishAfter = 2;
    SimProcessor sim(faults);
    EXPECT_FALSE(sim.Receive(Connect()).empty());
    EXPECT_FALSE(sim.vanished());
    EXPECT_FALSE(sim.Receive(RequestPage(1)).empty());  // the last answer still leaves
    EXPECT_TRUE(sim.vanished());
    EXPECT_TRUE(sim.Receive(KeepAlive()).empty());

    faults.vanishAfter = 0;
    EXPECT_TRUE(SimProcessor(faults).vanished());
}

TEST(SimFaultsTest, LosesTheAcknowledgementsOfTheFirstKeepAlivesOnly) {
    SimFaults faults;
    faults.dropKeepAliveAcks = 2;
    SimProcessor sim(faults);
    EXPECT_EQ(Cut(sim.Receive(Connect())).acks, 1);
    EXPECT_TRUE(sim.Receive(KeepAlive()).empty());
    EXPECT_EQ(Cut(sim.Receive(Write(0x0001, 5))).acks, 1);
    EXPECT_TRUE(sim.Receive(KeepAlive()).empty());
    EXPECT_EQ(Cut(sim.Receive(KeepAlive())).acks, 1);
    EXPECT_EQ(sim.memory().Get(0x0001), 5);
}

TEST(SimFaultsTest, LostFramesAreNeitherStoredNorAnswered) {
    SimFaults faults;
    faults.loseFrames = 0.5;
    SimProcessor sim(faults);
    int stored = 0;
    for (int i = 1; i <= 200; ++i) {
        const bool answered = !sim.Receive(Write(0x0001, i)).empty();
        const bool kept = sim.memory().Get(0x0001) == i;
        EXPECT_EQ(answered, kept) << i;
        stored += kept;
    }
    EXPECT_GT(stored, 60);
    EXPECT_LT(stored, 140);
}

// Only parameter writes are lost: keep-alives, page requests and uploads all get through.
TEST(SimFaultsTest, LostWritesAreOnlyTheParameterWrites) {
    SimFaults faults;
    faults.loseWrites = 0.5;
    SimProcessor sim(faults);
    int stored = 0;
    for (int i = 1; i <= 200; ++i) {
        stored += !sim.Receive(Write(0x0001, i)).empty();
        EXPECT_EQ(Cut(sim.Receive(KeepAlive())).acks, 1) << i;
        EXPECT_EQ(Cut(sim.Receive(RequestPage(1))).frames.size(), 1u) << i;
    }
    EXPECT_GT(stored, 60);
    EXPECT_LT(stored, 140);
}

TEST(SimFaultsTest, FaultsCanBeSwitchedOnMidRun) {
    SimProcessor sim;
    EXPECT_FALSE(sim.Receive(KeepAlive()).empty());
    SimFaults faults;
    faults.silentAfter = 1;  // one frame was answered already
    sim.SetFaults(faults);
    EXPECT_TRUE(sim.Receive(KeepAlive()).empty());
}

}  // namespace
}  // namespace zt
