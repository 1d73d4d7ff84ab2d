// The whole way from a sweep through a room to the EQ fitted against its measurement.
#include <gtest/gtest.h>

#include <cmath>

#include "eqgraph/room_fit.h"
#include "spectrum/log_sweep.h"
#include "spectrum/measured_response.h"
#include "spectrum/response_text.h"
#include "spectrum/room_signals.h"

namespace zt {
namespace {

TEST(RoomCorrection, MeasuredAndFittedRoomLiesWithin1dBOfFlat) {
    const std::vector<CookbookFilter> room{{CookbookType::Peaking, 95, 8, 2.5},
                                           {CookbookType::Peaking, 1800, -5, 1.2},
                                           {CookbookType::HighShelf, 7000, -3, 0.7}};
    const std::vector<float> sweep = MakeLogSweep({});
    const std::vector<float> recording = testing_support::ThroughRoom(sweep, room, 2000, 24000);
    const SweepDeconvolver deconvolver(sweep, recording.size());
    const MeasuredResponse measured = SmoothedResponse(
        WindowedPowerSpectrum(deconvolver.ImpulseResponse(recording), testing_support::kRoomRate),
        Smoothing::Sixth);
    // Saved and loaded on the way, as a measurement taken earlier would be.
    const ResponseTextReading loaded = ReadResponseText(WriteResponseText(measured));
    ASSERT_EQ(loaded.response, measured);

    ExchangeFitter fitter;
    const ExchangeSettings bands{
        std::vector<ExchangeBand>(15, ExchangeBand{0, 100, 120, 16, 10}), {}, {}};
    const RoomFit fit = FitRoom(ResponseOnGrid(loaded.response), bands, {}, fitter);
    const int first = static_cast<int>(std::ceil(ResponseGrid::IndexOfFrequency(100)));
    const int last = static_cast<int>(std::floor(ResponseGrid::IndexOfFrequency(10000)));
    const CurveDeviation deviation = DeviationOf(fit.predicted, fit.target, first, last);
    EXPECT_LE(deviation.largestDb, 1.0) << "at " << deviation.atHz() << " Hz";
}

}  // namespace
}  // namespace zt
