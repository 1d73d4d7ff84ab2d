// Fitting a channel's 15 bands to a measured room: a fresh fitter each time (its shape cache
// empty, as for the first fit of a run) and one kept between fits.
#include <benchmark/benchmark.h>

#include "eqgraph/cookbook_filter.h"
#include "eqgraph/room_fit.h"

namespace zt {
namespace {

// Room modes, a dip, a presence peak and a falling treble.
CurveArray MeasuredRoom() {
    const CookbookResponse cookbook;
    CurveArray curve{};
    for (const CookbookFilter& f : {CookbookFilter{CookbookType::Peaking, 48, 9, 5.0},
                                    CookbookFilter{CookbookType::Peaking, 95, 7, 3.0},
                                    CookbookFilter{CookbookType::Peaking, 210, -6, 2.0},
                                    CookbookFilter{CookbookType::Peaking, 3500, 4, 1.5},
                                    CookbookFilter{CookbookType::HighShelf, 8000, -5, 0.7}}) {
        cookbook.AddTo(f, curve);
    }
    return curve;
}

const ExchangeSettings kFifteenBands{
    std::vector<ExchangeBand>(15, ExchangeBand{0, 100, 120, 16, 10}), {}, {}};

void BM_RoomFit(benchmark::State& state) {
    const CurveArray measured = MeasuredRoom();
    const bool warm = state.range(0) != 0;
    ExchangeFitter kept;
    if (warm) FitRoom(measured, kFifteenBands, {}, kept);
    double largest = 0.0;
    for (auto _ : state) {
        ExchangeFitter fresh;
        const RoomFit fit = FitRoom(measured, kFifteenBands, {}, warm ? kept : fresh);
        largest = fit.deviation.largestDb;
        benchmark::DoNotOptimize(fit.settings.bands.data());
    }
    state.counters["deviation_dB"] = largest;
}
BENCHMARK(BM_RoomFit)->ArgName("warm")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zt
