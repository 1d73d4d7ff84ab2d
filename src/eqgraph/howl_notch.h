#pragma once
// Where a notch against a howl goes among the bands of a microphone EQ, and what it becomes:
// a narrow PEQ cut at the frequency entry nearest the howl, -6 dB at first and 3 dB deeper at
// each further press down to -18 dB. A notch lands only on a free band, one that is bypassed
// or flat, never on a band the user has shaped.

#include <span>
#include <vector>

#include "eqgraph/eq_exchange_types.h"

namespace zt {

// Raw values of the notch's fields (gain in 0.2 dB steps from -24 dB, 120 is 0 dB).
inline constexpr int kBandTypeBypass = 0;
inline constexpr int kBandTypePeq = 1;
inline constexpr int kFlatGain = 120;
inline constexpr int kNotchFirstGain = 90;    // -6 dB
inline constexpr int kNotchGainStep = 15;     // 3 dB
inline constexpr int kNotchDeepestGain = 30;  // -18 dB
// The Q of a notch: about 10, a tenth of an octave wide at its half depth.
inline constexpr double kNotchQ = 10.0;
// A notch counts as the one for a howl within this distance (octaves).
inline constexpr double kNotchReachOctaves = 1.0 / 12.0;

int NotchQIndex();
// The frequency entry nearest `hz`.
int NotchFrequencyIndex(double hz);

// Bypassed, or with no gain: nothing the user would miss.
bool IsFreeBand(const ExchangeBand& band);
// A band that a notch press made: PEQ, the notch's Q, and one of the notch's depths.
bool IsNotchBand(const ExchangeBand& band);

struct NotchPlan {
    enum class Outcome {
        Placed,      // a new notch on a free band
        Deepened,    // the notch already at the howl, 3 dB deeper
        AtDeepest,   // the notch at the howl is at -18 dB already: nothing to write
        NoFreeBand,  // every band is shaped: nothing to write
    };
    Outcome outcome = Outcome::NoFreeBand;
    int band = -1;         // the band written (or at its deepest), 0-based
    ExchangeBand setting;  // what that band becomes
};

// The notch for a howl at `hz`. `bands` are the bands of the channel shown; `freeHere` tells
// whether a band may take a new notch (a band shown for two channels at once is free only where
// it is free on both), or null to judge by `bands` alone. A notch already within a twelfth of
// an octave of the howl is deepened; otherwise the first band that is free and bypassed at no
// gain takes the notch, else the first flat band, else the first bypassed one.
NotchPlan PlanNotch(std::span<const ExchangeBand> bands, double hz,
                    const std::vector<bool>& freeHere = {});

}  // namespace zt
