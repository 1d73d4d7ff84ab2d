#include <benchmark/benchmark.h>

#include <array>

#include "eqgraph/band_response.h"

namespace zt {
namespace {

// One BandResponse per design; the argument is the PointTypeCode.
void BM_BandResponse(benchmark::State& state) {
    const auto code = static_cast<PointTypeCode>(state.range(0));
    ResponseArray out;
    for (auto _ : state) {
        BandResponse(out, 1000, 6.0f, 1.4f, code);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BandResponse)
    ->ArgName("code")
    ->Arg(0)     // "BYPSS"
    ->Arg(1)     // "PEQ"
    ->Arg(2)     // "LSEQ"
    ->Arg(3)     // "HSEQ"
    ->Arg(100)   // high-pass "Bypass"
    ->Arg(101)   // "6dB 1st "
    ->Arg(102)   // "12dB Besse"
    ->Arg(103)   // "12dB Butterworth"
    ->Arg(104)   // "12dB Link-Riley"
    ->Arg(105)   // "18dB Bessel"
    ->Arg(106)   // "18dB Butterworth"
    ->Arg(107)   // "24dB Bessel"
    ->Arg(108)   // "24dB Butterworth"
    ->Arg(109)   // "24dB Link-Riley"
    ->Arg(110)   // "36dB Bessel"
    ->Arg(111)   // "36dB Butterworth"
    ->Arg(112)   // "36dB Link-Riley"
    ->Arg(212);  // low-pass "36dB Link-Riley"

struct CurveItem {
    PointTypeCode code;
    int hz;
    float gain;
    float q;
};

// The heaviest channel: 20 bands (peaking and shelves, none bypassed) and two crossover filters
// of two distinct sections each.
std::array<CurveItem, 22> HeaviestChannel() {
    std::array<CurveItem, 22> items{};
    for (int i = 0; i < 20; ++i) {
        const PointTypeCode code = i == 0    ? kPointLowShelf
                                   : i == 19 ? kPointHighShelf
                                             : kPointPeaking;
        items[i] = {code, 25 + 1000 * i, -12.0f + i, 0.5f + 0.3f * i};
    }
    items[20] = {static_cast<PointTypeCode>(kPointHighPassBase + 11), 40, 0.0f, 0.0f};
    items[21] = {static_cast<PointTypeCode>(kPointLowPassBase + 8), 16000, 0.0f, 0.0f};
    return items;
}

void SumCurve(const std::array<ResponseArray, 22>& responses, ResponseArray& sum) {
    for (int j = 0; j < ResponseGrid::PointCount; ++j) {
        float s = 0.0f;
        for (const ResponseArray& r : responses) s += r[j];
        sum[j] = s;
    }
}

// A full redraw: every item's response, then the sum the curve is drawn from.
void BM_FullCurve(benchmark::State& state) {
    const auto items = HeaviestChannel();
    std::array<ResponseArray, 22> responses;
    ResponseArray sum;
    for (auto _ : state) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            BandResponse(responses[i], items[i].hz, items[i].gain, items[i].q, items[i].code);
        }
        SumCurve(responses, sum);
        benchmark::DoNotOptimize(sum.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullCurve)->Unit(benchmark::kMicrosecond);

// One drag step: the moved band only, then the sum of all cached responses.
void BM_DragStep(benchmark::State& state) {
    const auto items = HeaviestChannel();
    std::array<ResponseArray, 22> responses;
    for (std::size_t i = 0; i < items.size(); ++i) {
        BandResponse(responses[i], items[i].hz, items[i].gain, items[i].q, items[i].code);
    }
    ResponseArray sum;
    int hz = 500;
    for (auto _ : state) {
        hz = hz >= 5000 ? 500 : hz + 37;
        BandResponse(responses[7], hz, 6.0f, 2.0f, kPointPeaking);
        SumCurve(responses, sum);
        benchmark::DoNotOptimize(sum.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zt
