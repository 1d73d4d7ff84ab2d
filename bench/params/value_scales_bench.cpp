// Formatting and parsing of values: every raw value of every kind, as a baseline for the page
// refresh, which shows a whole page of values at once.

#include <benchmark/benchmark.h>

#include "params/param_model.h"
#include "params/value_scales.h"

namespace zt {
namespace {

// Every raw value 0..maximum of kinds 1..26: 3290 texts per iteration.
void BM_FormatEveryRawOfEveryKind(benchmark::State& state) {
    const FormatContext sub{21, 0};
    int64_t texts = 0;
    for (auto _ : state) {
        for (int kind = 1; kind < kValueKindCount; ++kind) {
            const int maximum = KindMaximum(kind);
            for (int raw = 0; raw <= maximum; ++raw) {
                benchmark::DoNotOptimize(FormatValueText(kind, raw, sub));
                ++texts;
            }
        }
    }
    state.SetItemsProcessed(texts);
}
BENCHMARK(BM_FormatEveryRawOfEveryKind);

// One kind at a time, for the table kinds against the arithmetic ones.
void BM_FormatKind(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const int maximum = KindMaximum(kind);
    for (auto _ : state) {
        for (int raw = 0; raw <= maximum; ++raw) {
            benchmark::DoNotOptimize(FormatValue(kind, raw));
        }
    }
    state.SetItemsProcessed(state.iterations() * (maximum + 1));
}
BENCHMARK(BM_FormatKind)->Arg(2)->Arg(3)->Arg(4)->Arg(12)->Arg(15)->Arg(22);

// Typing a frequency searches the table: about 730 frequencies from 19 Hz to 21 kHz.
void BM_ParseFrequency(benchmark::State& state) {
    int64_t parses = 0;
    for (auto _ : state) {
        for (double hz = 19.0; hz < 21000.0; hz *= 1.0096) {
            benchmark::DoNotOptimize(ParseValue(kKindFrequency, hz));
            ++parses;
        }
    }
    state.SetItemsProcessed(parses);
}
BENCHMARK(BM_ParseFrequency);

void BM_RebuildParamStore(benchmark::State& state) {
    ParamModel model;
    model.selection().micPage = 3;
    model.selection().outputPage = 10;
    model.selection().musicEqSet = 2;
    for (auto _ : state) {
        model.RebuildParamStore();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RebuildParamStore);

}  // namespace
}  // namespace zt
