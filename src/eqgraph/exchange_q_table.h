#pragma once
// The cookbook Q whose curve matches each entry of the processor's Q table as the EQ graph
// draws it: a peaking band's Q (0.40 .. 128.00) and a shelf's slope (0.40 .. 1.60). The graph's
// curves are not the cookbook's, so each entry is fitted once: the cookbook Q with the smallest
// largest difference from the graph's curve between 20 Hz and 20 kHz, for a band at 1 kHz and
// +12 dB. The same table turns a cookbook Q back into the nearest entry, so an exported band
// imports to the index it came from.

#include <optional>
#include <span>
#include <vector>

#include "eqgraph/cookbook_filter.h"

namespace zt {

// The largest difference in dB between a graph curve and a cookbook curve over the grid points
// from 20 Hz to 20 kHz that the cookbook's sample rate covers.
double MaxDeviationDb(std::span<const float> graph, std::span<const double> standard,
                      const CookbookResponse& cookbook);

class ExchangeQTable {
public:
    explicit ExchangeQTable(const CookbookResponse& cookbook);

    // Cookbook Q of peaking Q index 0..100 and of shelf slope index 0..24.
    double PeakingQ(int qIndex) const;
    double ShelfQ(int slopeIndex) const;

    // The nearest index (on a logarithmic scale) for a cookbook Q; nullopt when the Q lies
    // more than half a step beyond either end of the table.
    std::optional<int> PeakingIndex(double q) const { return Nearest(peaking_, q); }
    std::optional<int> ShelfIndex(double q) const { return Nearest(shelf_, q); }

private:
    static std::optional<int> Nearest(const std::vector<double>& table, double q);

    std::vector<double> peaking_;
    std::vector<double> shelf_;
};

}  // namespace zt
