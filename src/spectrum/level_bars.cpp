#include "spectrum/level_bars.h"

#include <algorithm>
#include <cmath>

#include "eqgraph/nearest.h"
#include "eqgraph/response_grid.h"

namespace zt {

double SpectrumLevelToY(double magnitude, int height, double floorDb) {
    double v = std::min(magnitude, kSpectrumCeiling);
    if (v <= 0.0) v = 0.001;
    double level = 20.0 * std::log10(v / kSpectrumReference);
    level = std::clamp(level, floorDb, 0.0);
    return (height - 2) - (level - floorDb) / (0.0 - floorDb) * (height - 1);
}

double SpectrumBarCentreHz(int barIndex, int step, int width) {
    const double x = barIndex * step + step / 2;
    return std::pow(10.0, x * ResponseGrid::GridDecades / width + 1.0);
}

std::size_t SpectrumBinOf(double hz) {
    const double bin = Nearest(hz / kSpectrumBinHz);
    if (!(bin > 0.0)) return 0;
    return static_cast<std::size_t>(std::min(bin, static_cast<double>(kSpectrumNyquistBin)));
}

void LayOutSpectrumBars(const SpectrumAnalysis& analysis, const SpectrumPlot& plot,
                        std::vector<SpectrumBar>& bars) {
    bars.clear();
    const int step = plot.width / kSpectrumNominalBars;
    // Each slot keeps its last column empty as the gap between bars; a slot of fewer than three
    // columns would be all gap.
    if (step < 3 || plot.height < 3) return;
    const double floorDb = plot.lowTrigger ? kSpectrumLowTriggerFloorDb : kSpectrumFloorDb;
    const double floorY = plot.height - 2;
    for (int index = 0; index * step <= plot.width; ++index) {
        const double hz = SpectrumBarCentreHz(index, step, plot.width);
        double y = SpectrumLevelToY(analysis.Magnitude(SpectrumBinOf(hz)), plot.height, floorDb);
        // The weights shorten a bar above the floor; the floor stub itself stays.
        if (index < static_cast<int>(kSpectrumBarWeights.size())) {
            y = floorY - (floorY - y) * kSpectrumBarWeights[index];
        }
        const int left = index * step;
        const int right = std::min(left + step - 1, plot.width);
        bars.push_back({left, right, static_cast<int>(Nearest(y))});
    }
}

}  // namespace zt
