#include "spectrum/level_bars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

#include "sound_blocks.h"

namespace zt {
namespace {

using testing_support::SilenceBlock;
using testing_support::SquareBlock;
using testing_support::ToneBlock;

constexpr int kDesignWidth = 883;
constexpr int kDesignHeight = 268;
constexpr int kFloorRow = kDesignHeight - 2;

std::vector<SpectrumBar> BarsOf(const std::vector<std::uint8_t>& block, bool lowTrigger = false,
                                int width = kDesignWidth, int height = kDesignHeight) {
    SpectrumAnalysis analysis;
    analysis.Analyse(block);
    SpectrumLevels levels;
    levels.Update(analysis, 0.0);
    std::vector<SpectrumBar> bars;
    LayOutSpectrumBars(levels, {width, height, lowTrigger}, bars);
    return bars;
}

int Tallest(const std::vector<SpectrumBar>& bars) {
    const auto it = std::min_element(bars.begin(), bars.end(),
                                     [](const auto& a, const auto& b) { return a.top < b.top; });
    return static_cast<int>(it - bars.begin());
}

constexpr int kDesignStep = kDesignWidth / kSpectrumNominalBars;

// The bar whose centre frequency lies nearest to `hz` on the graph's logarithmic axis.
int BarCentredNearest(double hz, int barCount) {
    int best = 0;
    const auto distance = [&](int bar) {
        return std::abs(std::log(SpectrumBarCentreHz(bar, kDesignStep, kDesignWidth) / hz));
    };
    for (int i = 1; i < barCount; ++i) {
        if (distance(i) < distance(best)) best = i;
    }
    return best;
}

int BarCount() {
    return kDesignWidth / kDesignStep + 1;
}

double DbOf(double amplitudeSteps) {
    return 20.0 * std::log10(amplitudeSteps / 128.0);
}

TEST(SpectrumBarsTest, DesignSizeGivesSlotsOfSevenColumnsWithAOneColumnGap) {
    const std::vector<SpectrumBar> bars = BarsOf(SilenceBlock());
    ASSERT_EQ(bars.size(), 127u);  // slots start at 0, 7, ... 882; the last one is cut by the edge
    EXPECT_EQ(bars[0], (SpectrumBar{0, 6, kFloorRow}));
    EXPECT_EQ(bars[74].left, 518);
    EXPECT_EQ(bars[74].right, 524);
    EXPECT_EQ(bars.back().left, 882);
    EXPECT_EQ(bars.back().right, kDesignWidth);
}

// Silence reads 0 in every bin: every bar, the weighted ones at the low end included, is only
// the floor stub of two rows.
TEST(SpectrumBarsTest, SilenceShowsOnlyTheFloorStubOnBothFloors) {
    for (const bool lowTrigger : {false, true}) {
        for (const SpectrumBar& bar : BarsOf(SilenceBlock(), lowTrigger)) {
            EXPECT_EQ(bar.top, kFloorRow) << "bar at " << bar.left << " low trigger " << lowTrigger;
        }
    }
}

TEST(SpectrumBarsTest, AnEmptyOrShortBlockCountsTheMissingSamplesAsSilence) {
    for (const SpectrumBar& bar : BarsOf({})) EXPECT_EQ(bar.top, kFloorRow);
    SpectrumAnalysis whole;
    SpectrumAnalysis half;
    std::vector<std::uint8_t> tone = ToneBlock(1000.0, 40.0);
    whole.Analyse(tone);
    half.Analyse(std::span(tone).first(512));
    EXPECT_GT(half.Magnitude(43), 0.3f * whole.Magnitude(43));
    EXPECT_LT(half.Magnitude(43), 0.7f * whole.Magnitude(43));
}

// The bars' bands share out the bins: every bin from 1 up to the Nyquist bin belongs to exactly
// one band, between the half-way points to the neighbouring bars. A band too narrow to hold a
// bin (the low end) shows the bin nearest to its centre.
TEST(SpectrumBarsTest, EveryBinBelongsToOneBandBetweenTheHalfWayPoints) {
    std::vector<int> owners(kSpectrumNyquistBin + 1, 0);
    // Half a slot on the axis as a frequency ratio.
    const double half = std::pow(10.0, 3.380211241711606 / kDesignWidth * kDesignStep / 2);
    for (int bar = 0; bar < BarCount(); ++bar) {
        const SpectrumBand band = SpectrumBandOf(bar, kDesignStep, kDesignWidth);
        ASSERT_LE(band.first, band.last) << "bar " << bar;
        const double centre = SpectrumBarCentreHz(bar, kDesignStep, kDesignWidth);
        const bool inside =
            band.first * kSpectrumBinHz >= centre / half - 1e-9 &&
            (band.last * kSpectrumBinHz < centre * half || band.last == kSpectrumNyquistBin);
        if (inside) {
            for (std::size_t bin = band.first; bin <= band.last; ++bin) ++owners[bin];
        } else {
            EXPECT_EQ(band.first, band.last) << "bar " << bar;
            EXPECT_EQ(band.first, std::max<std::size_t>(SpectrumBinOf(centre), 1)) << "bar " << bar;
        }
    }
    EXPECT_EQ(owners[0], 0);
    for (std::size_t bin = 1; bin <= kSpectrumNyquistBin; ++bin) {
        EXPECT_EQ(owners[bin], 1) << "bin " << bin;
    }
    EXPECT_EQ(SpectrumBinOf(1000.0), 43u);
    EXPECT_EQ(SpectrumBinOf(0.0), 0u);
    EXPECT_EQ(SpectrumBinOf(30000.0), kSpectrumNyquistBin);
}

// Tones of one level across the axis, on bins and between them, at several phases: the bar
// centred nearest to each reads its level within 1.5 dB, and no bar stands higher than that.
struct CalibrationCase {
    double hz;
};

void PrintTo(const CalibrationCase& tone, std::ostream* out) {
    *out << tone.hz << " Hz";
}

class SpectrumCalibrationTest : public testing::TestWithParam<CalibrationCase> {};

TEST_P(SpectrumCalibrationTest, ASineReadsItsLevelAtItsBar) {
    const double hz = GetParam().hz;
    const double amplitude = 16.0;  // about -18 dB
    const int bar = BarCentredNearest(hz, BarCount());
    for (const std::size_t first : {0u, 37u, 500u, 1111u}) {
        SpectrumAnalysis analysis;
        analysis.Analyse(ToneBlock(hz, amplitude, 1024, first));
        SpectrumLevels levels;
        levels.Update(analysis, 0.0);
        const double read = levels.BandDb(SpectrumBandOf(bar, kDesignStep, kDesignWidth));
        EXPECT_NEAR(read, DbOf(amplitude), 1.5) << "bar " << bar << ", phase at " << first;
        std::vector<SpectrumBar> bars;
        LayOutSpectrumBars(levels, {kDesignWidth, kDesignHeight, false}, bars);
        const double highest =
            SpectrumDbToY(DbOf(amplitude) + 1.5, kDesignHeight, kSpectrumFloorDb);
        EXPECT_GE(bars[Tallest(bars)].top, std::floor(highest)) << "bar " << bar << " at " << first;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tones, SpectrumCalibrationTest,
    testing::Values(CalibrationCase{50.0}, CalibrationCase{63.0}, CalibrationCase{80.0},
                    CalibrationCase{100.0}, CalibrationCase{125.0}, CalibrationCase{160.0},
                    CalibrationCase{200.0}, CalibrationCase{315.0}, CalibrationCase{500.0},
                    CalibrationCase{1000.0}, CalibrationCase{1011.7}, CalibrationCase{2000.0},
                    CalibrationCase{3000.0}, CalibrationCase{4500.0}, CalibrationCase{6000.0},
                    CalibrationCase{8000.0}, CalibrationCase{10000.0}, CalibrationCase{12500.0},
                    CalibrationCase{14000.0}, CalibrationCase{16000.0}));

// A steady tone, block after block as the card delivers it, refreshed every 110 ms: no bar
// moves more than 3 dB from one frame to the next. When the tone stops the bars fall back at
// the release rate instead of dropping to the floor.
TEST(SpectrumBarsTest, ASteadyToneStandsStillAndFallsBackSteadilyWhenItStops) {
    for (const double hz : {97.0, 1000.0, 5900.0, 14000.0}) {
        SpectrumAnalysis analysis;
        SpectrumLevels levels;
        std::vector<double> previous;
        for (std::size_t frame = 0; frame < 20; ++frame) {
            // About five blocks pass between two analyses.
            analysis.Analyse(ToneBlock(hz, 16.0, 1024, frame * 5 * 1024 + 17));
            levels.Update(analysis, 0.11);
            std::vector<double> shown;
            for (int bar = 0; bar < BarCount(); ++bar) {
                const double db = levels.BandDb(SpectrumBandOf(bar, kDesignStep, kDesignWidth));
                shown.push_back(std::max(db, kSpectrumFloorDb));
            }
            for (std::size_t bar = 0; frame > 0 && bar < shown.size(); ++bar) {
                EXPECT_NEAR(shown[bar], previous[bar], 3.0)
                    << hz << " Hz, bar " << bar << ", frame " << frame;
            }
            previous = shown;
        }
        const SpectrumBand band =
            SpectrumBandOf(BarCentredNearest(hz, BarCount()), kDesignStep, kDesignWidth);
        const double held = levels.BandDb(band);
        for (int frame = 0; frame < 5; ++frame) {
            analysis.Analyse(SilenceBlock());
            levels.Update(analysis, 0.1);
        }
        EXPECT_NEAR(levels.BandDb(band), held - 10.0, 1e-3) << hz << " Hz after half a second";
    }
}

TEST(SpectrumBarsTest, OneKilohertzToneStandsOverTheOneKilohertzGridLine) {
    const std::vector<SpectrumBar> bars = BarsOf(ToneBlock(1000.0, 100.0));
    const SpectrumBar& tallest = bars[Tallest(bars)];
    const double x1k = (std::log10(1000.0) - 1.0) / 3.380211241711606 * kDesignWidth;
    EXPECT_LE(tallest.left, x1k);
    EXPECT_GT(tallest.right, x1k);
}

// Full scale saturates the bins of the square wave's harmonics at the ceiling of 120, about
// -0.56 dB, which stands just below the top row.
TEST(SpectrumBarsTest, FullScaleSquareWaveSaturatesAtTheCeiling) {
    SpectrumAnalysis analysis;
    analysis.Analyse(SquareBlock(48));  // 1 kHz
    EXPECT_GT(analysis.Magnitude(43), kSpectrumCeiling);
    for (const bool lowTrigger : {false, true}) {
        const double floorDb = lowTrigger ? kSpectrumLowTriggerFloorDb : kSpectrumFloorDb;
        const int ceilingRow = static_cast<int>(
            std::lround(SpectrumLevelToY(kSpectrumCeiling, kDesignHeight, floorDb)));
        const std::vector<SpectrumBar> bars = BarsOf(SquareBlock(48), lowTrigger);
        EXPECT_EQ(bars[Tallest(bars)].top, ceilingRow);
        EXPECT_LE(ceilingRow, 2);
        EXPECT_GE(ceilingRow, 1);
    }
}

TEST(SpectrumBarsTest, LevelScaleRunsFromTheFloorToJustBelowTheTop) {
    struct Case {
        double magnitude;
        double floorDb;
        double y;
    };
    const double top = 20.0 * std::log10(120.0 / 128.0);
    for (const Case c : {Case{0.0, -52.0, 266.0}, Case{1e-6, -52.0, 266.0},
                         Case{128.0 * std::pow(10.0, -26.0 / 20.0), -52.0, 266.0 - 267.0 / 2},
                         Case{1000.0, -52.0, 266.0 - (52.0 + top) / 52.0 * 267.0},
                         Case{128.0 * std::pow(10.0, -58.0 / 20.0), -52.0, 266.0},
                         Case{128.0 * std::pow(10.0, -58.0 / 20.0), -64.0, 266.0 - 6.0 / 64 * 267},
                         Case{-5.0, -64.0, 266.0}}) {
        EXPECT_NEAR(SpectrumLevelToY(c.magnitude, kDesignHeight, c.floorDb), c.y, 1e-9)
            << c.magnitude << " at floor " << c.floorDb;
    }
}

// The weights shorten the lowest bars above the floor, below the calibrated range; the bars
// after them stand as measured.
TEST(SpectrumBarsTest, WeightsScaleTheHeightAboveTheFloorBelowFiftyHertz) {
    SpectrumAnalysis analysis;
    analysis.Analyse(SquareBlock(480));  // 100 Hz with its harmonics: tall bars everywhere
    SpectrumLevels levels;
    levels.Update(analysis, 0.0);
    std::vector<SpectrumBar> bars;
    LayOutSpectrumBars(levels, {kDesignWidth, kDesignHeight, false}, bars);
    int weighted = 0;
    for (int bar = 0; bar < 60; ++bar) {
        const double y =
            SpectrumDbToY(levels.BandDb(SpectrumBandOf(bar, kDesignStep, kDesignWidth)),
                          kDesignHeight, kSpectrumFloorDb);
        const bool low = SpectrumBarCentreHz(bar, kDesignStep, kDesignWidth) < 50.0;
        const double weight = low ? kSpectrumBarWeights[bar] : 1.0;
        weighted += low;
        EXPECT_NEAR(bars[bar].top, kFloorRow - (kFloorRow - y) * weight, 0.5001) << "bar " << bar;
    }
    EXPECT_EQ(weighted, 26);
}

// An 8-bit sound card cannot record a quiet steady tone: one step of amplitude already reads
// about -42 dB. A short burst of a one-step tone is quieter, near -55 dB: under the normal
// floor, above the low one.
TEST(SpectrumBarsTest, LowTriggerShowsAQuietToneTheNormalFloorHides) {
    std::vector<std::uint8_t> block = SilenceBlock();
    const std::vector<std::uint8_t> burst = ToneBlock(1000.0, 1.0, 120);
    std::copy(burst.begin(), burst.end(), block.begin() + 452);
    const std::vector<SpectrumBar> low = BarsOf(block, true);
    const int bar1k = BarCentredNearest(1000.0, static_cast<int>(low.size()));
    for (const SpectrumBar& bar : BarsOf(block, false)) EXPECT_EQ(bar.top, kFloorRow);
    EXPECT_LT(low[bar1k].top, kFloorRow - 20);
    EXPECT_LE(std::abs(Tallest(low) - bar1k), 1);
}

TEST(SpectrumBarsTest, PlotsTooSmallForBarsGetNone) {
    for (const auto& [width, height] : {std::pair{0, 268}, std::pair{119, 268}, std::pair{359, 268},
                                        std::pair{883, 2}, std::pair{-5, -5}}) {
        EXPECT_TRUE(BarsOf(ToneBlock(1000.0, 40.0), false, width, height).empty())
            << width << " x " << height;
    }
    EXPECT_FALSE(BarsOf(ToneBlock(1000.0, 40.0), false, 360, 3).empty());
}

// The card's offset is taken out: a constant block reads silence everywhere, and a tone on an
// offset reads as it does without one.
TEST(SpectrumAnalysisTest, TheCardsOffsetShowsNoBar) {
    SpectrumAnalysis analysis;
    analysis.Analyse(std::vector<std::uint8_t>(1024, 192));
    for (std::size_t bin = 0; bin <= kSpectrumNyquistBin; ++bin) {
        ASSERT_LT(analysis.Magnitude(bin), 1e-3f) << "bin " << bin;
    }
    std::vector<std::uint8_t> tone = ToneBlock(200.0, 20.0);
    SpectrumAnalysis centred;
    centred.Analyse(tone);
    for (std::uint8_t& sample : tone) sample = static_cast<std::uint8_t>(sample + 7);
    analysis.Clear();  // a new card: its offset is learnt afresh
    analysis.Analyse(tone);
    for (std::size_t bin = 0; bin <= kSpectrumNyquistBin; ++bin) {
        ASSERT_NEAR(analysis.Magnitude(bin), centred.Magnitude(bin), 1e-3f) << "bin " << bin;
    }
    analysis.Clear();
    EXPECT_EQ(analysis.Magnitude(9), 0.0f);
    // A card whose offset moves: the analysis follows it within a few blocks.
    for (int block = 0; block < 30; ++block) analysis.Analyse(std::vector<std::uint8_t>(1024, 128));
    for (int block = 0; block < 30; ++block) analysis.Analyse(std::vector<std::uint8_t>(1024, 131));
    EXPECT_LT(SpectrumMagnitudeDb(analysis.Magnitude(1)), kSpectrumLowTriggerFloorDb);
}

}  // namespace
}  // namespace zt
