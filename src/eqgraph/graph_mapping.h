#pragma once
// The EQ graph's coordinate system: frequency and gain to pixels of a plot W x H and back.
// Frequencies run logarithmically from 10 Hz at x = 0 to 24 000 Hz at x = W, gains linearly
// from +12 dB at y = 0 to -24 dB at y = H - 1. Nothing is clamped: values beyond the axes map
// beyond the plot.

#include "eqgraph/response_grid.h"

namespace zt {

inline constexpr int kGainTop = 12;      // dB at the top of the plot
inline constexpr int kGainBottom = -24;  // dB at the bottom of the plot

struct GraphMapping {
    double width = 0;   // W, logical pixels
    double height = 0;  // H, logical pixels

    // Pixels per grid step of the ResponseGrid.
    double Scale() const { return width / ResponseGrid::GridSteps; }

    // `hz` must be positive.
    double XOfFrequency(double hz) const;
    double FrequencyOfX(double x) const;
    double YOfGain(double db) const;
    double GainOfY(double y) const;
};

}  // namespace zt
