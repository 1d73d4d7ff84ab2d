// Importing a filter file into a channel: reading, the file's curve, the fitter. Every
// iteration starts with an empty shape cache, as the first import of a run does.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "eqgraph/eq_exchange.h"

namespace zt {
namespace {

// A room correction of `count` filters spread over the audible range, cuts and boosts of
// varied width, as measurement tools write them.
std::string CorrectionFile(int count) {
    std::string text = "Preamp: -4.5 dB\n";
    for (int i = 0; i < count; ++i) {
        const double hz = 22.0 * std::pow(900.0, (i + 0.5) / count);
        const double gain = (i % 2 == 0 ? -1 : 1) * (1.5 + (i * 7 % 9));
        const double q = 0.6 + (i * 5 % 11) * 0.4;
        text += "Filter " + std::to_string(i + 1) + ": ON PK Fc " + std::to_string(hz) +
                " Hz Gain " + std::to_string(gain) + " dB Q " + std::to_string(q) + "\n";
    }
    return text;
}

void BM_ImportFilterFile(benchmark::State& state) {
    const int filters = static_cast<int>(state.range(0));
    const int bands = static_cast<int>(state.range(1));
    const std::string text = CorrectionFile(filters);
    const CookbookResponse cookbook;
    ExchangeImportRequest request;
    request.current.bands.assign(bands, ExchangeBand{1, 204, 120, 16, 10});
    double deviation = 0;
    for (auto _ : state) {
        ExchangeFitter fitter;
        const EqImport result = ImportEqExchange(text, request, fitter, cookbook);
        deviation = result.shown.deviation.largestDb;
        benchmark::DoNotOptimize(result.shown.settings.bands.data());
    }
    state.counters["deviation_dB"] = deviation;
}
BENCHMARK(BM_ImportFilterFile)
    ->ArgNames({"filters", "bands"})
    ->Args({15, 15})
    ->Args({30, 15})
    ->Args({30, 20})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zt
