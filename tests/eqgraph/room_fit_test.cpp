#include "eqgraph/room_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "eqgraph/cookbook_filter.h"

namespace zt {
namespace {

int IndexOf(double hz) {
    return static_cast<int>(std::lround(ResponseGrid::IndexOfFrequency(hz)));
}

// A room measured without noise: cookbook filters at 48 kHz on the grid, at a level of its own.
CurveArray Room(const std::vector<CookbookFilter>& filters, double levelDb = 0.0) {
    static const CookbookResponse cookbook;
    CurveArray curve{};
    curve.fill(levelDb);
    for (const CookbookFilter& f : filters) cookbook.AddTo(f, curve);
    return curve;
}

// A channel of 15 bands, all bypassed.
ExchangeSettings FifteenBands() {
    return {std::vector<ExchangeBand>(15, ExchangeBand{0, 100, 120, 16, 10}), {}, {}};
}

// The largest difference of predicted and target between two frequencies.
double LargestBetween(const RoomFit& fit, double fromHz, double toHz) {
    return DeviationOf(fit.predicted, fit.target, IndexOf(fromHz), IndexOf(toHz)).largestDb;
}

struct CorrectableRoom {
    const char* name;
    std::vector<CookbookFilter> filters;
    HouseCurve target;
};

TEST(RoomFit, BringsACorrectableRoomWithin1dBOfTheTarget) {
    const CorrectableRoom rooms[] = {
        {"boom, dip and dull treble",
         {{CookbookType::Peaking, 110, 9, 3.0},
          {CookbookType::Peaking, 2500, -4, 1.5},
          {CookbookType::HighShelf, 6000, -4, 0.7}},
         {}},
        {"two modes and a presence peak",
         {{CookbookType::Peaking, 65, 7, 5.0},
          {CookbookType::Peaking, 180, 5, 4.0},
          {CookbookType::Peaking, 4000, 5, 2.0},
          {CookbookType::LowShelf, 300, 3, 0.7}},
         {}},
        {"to a house curve",
         {{CookbookType::Peaking, 90, 6, 2.0}, {CookbookType::Peaking, 800, -3, 1.0}},
         {6.0, 150.0, -0.5}},
    };
    ExchangeFitter fitter;
    for (const CorrectableRoom& room : rooms) {
        const RoomFit fit =
            FitRoom(Room(room.filters, -12.0), FifteenBands(), {room.target}, fitter);
        EXPECT_LE(LargestBetween(fit, 100, 10000), 1.0) << room.name;
        EXPECT_NEAR(fit.levelDb, -12.0, 1.5) << room.name;
        // The summary is the deviation to a tenth of a dB.
        const RoomFitSummary summary = SummaryOf(fit);
        EXPECT_NEAR(summary.largestDb, fit.deviation.largestDb, 0.05) << room.name;
        EXPECT_NEAR(summary.rmsDb, fit.deviation.rmsDb, 0.05) << room.name;
        EXPECT_EQ(summary.largestDb * 10, std::round(summary.largestDb * 10)) << room.name;
        EXPECT_GE(summary.atHz, 60.0) << room.name;
        EXPECT_LE(summary.atHz, 12000.0) << room.name;
        // What is predicted is what the fitted bands draw.
        EXPECT_EQ(fit.eq, fitter.CurveOf(fit.settings)) << room.name;
    }
}

TEST(RoomFit, NeverBoostsBeyondTheMaximum) {
    // The treble 10 dB down: the EQ lifts it by the maximum and no more, anywhere.
    for (double maxBoost : {6.0, 3.0, 0.0}) {
        ExchangeFitter fitter;
        RoomFitSettings settings;
        settings.maxBoostDb = maxBoost;
        const RoomFit fit = FitRoom(Room({{CookbookType::HighShelf, 3000, -10, 0.7}}),
                                    FifteenBands(), settings, fitter);
        for (int k = kFitFirstIndex; k <= kFitLastIndex; ++k) {
            ASSERT_LE(fit.eq[k], maxBoost + 0.3) << ResponseGrid::FrequencyOfIndex(k) << " Hz";
        }
        EXPECT_GE(fit.eq[IndexOf(10000)], maxBoost - 1.0) << maxBoost;
    }
}

TEST(RoomFit, LeavesDeepNarrowDipsUnfilled) {
    // A cancellation at 1 kHz beside a boom that is corrected as usual.
    ExchangeFitter fitter;
    const CurveArray measured =
        Room({{CookbookType::Notch, 1000, 0, 4.0}, {CookbookType::Peaking, 120, 8, 3.0}});
    const RoomFit fit = FitRoom(measured, FifteenBands(), {}, fitter);
    EXPECT_TRUE(fit.dips[IndexOf(1000)]);
    EXPECT_FALSE(fit.dips[IndexOf(120)]);
    EXPECT_FALSE(fit.dips[IndexOf(700)]);
    EXPECT_FALSE(fit.dips[IndexOf(1500)]);
    // Its shallow skirts are evened out a little; its depth is not chased with the full boost.
    EXPECT_LE(fit.eq[IndexOf(1000)], 3.0);
    EXPECT_NEAR(fit.predicted[IndexOf(120)], fit.target[IndexOf(120)], 1.0);
    // A broad dip is no cancellation: it is filled.
    const RoomFit broad =
        FitRoom(Room({{CookbookType::Peaking, 1000, -5, 0.7}}), FifteenBands(), {}, fitter);
    EXPECT_FALSE(broad.dips[IndexOf(1000)]);
    EXPECT_LE(LargestBetween(broad, 100, 10000), 1.0);
}

TEST(RoomFit, CorrectsOnlyWithinTheFittingRange) {
    // A peak at 16 kHz outside the range, one at 2 kHz inside it.
    ExchangeFitter fitter;
    RoomFitSettings settings;
    settings.toHz = 8000;
    const RoomFit fit = FitRoom(
        Room({{CookbookType::Peaking, 16000, 8, 4.0}, {CookbookType::Peaking, 2000, 6, 3.0}}),
        FifteenBands(), settings, fitter);
    EXPECT_GT(fit.eq[IndexOf(16000)], -1.0);
    EXPECT_LT(fit.eq[IndexOf(2000)], -5.0);
    EXPECT_EQ(fit.lastIndex,
              IndexOf(8000) - (ResponseGrid::FrequencyOfIndex(IndexOf(8000)) > 8000));
    EXPECT_GE(fit.deviation.atHz(), 60.0);
    EXPECT_LE(fit.deviation.atHz(), 8000.0);
}

TEST(RoomFit, KeepsFixedBandsAndTheCrossovers) {
    ExchangeFitter fitter;
    ExchangeSettings start = FifteenBands();
    start.bands[3] = {1, 150, 140, 20, 10};
    start.highPass = ExchangeCrossover{3, 40};
    std::vector<FitRequest::BandRole> roles(15, FitRequest::BandRole::Free);
    roles[3] = FitRequest::BandRole::Fixed;
    const RoomFit fit =
        FitRoom(Room({{CookbookType::Peaking, 300, 6, 2.0}}), start, {}, fitter, roles);
    EXPECT_EQ(fit.settings.bands[3], start.bands[3]);
    EXPECT_EQ(fit.settings.highPass, start.highPass);
}

TEST(RoomFit, RefusesAnEmptyRange) {
    ExchangeFitter fitter;
    for (auto [from, to] :
         {std::pair{1000.0, 1000.0}, {5000.0, 100.0}, {30000.0, 40000.0}, {std::nan(""), 1000.0}}) {
        RoomFitSettings settings;
        settings.fromHz = from, settings.toHz = to;
        EXPECT_THROW(FitRoom(Room({}), FifteenBands(), settings, fitter), std::invalid_argument)
            << from << ".." << to;
    }
}

TEST(TargetCurve, LiftsTheBassAndTiltsTheTreble) {
    const CurveArray flat = TargetCurve({});
    EXPECT_TRUE(std::all_of(flat.begin(), flat.end(), [](double v) { return v == 0.0; }));
    const CurveArray house = TargetCurve({6.0, 100.0, -1.0});
    const auto at = [&](double hz) { return house[IndexOf(hz)]; };
    EXPECT_NEAR(at(20), 6.0 / (1 + 0.04), 0.1);
    EXPECT_NEAR(at(100), 3.0, 0.1);
    EXPECT_NEAR(at(1000), 0.06, 0.05);
    EXPECT_NEAR(at(4000), -2.0, 0.05);
    EXPECT_NEAR(at(16000), -4.0, 0.05);
}

}  // namespace
}  // namespace zt
