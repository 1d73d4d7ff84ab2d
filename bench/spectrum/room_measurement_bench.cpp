// A room measurement after the sweep: deconvolving the recording (a 4 s sweep, 5 s recorded)
// into the impulse response, and the windowed, smoothed magnitude response from that.
#include <benchmark/benchmark.h>

#include <cmath>

#include "spectrum/log_sweep.h"
#include "spectrum/measured_response.h"

namespace zt {
namespace {

// The sweep through a room: delayed, with an echo 7 ms later at half the level.
std::vector<float> Recording(const std::vector<float>& sweep) {
    std::vector<float> recording(5 * 48000, 0.0f);
    for (std::size_t i = 0; i < sweep.size(); ++i) {
        recording[i + 1000] += sweep[i];
        recording[i + 1336] += 0.5f * sweep[i];
    }
    return recording;
}

void BM_SweepDeconvolution(benchmark::State& state) {
    const std::vector<float> sweep = MakeLogSweep({});
    const std::vector<float> recording = Recording(sweep);
    const SweepDeconvolver deconvolver(sweep, recording.size());
    for (auto _ : state) {
        std::vector<float> response = deconvolver.ImpulseResponse(recording);
        benchmark::DoNotOptimize(response.data());
    }
    state.counters["length"] = static_cast<double>(deconvolver.Length());
}
BENCHMARK(BM_SweepDeconvolution)->Unit(benchmark::kMillisecond);

// Building the inverse filter, once per measurement.
void BM_InverseFilter(benchmark::State& state) {
    const std::vector<float> sweep = MakeLogSweep({});
    for (auto _ : state) {
        SweepDeconvolver deconvolver(sweep, 5 * 48000);
        benchmark::DoNotOptimize(&deconvolver);
    }
}
BENCHMARK(BM_InverseFilter)->Unit(benchmark::kMillisecond);

void BM_SmoothedMagnitude(benchmark::State& state) {
    const std::vector<float> sweep = MakeLogSweep({});
    const std::vector<float> recording = Recording(sweep);
    const std::vector<float> impulse =
        SweepDeconvolver(sweep, recording.size()).ImpulseResponse(recording);
    for (auto _ : state) {
        const MeasuredResponse response =
            SmoothedResponse(WindowedPowerSpectrum(impulse, 48000.0), Smoothing::Sixth);
        benchmark::DoNotOptimize(response.data());
    }
}
BENCHMARK(BM_SmoothedMagnitude)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zt
