#include "spectrum/level_bars.h"

#include <algorithm>
#include <cmath>

#include "eqgraph/nearest.h"
#include "eqgraph/response_grid.h"

namespace zt {
namespace {

double HzAtColumn(double x, int width) {
    return std::pow(10.0, x * ResponseGrid::GridDecades / width + 1.0);
}

}  // namespace

double SpectrumMagnitudeDb(double magnitude) {
    double v = std::min(magnitude, kSpectrumCeiling);
    if (!(v > 0.0)) v = 0.001;
    return 20.0 * std::log10(v / kSpectrumReference);
}

double SpectrumDbToY(double levelDb, int height, double floorDb) {
    const double level = std::clamp(levelDb, floorDb, 0.0);
    return (height - 2) - (level - floorDb) / (0.0 - floorDb) * (height - 1);
}

double SpectrumLevelToY(double magnitude, int height, double floorDb) {
    return SpectrumDbToY(SpectrumMagnitudeDb(magnitude), height, floorDb);
}

double SpectrumBarCentreHz(int barIndex, int step, int width) {
    return HzAtColumn(barIndex * step + step / 2, width);
}

std::size_t SpectrumBinOf(double hz) {
    const double bin = Nearest(hz / kSpectrumBinHz);
    if (!(bin > 0.0)) return 0;
    return static_cast<std::size_t>(std::min(bin, static_cast<double>(kSpectrumNyquistBin)));
}

SpectrumBand SpectrumBandOf(int barIndex, int step, int width) {
    // The centres lie `step` columns apart: the band reaches half a step to either side.
    const double centre = barIndex * step + step / 2;
    const double low = HzAtColumn(centre - step / 2.0, width) / kSpectrumBinHz;
    const double high = HzAtColumn(centre + step / 2.0, width) / kSpectrumBinHz;
    const auto limit = static_cast<double>(kSpectrumNyquistBin);
    // Bins in [low, high): each bin belongs to one band only.
    const double first = std::ceil(low);
    const double last = std::ceil(high) - 1.0;
    if (first > last || first > limit) {
        // Bin 0 holds only what is left of the card's offset.
        const std::size_t bin = std::max<std::size_t>(SpectrumBinOf(HzAtColumn(centre, width)), 1);
        return {bin, bin};
    }
    return {static_cast<std::size_t>(first), static_cast<std::size_t>(std::min(last, limit))};
}

SpectrumLevels::SpectrumLevels() : db_(kSpectrumNyquistBin + 1) {
    Clear();
}

void SpectrumLevels::Update(const SpectrumAnalysis& analysis, double seconds) {
    const auto release = static_cast<float>(kSpectrumReleaseDbPerSecond * std::max(seconds, 0.0));
    for (std::size_t k = 0; k < db_.size(); ++k) {
        const auto now = static_cast<float>(SpectrumMagnitudeDb(analysis.Magnitude(k)));
        db_[k] = std::max(now, std::max(db_[k] - release, static_cast<float>(kSpectrumSilenceDb)));
    }
}

void SpectrumLevels::Clear() {
    std::fill(db_.begin(), db_.end(), static_cast<float>(kSpectrumSilenceDb));
}

double SpectrumLevels::BandDb(SpectrumBand band) const {
    const auto first = db_.begin() + static_cast<std::ptrdiff_t>(band.first);
    return *std::max_element(first, db_.begin() + static_cast<std::ptrdiff_t>(band.last) + 1);
}

void LayOutSpectrumBars(const SpectrumLevels& levels, const SpectrumPlot& plot,
                        std::vector<SpectrumBar>& bars) {
    bars.clear();
    const int step = plot.width / kSpectrumNominalBars;
    // Each slot keeps its last column empty as the gap between bars; a slot of fewer than three
    // columns would be all gap.
    if (step < 3 || plot.height < 3) return;
    const double floorDb = plot.lowTrigger ? kSpectrumLowTriggerFloorDb : kSpectrumFloorDb;
    const double floorY = plot.height - 2;
    for (int index = 0; index * step <= plot.width; ++index) {
        const double level = levels.BandDb(SpectrumBandOf(index, step, plot.width));
        double y = SpectrumDbToY(level, plot.height, floorDb);
        // The weights shorten a bar above the floor; the floor stub itself stays.
        if (index < static_cast<int>(kSpectrumBarWeights.size()) &&
            SpectrumBarCentreHz(index, step, plot.width) < kSpectrumCalibratedFromHz) {
            y = floorY - (floorY - y) * kSpectrumBarWeights[index];
        }
        const int left = index * step;
        const int right = std::min(left + step - 1, plot.width);
        bars.push_back({left, right, static_cast<int>(Nearest(y))});
    }
}

}  // namespace zt
