// Random edits over a line that loses a share of the editor's frames, with and without
// read-back: how many parameters are wrong once the line has been quiet for five seconds, and
// what the read-back costs on the line; for edits dragged one by one and for undo/redo presses
// that write a whole EQ at once. Prints one "read-back soak" line per run.
// ZT_READBACK_SOAK_EDITS sets the number of edits (default 2000), ZT_READBACK_SOAK_SEEDS the
// number of seeds (default 3, from seed 7 on).

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sim_engine_rig.h"

namespace zt::test {
namespace {

struct SoakResult {
    int wrong = 0;
    size_t bytes = 0;  // both ways on the line from the first edit on
    bool online = false;
    bool toldOffLine = false;  // the link ended with "Off Line!"
    int64_t drainMs = 0;       // from the last edit until the queue was empty
    size_t named = 0;          // values named as not confirmed after three rounds
};

// What the user does: `edits` writes on the engine, stepping its time in between.
using Session = void (*)(SimEngineRig& r, int edits, std::mt19937& dice);

// The gains, frequencies and Qs of the MIC A bands and the output EQ, as a user drags them.
// Mostly quick edits, and now and then the user stops to listen.
void Dragging(SimEngineRig& r, int edits, std::mt19937& dice) {
    std::uniform_int_distribution<int> band(0, 19), field(1, 3), value(0, 180), pause(20, 400);
    std::uniform_int_distribution<int> listen(1500, 4000), percent(0, 99);
    for (int i = 0; i < edits && r.rig.engine.linkOnline(); ++i) {
        const bool mic = i % 3 != 0;
        const int slot =
            mic ? 15 + 5 * band(dice) + field(dice) : 21 + 5 * (band(dice) % 10) + field(dice);
        r.rig.engine.WriteParameter(MakeAddress(mic ? 2 : 6, slot), value(dice));
        r.rig.Step(percent(dice) < 5 ? listen(dice) : pause(dice));
    }
}

// Undo and redo of a whole MIC A EQ (20 bands: gain, frequency and Q) in bursts: a few presses
// in quick succession, then the user listens. Each press writes the 60 values at once, as the
// window's undo does.
void UndoRedoBursts(SimEngineRig& r, int edits, std::mt19937& dice) {
    constexpr int kBands = 20;
    std::uniform_int_distribution<int> value(0, 180), presses(2, 8), press(100, 400);
    std::uniform_int_distribution<int> listen(1000, 4000);
    std::vector<ParamAddress> addresses;
    for (int band = 0; band < kBands; ++band) {
        for (int field = 1; field <= 3; ++field) {
            addresses.push_back(MakeAddress(2, 15 + 5 * band + field));
        }
    }
    std::vector<int> before(addresses.size()), after(addresses.size());
    for (size_t i = 0; i < addresses.size(); ++i) {
        before[i] = value(dice);
        after[i] = value(dice);
    }
    bool undone = false;
    for (int done = 0; done < edits && r.rig.engine.linkOnline();) {
        for (int n = presses(dice); n > 0 && done < edits; --n) {
            undone = !undone;
            const std::vector<int>& values = undone ? before : after;
            for (size_t i = 0; i < addresses.size(); ++i) {
                r.rig.engine.WriteParameter(addresses[i], values[i]);
            }
            done += static_cast<int>(addresses.size());
            r.rig.Step(press(dice));
        }
        r.rig.Step(listen(dice));
    }
}

SoakResult Soak(Session session, double lose, bool readBack, int edits, uint64_t seed) {
    SimFaults faults;
    faults.seed = seed;
    SimEngineRig r(faults, readBack);
    if (!r.WaitOnline(30000)) return {};
    r.SetFaults([&](SimFaults& f) { f.loseFrames = lose; });
    const size_t before = r.line.written.size();
    const size_t receivedBefore = r.received;
    std::mt19937 dice(static_cast<uint32_t>(seed));
    session(r, edits, dice);
    // The line is quiet once the writes held in the queue have left, one per acknowledgement;
    // every frame lost among them holds the rest back until its repeat two seconds later.
    const int64_t lastEdit = r.rig.now;
    r.rig.StepUntil([&] { return r.rig.engine.txQueue().IsEmpty(); }, 300000);
    SoakResult result;
    result.drainMs = r.rig.now - lastEdit;
    r.rig.Step(5000);
    result.online = r.rig.engine.linkOnline();
    result.toldOffLine =
        !r.rig.view.messages.empty() && r.rig.view.messages.back() == kMessageLinkLost;
    result.wrong = static_cast<int>(r.Differences().size());
    for (const auto& report : r.rig.view.unconfirmedReports) result.named += report.size();
    for (size_t i = before; i < r.line.written.size(); ++i) {
        result.bytes += r.line.written[i].size();
    }
    result.bytes += r.received - receivedBefore;
    return result;
}

int PositiveFromEnvironment(const char* name, int otherwise) {
    const char* text = std::getenv(name);
    const int number = text ? std::atoi(text) : 0;
    return number > 0 ? number : otherwise;
}
int SoakEdits() {
    return PositiveFromEnvironment("ZT_READBACK_SOAK_EDITS", 2000);
}
uint64_t SoakSeeds() {
    return PositiveFromEnvironment("ZT_READBACK_SOAK_SEEDS", 3);
}

// A frame lost at its send and both repeats no longer ends the link while the user writes on:
// the writes made meanwhile leave and their answers show the processor is there. With nothing
// new written (a backlog of undo presses draining while the user listens) the repeats are the
// only frames out, and three losses of one frame look like a silent processor: at 5 % lost
// frames that can still end the link, with "Off Line!", never with a wrong value unsaid.
TEST(ReadBackSoakTest, NothingWrongAfterFiveQuietSecondsAtOneThreeAndFivePercentLost) {
    struct Kind {
        const char* name;
        Session session;
    };
    const int edits = SoakEdits();
    for (const Kind& kind :
         {Kind{"dragging", Dragging}, Kind{"undo/redo bursts", UndoRedoBursts}}) {
        for (double lose : {0.01, 0.03, 0.05}) {
            for (uint64_t seed = 7; seed < 7 + SoakSeeds(); ++seed) {
                const SoakResult with = Soak(kind.session, lose, true, edits, seed);
                const SoakResult without = Soak(kind.session, lose, false, edits, seed);
                std::printf(
                    "read-back soak, %s: %d edits, %.0f %% lost frames, seed %d: %s, wrong %d "
                    "(without read-back %d), line bytes per 1000 edits %.0f (without %.0f), "
                    "queue empty %.1f s after the last edit, %zu values named not confirmed\n",
                    kind.name, edits, lose * 100, static_cast<int>(seed),
                    with.online ? "online" : "link lost", with.wrong, without.wrong,
                    1000.0 * with.bytes / edits, 1000.0 * without.bytes / edits,
                    with.drainMs / 1000.0, with.named);
                const std::string run = std::string(kind.name) + ", " + std::to_string(lose) +
                                        ", " + std::to_string(seed);
                if (lose < 0.05) {
                    EXPECT_TRUE(with.online) << run;
                }
                if (with.online) {
                    EXPECT_EQ(with.wrong, 0) << run;
                } else {
                    EXPECT_TRUE(with.toldOffLine) << run;
                }
            }
        }
    }
}

}  // namespace
}  // namespace zt::test
