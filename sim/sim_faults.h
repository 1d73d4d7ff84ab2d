#pragma once
// Faults the simulated processor can be told to show, so that the editor's link can be tried
// against a processor that loses, delays, garbles or stops its answers.

#include <cstdint>

namespace zt {

struct SimFaults {
    double dropAcks = 0.0;          // share of short acknowledgements (EE BB) left unsent
    double dropReplies = 0.0;       // share of reply frames left unsent
    int delayMs = 0;                // every answer leaves this much later (the transport waits)
    double corruptChecksums = 0.0;  // share of reply frames sent with a wrong checksum
    double garbage = 0.0;           // share of answers preceded by a burst of garbage bytes
    int silentAfter = -1;           // answer this many frames, then nothing (-1: never)
    int vanishAfter = -1;           // answer this many frames, then disappear (-1: never)
    double loseFrames = 0.0;        // share of the editor's frames that never arrive (line noise)
    double loseWrites = 0.0;        // share of the editor's parameter writes that never arrive
    int dropKeepAliveAcks = 0;      // leave the acknowledgements of the first N keep-alives unsent
    uint64_t seed = 1;              // seed of the fault dice
};

// The dice behind the shares above: a small seeded generator, so that a run with the same seed
// and the same traffic drops the same answers.
class SimDice {
public:
    explicit SimDice(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        // splitmix64
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // True with the given probability (0 never, 1 always).
    bool Roll(double share) {
        if (share <= 0.0) return false;
        if (share >= 1.0) return true;
        return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0) < share;
    }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_;
};

}  // namespace zt
