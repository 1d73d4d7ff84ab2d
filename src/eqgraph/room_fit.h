#pragma once
// Fits a channel's EQ bands to a measured room: the EQ curve that brings the measurement to a
// target (flat, or a house curve) within a fitting range, with the processor's own response
// model through the ExchangeFitter.
//
// The target is laid at the measurement's level (the median difference over the range), so the
// EQ shapes the response rather than its loudness. Boosts stop at a maximum, and deep narrow dips
// (points well below the median of the octave around them, cancellations a boost cannot fill
// without wasting headroom) count as that median: the EQ leaves them as they are.

#include <vector>

#include "eqgraph/exchange_fitter.h"

namespace zt {

// Target curve: a bass lift (half of it at the corner, all of it far below) and a treble tilt
// from kTiltFromHz up.
struct HouseCurve {
    double bassLiftDb = 0.0;
    double bassCornerHz = 150.0;
    double trebleTiltDbPerOctave = 0.0;
    bool operator==(const HouseCurve&) const = default;
};
inline constexpr double kTiltFromHz = 1000.0;

CurveArray TargetCurve(const HouseCurve& house);

struct RoomFitSettings {
    HouseCurve target;  // all zero: flat
    double fromHz = 60.0;
    double toHz = 12000.0;
    double maxBoostDb = 6.0;
};

// A dip is this far below the median of the octave around it, or further; its flanks reach out
// to where the measurement comes back within kDipFlankDb of the median.
inline constexpr double kDipDepthDb = 4.0;
inline constexpr double kDipFlankDb = 1.0;

struct RoomFit {
    ExchangeSettings settings;  // the channel's bands as fitted, its crossovers as they were
    CurveArray eq{};            // the EQ curve of the fitted settings
    CurveArray predicted{};     // measured + eq
    CurveArray target{};        // the target at the measurement's level
    double levelDb = 0.0;       // that level
    int firstIndex = 0;         // the fitting range on the grid
    int lastIndex = 0;
    std::vector<bool> dips;    // grid points left unfilled
    CurveDeviation deviation;  // predicted against target over the fitting range
};

// How far the predicted curve lies from the target over the fitting range, to 0.1 dB.
struct RoomFitSummary {
    double rmsDb = 0.0;
    double largestDb = 0.0;
    double atHz = 0.0;
};
RoomFitSummary SummaryOf(const RoomFit& fit);

// The median of the octave around every grid point.
CurveArray OctaveMedian(const CurveArray& measured);

// Grid points within first..last of dips kDipDepthDb or more below `median`, with their flanks.
std::vector<bool> NarrowDips(const CurveArray& measured, const CurveArray& median, int first,
                             int last);

// Fits the bands of `start` to `measured` (dB on the grid). Bands take the roles given (missing
// ones: Free, placed anew); the crossovers count as they are. A range outside 20 Hz..20 kHz is
// cut to it; a range that is empty after that throws std::invalid_argument.
RoomFit FitRoom(const CurveArray& measured, ExchangeSettings start, const RoomFitSettings& settings,
                ExchangeFitter& fitter, std::vector<FitRequest::BandRole> roles = {});

}  // namespace zt
