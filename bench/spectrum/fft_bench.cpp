// The analyser's FFT at its working length, measured in the same run as FFTW (single precision,
// estimated plan) and KissFFT, which serve only as yardsticks here.
#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <kiss_fft.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "spectrum/fft.h"

namespace {

constexpr std::size_t kLength = 2048;

std::vector<zt::Complex> Signal() {
    std::mt19937 generator(2048);
    const auto next = [&] { return static_cast<float>(generator() >> 8) * 0x1p-23f - 1.0f; };
    std::vector<zt::Complex> data(kLength);
    for (zt::Complex& c : data) c = {next(), next()};
    return data;
}

void SetItems(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kLength));
}

// Argument: the instruction set, 0 plain x86-64, 1 AVX, 2 AVX-512.
void BM_ZtFftPlan(benchmark::State& state) {
    const auto set = static_cast<zt::FftInstructionSet>(state.range(0));
    if (set > zt::WidestFftInstructionSet()) {
        state.SkipWithError("instruction set not available on this processor");
        return;
    }
    const zt::FftPlan plan(kLength, set);
    const std::vector<zt::Complex> input = Signal();
    std::vector<zt::Complex> output(kLength);
    for (auto _ : state) {
        plan.Transform(input, output);
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    SetItems(state);
}
BENCHMARK(BM_ZtFftPlan)->Arg(0)->Arg(1)->Arg(2);

// The free function builds its factors and tables on every call.
void BM_ZtFftOneShot(benchmark::State& state) {
    const std::vector<zt::Complex> input = Signal();
    std::vector<zt::Complex> output(kLength);
    for (auto _ : state) {
        zt::FFT(input, output, kLength);
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    SetItems(state);
}
BENCHMARK(BM_ZtFftOneShot);

void BM_ZtFftInPlace(benchmark::State& state) {
    const zt::FftPlan plan(kLength);
    std::vector<zt::Complex> data = Signal();
    for (auto _ : state) {
        plan.Transform(data, data);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    SetItems(state);
}
BENCHMARK(BM_ZtFftInPlace);

void BM_FftwfEstimate(benchmark::State& state) {
    auto* in = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * kLength));
    auto* out = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * kLength));
    fftwf_plan plan =
        fftwf_plan_dft_1d(static_cast<int>(kLength), in, out, FFTW_FORWARD, FFTW_ESTIMATE);
    const std::vector<zt::Complex> signal = Signal();
    std::memcpy(in, signal.data(), sizeof(fftwf_complex) * kLength);
    for (auto _ : state) {
        fftwf_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    SetItems(state);
    fftwf_destroy_plan(plan);
    fftwf_free(out);
    fftwf_free(in);
}
BENCHMARK(BM_FftwfEstimate);

void BM_KissFft(benchmark::State& state) {
    kiss_fft_cfg config = kiss_fft_alloc(static_cast<int>(kLength), 0, nullptr, nullptr);
    const std::vector<zt::Complex> signal = Signal();
    std::vector<kiss_fft_cpx> in(kLength);
    std::vector<kiss_fft_cpx> out(kLength);
    std::memcpy(in.data(), signal.data(), sizeof(kiss_fft_cpx) * kLength);
    for (auto _ : state) {
        kiss_fft(config, in.data(), out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    SetItems(state);
    kiss_fft_free(config);
}
BENCHMARK(BM_KissFft);

}  // namespace
