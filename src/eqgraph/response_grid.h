#pragma once
// The logarithmic frequency grid on which every EQ response is computed and drawn.

#include <array>

namespace zt {

// 462 equal steps in log frequency from 10 Hz (index 0) to 24 000 Hz (index 462); one octave
// spans about 41.1 steps.
struct ResponseGrid {
    static constexpr int GridSteps = 462;
    static constexpr int PointCount = GridSteps + 1;
    static constexpr double GridDecades = 3.380211241711606;  // log10(24000) - 1
    static constexpr double LowestHz = 10.0;
    static constexpr double HighestHz = 24000.0;

    // Grid index (not rounded) of a frequency in Hz; anything below 1 Hz counts as 1 Hz.
    static double IndexOfFrequency(double hz);
    // Frequency in Hz at a grid index (fractional indices allowed, no clamping).
    static double FrequencyOfIndex(double index);
};

// Gains in dB, one per grid point.
using ResponseArray = std::array<float, ResponseGrid::PointCount>;

}  // namespace zt
