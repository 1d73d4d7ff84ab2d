#pragma once
// The level check before a sweep: the input's recording of a test signal played at the sweep's
// level, judged for clipping (the measurement would hold distortion) and for being too quiet
// (it would hold mostly noise).

#include <cstdint>
#include <span>
#include <vector>

namespace zt {

// Samples from 16-bit sound, full scale = 1.
std::vector<float> SamplesFromPcm16(std::span<const std::int16_t> pcm);

enum class LevelVerdict { Good, TooQuiet, Clipping };

struct LevelCheck {
    LevelVerdict verdict = LevelVerdict::TooQuiet;
    double peakDbfs = -200.0;
    double rmsDbfs = -200.0;
    // The recording of silence before the signal, where one was given.
    double backgroundRmsDbfs = -200.0;
    int clippedSamples = 0;  // samples at full scale
};

// A sample this close to full scale counts as clipped: 16-bit input at 32767 or -32768.
inline constexpr double kClipLevel = 32766.5 / 32768.0;
// Quieter than this at its peak, the sweep's recording is too quiet.
inline constexpr double kQuietPeakDbfs = -40.0;
// The signal must lie this far above the background, in RMS.
inline constexpr double kLeastSignalToNoiseDb = 30.0;

// Judges `signal`; `background` (may be empty) is a recording of the room without it.
LevelCheck CheckLevel(std::span<const float> signal, std::span<const float> background = {});

}  // namespace zt
