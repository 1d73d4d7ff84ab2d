#pragma once
// From a measured impulse response to the magnitude response a room is judged and corrected
// by: the response around its peak cut out with a window (leaving out distortion before it and
// late reflections and noise after it), transformed, smoothed over a fraction of an octave and
// read at logarithmically spaced frequencies.

#include <cstddef>
#include <span>
#include <vector>

#include "eqgraph/exchange_fitter.h"

namespace zt {

// One point of a magnitude response.
struct ResponsePoint {
    double hz = 0.0;
    double db = 0.0;
    bool operator==(const ResponsePoint&) const = default;
};

// A magnitude response, frequencies rising.
using MeasuredResponse = std::vector<ResponsePoint>;

// The part of the impulse response that is transformed, around its largest sample: a
// raised-cosine fade-in over `beforeSeconds`, then flat, then a raised-cosine fade-out over the
// last `fadeOutShare` of `afterSeconds`.
struct ImpulseWindow {
    double beforeSeconds = 0.01;
    double afterSeconds = 0.5;
    double fadeOutShare = 0.25;
};

// Fractional-octave smoothing: the power averaged over a band this wide around each frequency.
enum class Smoothing { None, Third, Sixth, Twelfth };
// The band's width in octaves (0 for None).
double SmoothingOctaves(Smoothing smoothing);

// Power spectrum (|H|^2 per bin, bins 0 .. length/2) of the windowed impulse response. The
// impulse response is circular, as SweepDeconvolver gives it: the samples before the peak may lie
// at its end. Bins are sampleRate / BinCount(...) apart.
struct PowerSpectrum {
    std::vector<double> power;
    double binHz = 0.0;
};
PowerSpectrum WindowedPowerSpectrum(std::span<const float> impulse, double sampleRate,
                                    const ImpulseWindow& window = {});

// The smoothed response in dB at `pointsPerOctave` frequencies per octave from `fromHz` up to
// and including `toHz` (as far as the spectrum reaches).
MeasuredResponse SmoothedResponse(const PowerSpectrum& spectrum, Smoothing smoothing,
                                  double fromHz = 20.0, double toHz = 20000.0,
                                  int pointsPerOctave = 48);

// The smoothed response, 20 Hz..20 kHz, of a recording of `sweep` that started when the sweep
// started playing: deconvolved, windowed and transformed.
MeasuredResponse MeasureSweepRecording(std::span<const float> sweep,
                                       std::span<const float> recording, double sampleRate,
                                       Smoothing smoothing);

// A response read at every point of the EQ graph's grid: interpolated linearly in log frequency,
// the first and last points held beyond the measured frequencies. An empty response reads 0 dB.
CurveArray ResponseOnGrid(const MeasuredResponse& response);

// The grid points whose frequencies the response covers: [first, last]; first > last when it
// covers none.
struct GridSpan {
    int first = 0;
    int last = -1;
};
GridSpan CoveredGridSpan(const MeasuredResponse& response);

}  // namespace zt
