#pragma once
// The bar display of a spectrum on the EQ graph: one bar per few pixel columns on the graph's
// logarithmic frequency axis, each as tall as the level of the bin at its centre frequency on a
// decibel scale from a floor (bottom of the plot) to 0 dB (top).

#include <array>
#include <cstddef>
#include <vector>

#include "spectrum/block_analysis.h"

namespace zt {

// Magnitudes are limited to this ceiling and measured against the reference: 120 reads as
// about -0.56 dB, a little below the top of the plot.
inline constexpr double kSpectrumCeiling = 120.0;
inline constexpr double kSpectrumReference = 128.0;
inline constexpr double kSpectrumFloorDb = -52.0;
inline constexpr double kSpectrumLowTriggerFloorDb = -64.0;
// The design width of 883 pixels gives 126 bar slots of 7 columns.
inline constexpr int kSpectrumNominalBars = 120;

// The lowest bars are shortened by these factors, which tame the low end, where a room and the
// zero-padded transform leave most energy.
inline constexpr std::array<double, 47> kSpectrumBarWeights = {
    0.40, 0.42, 0.25, 0.47, 0.30, 0.53, 0.76, 0.69, 0.73, 0.57, 0.31, 0.45, 0.79, 0.84, 0.89, 0.94,
    0.90, 0.92, 0.95, 0.77, 0.86, 0.93, 0.86, 0.89, 0.93, 0.87, 0.91, 0.85, 0.99, 0.94, 0.99, 0.94,
    0.96, 0.92, 0.95, 0.97, 0.96, 0.93, 0.96, 0.99, 0.93, 0.97, 0.96, 0.95, 0.99, 0.94, 0.99};

// One bar: the pixel columns [left, right) from row `top` down to the bottom of the plot.
struct SpectrumBar {
    int left = 0;
    int right = 0;
    int top = 0;

    friend bool operator==(const SpectrumBar&, const SpectrumBar&) = default;
};

// The plot the bars are laid out on.
struct SpectrumPlot {
    int width = 0;   // W: 10 Hz at x = 0, 24 kHz at x = W
    int height = 0;  // H
    bool lowTrigger = false;
};

// Row of a magnitude on the plot: the floor at H - 2, 0 dB at -1 (not reached: the ceiling
// stops just below it). Not rounded.
double SpectrumLevelToY(double magnitude, int height, double floorDb);

// Frequency in Hz at the bar slot's centre column.
double SpectrumBarCentreHz(int barIndex, int step, int width);

// The bin a bar shows: the one nearest to `hz`, within 0 .. the Nyquist bin.
std::size_t SpectrumBinOf(double hz);

// Lays out the bars of `analysis` on `plot` into `bars` (cleared first; its capacity is reused,
// so a caller that keeps the vector allocates only once). A plot narrower than three bar slots
// of three columns gets no bars.
void LayOutSpectrumBars(const SpectrumAnalysis& analysis, const SpectrumPlot& plot,
                        std::vector<SpectrumBar>& bars);

}  // namespace zt
