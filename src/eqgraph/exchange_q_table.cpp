#include "eqgraph/exchange_q_table.h"

#include <algorithm>
#include <cmath>

#include "eqgraph/band_response.h"
#include "params/value_scales.h"
#include "params/value_tables.h"

namespace zt {
namespace {

constexpr int kReferenceHz = 1000;
constexpr float kReferenceGainDb = 12.0f;
constexpr int kFitSteps = 40;

// The cookbook Q whose curve lies closest to `graph`: a golden-section search on the logarithm
// of Q around the graph's own Q.
double FitQ(const ResponseArray& graph, CookbookFilter filter, double graphQ,
            const CookbookResponse& cookbook) {
    std::array<double, ResponseGrid::PointCount> standard{};
    auto deviation = [&](double logQ) {
        filter.q = std::exp(logQ);
        standard.fill(0.0);
        cookbook.AddTo(filter, standard);
        return MaxDeviationDb(graph, standard, cookbook);
    };
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double low = std::log(graphQ / 4);
    double high = std::log(graphQ * 4);
    double a = high - ratio * (high - low);
    double b = low + ratio * (high - low);
    double fa = deviation(a);
    double fb = deviation(b);
    for (int step = 0; step < kFitSteps; ++step) {
        if (fa < fb) {
            high = b, b = a, fb = fa;
            a = high - ratio * (high - low);
            fa = deviation(a);
        } else {
            low = a, a = b, fa = fb;
            b = low + ratio * (high - low);
            fb = deviation(b);
        }
    }
    return std::exp((low + high) / 2);
}

std::vector<double> FitTable(int entries, PointTypeCode code, CookbookType type,
                             const CookbookResponse& cookbook) {
    std::vector<double> table;
    ResponseArray graph{};
    for (int index = 0; index < entries; ++index) {
        const float q = static_cast<float>(QValue(index));
        BandResponse(graph, kReferenceHz, kReferenceGainDb, q, code);
        const CookbookFilter filter{type, kReferenceHz, kReferenceGainDb, q};
        double fitted = FitQ(graph, filter, QForDrawing(q), cookbook);
        // Entries the graph draws alike keep their order, so every index has a Q of its own.
        if (!table.empty()) fitted = std::max(fitted, table.back() * 1.004);
        table.push_back(fitted);
    }
    return table;
}

}  // namespace

double MaxDeviationDb(std::span<const float> graph, std::span<const double> standard,
                      const CookbookResponse& cookbook) {
    const int first = static_cast<int>(std::ceil(ResponseGrid::IndexOfFrequency(20.0)));
    const int last = static_cast<int>(std::floor(ResponseGrid::IndexOfFrequency(20000.0)));
    double worst = 0.0;
    for (int i = first;
         i <= last && i < static_cast<int>(graph.size()) && i < static_cast<int>(standard.size());
         ++i) {
        if (!cookbook.Covers(i)) continue;
        worst = std::max(worst, std::abs(graph[i] - standard[i]));
    }
    return worst;
}

ExchangeQTable::ExchangeQTable(const CookbookResponse& cookbook)
    : peaking_(FitTable(KindMaximum(kKindQ) + 1, kPointPeaking, CookbookType::Peaking, cookbook)),
      shelf_(FitTable(kShelfQMaximum + 1, kPointLowShelf, CookbookType::LowShelf, cookbook)) {}

double ExchangeQTable::PeakingQ(int qIndex) const {
    return peaking_[std::clamp(qIndex, 0, static_cast<int>(peaking_.size()) - 1)];
}

double ExchangeQTable::ShelfQ(int slopeIndex) const {
    return shelf_[std::clamp(slopeIndex, 0, static_cast<int>(shelf_.size()) - 1)];
}

std::optional<int> ExchangeQTable::Nearest(const std::vector<double>& table, double q) {
    if (!(q > 0) || table.size() < 2) return std::nullopt;
    const double logQ = std::log(q);
    const double below = std::log(table.front()) - std::log(table[1] / table[0]) / 2;
    const double above = std::log(table.back()) + std::log(table.back() / table.end()[-2]) / 2;
    if (logQ < below || logQ > above) return std::nullopt;
    int best = 0;
    for (int i = 1; i < static_cast<int>(table.size()); ++i) {
        if (std::abs(std::log(table[i]) - logQ) < std::abs(std::log(table[best]) - logQ)) best = i;
    }
    return best;
}

}  // namespace zt
