// The feedback finder's cost per captured block of 1024 samples (one analysed frame of 2048):
// over red noise alone, and with a howl standing in it (a flagged, tracked peak).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

#include "spectrum/howl_detector.h"

namespace {

std::vector<float> Programme(bool howl) {
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 0.02f);
    // A whole number of hops, and of the howl's periods: the signal repeats without a seam.
    std::vector<float> signal(46 * zt::HowlDetector::kHop);
    const double hz = 2400.0 * 48000.0 / static_cast<double>(signal.size());
    float pink = 0.0f;
    for (std::size_t j = 0; j < signal.size(); ++j) {
        pink = 0.9f * pink + noise(random);
        signal[j] = pink;
        if (howl) {
            signal[j] +=
                0.3f * static_cast<float>(std::sin(2.0 * std::numbers::pi * hz * j / 48000.0));
        }
    }
    return signal;
}

void BM_HowlDetectorPerBlock(benchmark::State& state) {
    const std::vector<float> signal = Programme(state.range(0) != 0);
    zt::HowlDetector detector;
    std::size_t at = 0;
    for (auto _ : state) {
        detector.Process(std::span(signal).subspan(at, zt::HowlDetector::kHop));
        at = (at + zt::HowlDetector::kHop) % signal.size();
        benchmark::DoNotOptimize(detector.Howls().data());
    }
    state.counters["howls"] = static_cast<double>(detector.Howls().size());
}
BENCHMARK(BM_HowlDetectorPerBlock)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
