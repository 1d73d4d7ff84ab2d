// Random edits over a line that loses a share of the editor's frames, with and without
// read-back: how many parameters are wrong once the line has been quiet for five seconds, and
// what the read-back costs on the line. Prints one "read-back soak:" line per run.
// ZT_READBACK_SOAK_EDITS sets the number of edits (default 2000).

#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "sim_engine_rig.h"

namespace zt::test {
namespace {

struct SoakResult {
    int wrong = 0;
    size_t bytes = 0;  // both ways on the line from the first edit on
    bool online = false;
    bool toldOffLine = false;  // the link ended with "Off Line!"
};

SoakResult Soak(double lose, bool readBack, int edits, uint64_t seed) {
    SimFaults faults;
    faults.seed = seed;
    SimEngineRig r(faults, readBack);
    if (!r.WaitOnline(30000)) return {};
    r.SetFaults([&](SimFaults& f) { f.loseFrames = lose; });
    const size_t before = r.line.written.size();
    const size_t receivedBefore = r.received;
    std::mt19937 dice(static_cast<uint32_t>(seed));
    // The gains, frequencies and Qs of the MIC A bands and the output EQ, as a user drags them.
    // Mostly quick edits, and now and then the user stops to listen.
    std::uniform_int_distribution<int> band(0, 19), field(1, 3), value(0, 180), pause(20, 400);
    std::uniform_int_distribution<int> listen(1500, 4000), percent(0, 99);
    for (int i = 0; i < edits && r.rig.engine.linkOnline(); ++i) {
        const bool mic = i % 3 != 0;
        const int slot =
            mic ? 15 + 5 * band(dice) + field(dice) : 21 + 5 * (band(dice) % 10) + field(dice);
        r.rig.engine.WriteParameter(MakeAddress(mic ? 2 : 6, slot), value(dice));
        r.rig.Step(percent(dice) < 5 ? listen(dice) : pause(dice));
    }
    r.rig.Step(5000);
    SoakResult result;
    result.online = r.rig.engine.linkOnline();
    result.toldOffLine =
        !r.rig.view.messages.empty() && r.rig.view.messages.back() == kMessageLinkLost;
    result.wrong = static_cast<int>(r.Differences().size());
    for (size_t i = before; i < r.line.written.size(); ++i) {
        result.bytes += r.line.written[i].size();
    }
    result.bytes += r.received - receivedBefore;
    return result;
}

int SoakEdits() {
    const char* text = std::getenv("ZT_READBACK_SOAK_EDITS");
    const int edits = text ? std::atoi(text) : 0;
    return edits > 0 ? edits : 2000;
}

// At 5 % lost frames the same frame is sometimes lost three times in a row, at its send and
// both repeats: the fifth silent second then ends the link, with "Off Line!". That is the
// protocol's own limit; what may never happen is a wrong value without a word.
TEST(ReadBackSoakTest, NothingWrongAfterFiveQuietSecondsAtOneThreeAndFivePercentLost) {
    const int edits = SoakEdits();
    for (double lose : {0.01, 0.03, 0.05}) {
        for (uint64_t seed : {7u, 8u, 9u}) {
            const SoakResult with = Soak(lose, true, edits, seed);
            const SoakResult without = Soak(lose, false, edits, seed);
            std::printf(
                "read-back soak: %d edits, %.0f %% lost frames, seed %d: %s, wrong %d (without "
                "read-back %d), line bytes per 1000 edits %.0f (without %.0f)\n",
                edits, lose * 100, static_cast<int>(seed), with.online ? "online" : "link lost",
                with.wrong, without.wrong, 1000.0 * with.bytes / edits,
                1000.0 * without.bytes / edits);
            if (lose < 0.05) {
                EXPECT_TRUE(with.online) << lose << " " << seed;
            }
            if (with.online) {
                EXPECT_EQ(with.wrong, 0) << lose << " " << seed;
            } else {
                EXPECT_TRUE(with.toldOffLine) << lose << " " << seed;
            }
        }
    }
}

}  // namespace
}  // namespace zt::test
