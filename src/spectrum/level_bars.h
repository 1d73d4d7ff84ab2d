#pragma once
// The bar display of a spectrum on the EQ graph: one bar per few pixel columns on the graph's
// logarithmic frequency axis, on a decibel scale from a floor (bottom of the plot) to 0 dB, the
// level of a full-scale sine (top). Each bar stands for the band of frequencies from half-way to
// its left neighbour to half-way to its right one and shows the strongest bin in it, so a tone
// between two bars' centres shows at the nearer bar at its own level.

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "spectrum/block_analysis.h"

namespace zt {

// Magnitudes are limited to this ceiling and measured against the reference: 120 reads as
// about -0.56 dB, a little below the top of the plot.
inline constexpr double kSpectrumCeiling = 120.0;
inline constexpr double kSpectrumReference = kSpectrumFullScale;
inline constexpr double kSpectrumFloorDb = -52.0;
inline constexpr double kSpectrumLowTriggerFloorDb = -64.0;
// The level of a bin that reads 0: far below either floor.
inline constexpr double kSpectrumSilenceDb = -102.14;
// The design width of 883 pixels gives 126 bar slots of 7 columns.
inline constexpr int kSpectrumNominalBars = 120;
// A bar falls back this fast after a louder sound and rises at once.
inline constexpr double kSpectrumReleaseDbPerSecond = 20.0;

// The lowest bars are shortened by these factors, which tame the low end, where a room leaves
// most energy. They apply to the bars below the lowest frequency whose reading is calibrated,
// so a tone from that frequency up reads its level at every bar.
inline constexpr std::array<double, 47> kSpectrumBarWeights = {
    0.40, 0.42, 0.25, 0.47, 0.30, 0.53, 0.76, 0.69, 0.73, 0.57, 0.31, 0.45, 0.79, 0.84, 0.89, 0.94,
    0.90, 0.92, 0.95, 0.77, 0.86, 0.93, 0.86, 0.89, 0.93, 0.87, 0.91, 0.85, 0.99, 0.94, 0.99, 0.94,
    0.96, 0.92, 0.95, 0.97, 0.96, 0.93, 0.96, 0.99, 0.93, 0.97, 0.96, 0.95, 0.99, 0.94, 0.99};
inline constexpr double kSpectrumCalibratedFromHz = 50.0;

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

// The bins a bar shows, first .. last inclusive.
struct SpectrumBand {
    std::size_t first = 0;
    std::size_t last = 0;
};

// Level in dB of a magnitude: limited to the ceiling; 0 reads as the silence level.
double SpectrumMagnitudeDb(double magnitude);
// Row of a level on the plot: the floor (and below) at H - 2, 0 dB at -1 (not reached: the
// ceiling stops just below it). Not rounded.
double SpectrumDbToY(double levelDb, int height, double floorDb);
// The same for a magnitude.
double SpectrumLevelToY(double magnitude, int height, double floorDb);

// Frequency in Hz at the bar slot's centre column.
double SpectrumBarCentreHz(int barIndex, int step, int width);

// The bin nearest to `hz`, within 0 .. the Nyquist bin.
std::size_t SpectrumBinOf(double hz);

// The bins whose frequencies lie in the bar's band. A band narrower than the bin spacing (the
// low end) that holds no bin shows the bin nearest to its centre, bin 1 at the least.
SpectrumBand SpectrumBandOf(int barIndex, int step, int width);

// The level of every bin as the bars show it: a louder reading rises at once, a quieter one
// falls back at the release rate.
class SpectrumLevels {
public:
    SpectrumLevels();

    // Takes the newest analysis, `seconds` after the one before.
    void Update(const SpectrumAnalysis& analysis, double seconds);
    // Every bin back to silence.
    void Clear();

    // Bins 0 .. the Nyquist bin; bins beyond read as the Nyquist bin.
    double Db(std::size_t bin) const { return db_[std::min(bin, kSpectrumNyquistBin)]; }
    // The strongest bin of a band.
    double BandDb(SpectrumBand band) const;

private:
    std::vector<float> db_;
};

// Lays out the bars of `levels` on `plot` into `bars` (cleared first; its capacity is reused,
// so a caller that keeps the vector allocates only once). A plot narrower than three bar slots
// of three columns gets no bars.
void LayOutSpectrumBars(const SpectrumLevels& levels, const SpectrumPlot& plot,
                        std::vector<SpectrumBar>& bars);

}  // namespace zt
