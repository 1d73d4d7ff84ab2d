#pragma once
// The logarithmic (exponential) sine sweep a room is measured with, and the deconvolution that
// turns its recording back into the impulse response of everything between the sound output
// and the input.
//
// The sweep's frequency rises exponentially, f(t) = f1 e^(t/L) with L = T / ln(f2/f1), so every
// octave takes the same time and the spectrum falls by 3 dB per octave. Deconvolving with the
// sweep's inverse filter turns the recording into the system's impulse response at the sweep's
// start (sample 0 = the first sample played), and moves the harmonic distortion of a loudspeaker
// to negative times, where the window of the magnitude response leaves it out.

#include <cstddef>
#include <span>
#include <vector>

#include "spectrum/complex.h"
#include "spectrum/fft.h"

namespace zt {

inline constexpr double kMeasurementSampleRate = 48000.0;

struct SweepSettings {
    double startHz = 10.0;
    double endHz = 22000.0;
    double seconds = 4.0;
    double sampleRate = kMeasurementSampleRate;
    double amplitude = 0.5;  // peak, full scale = 1 (-6 dBFS)
    // Raised-cosine fades that keep the start and the end from clicking.
    double fadeInSeconds = 0.05;
    double fadeOutSeconds = 0.005;
};

// The sweep's samples. Settings out of range (a start at or below 0 Hz, an end at or above half
// the sample rate or not above the start, no duration, an amplitude outside (0, 1]) throw
// std::invalid_argument.
std::vector<float> MakeLogSweep(const SweepSettings& settings);

// The smallest transform length at or above `n` whose prime factors are 2, 3 and 5.
std::size_t SmoothFftLength(std::size_t n);

// The inverse filter of one sweep for recordings of up to a given length, built once: the
// sweep's spectrum inverted where the sweep has energy, and regularised where it has none, so
// that sweep and inverse filter multiply to 1 (within 0.01 dB) across the sweep's band.
class SweepDeconvolver {
public:
    SweepDeconvolver(std::span<const float> sweep, std::size_t longestRecording);

    // Transform length: impulse responses have this many samples.
    std::size_t Length() const { return plan_.Length(); }

    // The impulse response of a recording that started when the sweep started playing: sample
    // n is the response n samples later; samples at the end hold negative times (Length() - n
    // is n samples early), where latency beyond the recording's length and distortion fall.
    // Samples beyond the longest recording given to the constructor are left out.
    std::vector<float> ImpulseResponse(std::span<const float> recording) const;

private:
    FftPlan plan_;
    std::size_t longestRecording_;
    std::vector<Complex> inverse_;  // spectrum of the inverse filter, divided by the length
};

}  // namespace zt
