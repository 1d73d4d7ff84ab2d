// One analysis of the spectrum display: 1024 captured bytes into the 2048-point FFT, then the
// levels of the bars (each the strongest bin of its band) at the design size (883 x 268). Together
// with one bar frame on the window (bench_ui) it aims at 1.2 ms or less.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "spectrum/level_bars.h"

namespace {

std::vector<std::uint8_t> Tone() {
    std::vector<std::uint8_t> block(zt::kSpectrumSamples);
    for (std::size_t j = 0; j < block.size(); ++j) {
        block[j] = static_cast<std::uint8_t>(128.0 + 60.0 * std::sin(0.1309 * j) + 0.5);
    }
    return block;
}

void BM_SpectrumAnalysis(benchmark::State& state) {
    zt::SpectrumAnalysis analysis;
    const std::vector<std::uint8_t> block = Tone();
    for (auto _ : state) {
        analysis.Analyse(block);
        benchmark::DoNotOptimize(analysis.Output().data());
    }
}
BENCHMARK(BM_SpectrumAnalysis)->Unit(benchmark::kMicrosecond);

void BM_SpectrumAnalysisAndBars(benchmark::State& state) {
    zt::SpectrumAnalysis analysis;
    const std::vector<std::uint8_t> block = Tone();
    zt::SpectrumLevels levels;
    std::vector<zt::SpectrumBar> bars;
    for (auto _ : state) {
        analysis.Analyse(block);
        levels.Update(analysis, 0.11);
        zt::LayOutSpectrumBars(levels, {883, 268, false}, bars);
        benchmark::DoNotOptimize(bars.data());
    }
}
BENCHMARK(BM_SpectrumAnalysisAndBars)->Unit(benchmark::kMicrosecond);

}  // namespace
