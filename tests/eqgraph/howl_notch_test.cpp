#include "eqgraph/howl_notch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "params/value_tables.h"

namespace zt {
namespace {

using Outcome = NotchPlan::Outcome;

// A band the user shaped: a PEQ boost.
constexpr ExchangeBand kShaped{1, 150, 130, 16, 10};
constexpr ExchangeBand kBypassedFlat{0, 100, 120, 16, 10};
constexpr ExchangeBand kBypassedShaped{0, 100, 100, 30, 10};
constexpr ExchangeBand kFlatPeq{1, 200, 120, 20, 10};
constexpr ExchangeBand kFlatShelf{2, 40, 120, 20, 7};

ExchangeBand Notch(double hz, int gain) {
    return {1, NotchFrequencyIndex(hz), gain, NotchQIndex(), 10};
}

TEST(HowlNotchTest, TheNotchIsANarrowPeqCutAtTheNearestFrequencyEntry) {
    EXPECT_NEAR(QValue(NotchQIndex()), kNotchQ, 1.0);
    for (const double hz : {100.0, 347.0, 1000.0, 2512.0, 7990.0}) {
        const double entry = FrequencyHz(NotchFrequencyIndex(hz));
        EXPECT_LT(std::abs(std::log2(entry / hz)), 1.0 / 48.0) << hz;
        for (const int neighbour : {NotchFrequencyIndex(hz) - 1, NotchFrequencyIndex(hz) + 1}) {
            EXPECT_GE(std::abs(FrequencyHz(neighbour) - hz), std::abs(entry - hz)) << hz;
        }
    }
}

TEST(HowlNotchTest, PlacesDeepensAndRefuses) {
    struct Row {
        std::string what;
        std::vector<ExchangeBand> bands;
        double hz;
        Outcome outcome;
        int band;
        int gain;  // of the band planned
    };
    const std::vector<Row> rows = {
        {"the first bypassed flat band",
         {kShaped, kFlatPeq, kBypassedFlat},
         1000,
         Outcome::Placed,
         2,
         kNotchFirstGain},
        {"a flat band before a shaped bypassed one",
         {kBypassedShaped, kShaped, kFlatShelf},
         1000,
         Outcome::Placed,
         2,
         kNotchFirstGain},
        {"a bypassed band when nothing else is free",
         {kShaped, kBypassedShaped},
         1000,
         Outcome::Placed,
         1,
         kNotchFirstGain},
        {"every band shaped", {kShaped, kShaped, kShaped}, 1000, Outcome::NoFreeBand, -1, 0},
        {"no bands at all", {}, 1000, Outcome::NoFreeBand, -1, 0},
        {"no frequency", {kBypassedFlat}, 0.0, Outcome::NoFreeBand, -1, 0},
        {"a notch at the howl deepens",
         {kBypassedFlat, Notch(1000, 90)},
         1010,
         Outcome::Deepened,
         1,
         75},
        {"the nearer of two notches deepens",
         {Notch(960, 75), Notch(1020, 90), kBypassedFlat},
         1015,
         Outcome::Deepened,
         1,
         75},
        {"down to -18 dB", {Notch(1000, 45)}, 1000, Outcome::Deepened, 0, kNotchDeepestGain},
        {"not beyond", {Notch(1000, 30), kBypassedFlat}, 1000, Outcome::AtDeepest, 0, 30},
        {"a notch a semitone away is another howl's",
         {Notch(1000, 75), kBypassedFlat},
         1070,
         Outcome::Placed,
         1,
         kNotchFirstGain},
        // The user's own narrow cut at -5 dB is no notch of the finder's, and is shaped.
        {"a user's narrow cut stays",
         {{1, NotchFrequencyIndex(1000), 95, NotchQIndex(), 10}},
         1000,
         Outcome::NoFreeBand,
         -1,
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const NotchPlan plan = PlanNotch(row.bands, row.hz);
        EXPECT_EQ(plan.outcome, row.outcome);
        EXPECT_EQ(plan.band, row.band);
        if (row.band < 0) continue;
        EXPECT_EQ(plan.setting.gainStep, row.gain);
        EXPECT_EQ(plan.setting.type, kBandTypePeq);
        EXPECT_EQ(plan.setting.qIndex, NotchQIndex());
        if (plan.outcome == Outcome::Placed) {
            EXPECT_EQ(plan.setting.frequencyIndex, NotchFrequencyIndex(row.hz));
            // The fields a notch does not use stay as the band had them.
            EXPECT_EQ(plan.setting.slopeIndex, row.bands[row.band].slopeIndex);
        } else {
            EXPECT_EQ(plan.setting.frequencyIndex, row.bands[row.band].frequencyIndex);
        }
    }
}

// A band shown for both microphones at once is free only where it is free on both.
TEST(HowlNotchTest, ABandShapedOnTheOtherChannelIsNotFree) {
    const std::vector<ExchangeBand> bands{kBypassedFlat, kBypassedFlat, kShaped};
    const std::vector<bool> freeOnBoth{false, true, false};
    const NotchPlan plan = PlanNotch(bands, 500.0, freeOnBoth);
    EXPECT_EQ(plan.outcome, Outcome::Placed);
    EXPECT_EQ(plan.band, 1);
    const std::vector<bool> noneFree{false, false, false};
    EXPECT_EQ(PlanNotch(bands, 500.0, noneFree).outcome, Outcome::NoFreeBand);
}

}  // namespace
}  // namespace zt
