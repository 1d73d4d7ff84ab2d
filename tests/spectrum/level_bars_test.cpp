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
    std::vector<SpectrumBar> bars;
    LayOutSpectrumBars(analysis, {width, height, lowTrigger}, bars);
    return bars;
}

int Tallest(const std::vector<SpectrumBar>& bars) {
    const auto it = std::min_element(bars.begin(), bars.end(),
                                     [](const auto& a, const auto& b) { return a.top < b.top; });
    return static_cast<int>(it - bars.begin());
}

// The bar whose centre frequency lies nearest to `hz` on the graph's logarithmic axis.
int BarCentredNearest(double hz, int barCount) {
    int best = 0;
    for (int i = 1; i < barCount; ++i) {
        const double step = kDesignWidth / kSpectrumNominalBars;
        const auto distance = [&](int bar) {
            return std::abs(
                std::log(SpectrumBarCentreHz(bar, static_cast<int>(step), kDesignWidth) / hz));
        };
        if (distance(i) < distance(best)) best = i;
    }
    return best;
}

std::size_t BinOfBar(int bar) {
    return SpectrumBinOf(
        SpectrumBarCentreHz(bar, kDesignWidth / kSpectrumNominalBars, kDesignWidth));
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

// Each bar shows the bin nearest to its centre frequency, on the true spacing of
// 48000 / 2048 Hz: the bin holds that frequency to within half a bin all along the axis.
TEST(SpectrumBarsTest, EveryBarShowsTheBinNearestToItsCentreFrequency) {
    const int step = kDesignWidth / kSpectrumNominalBars;
    for (int bar = 0; bar * step <= kDesignWidth; ++bar) {
        const double hz = SpectrumBarCentreHz(bar, step, kDesignWidth);
        const std::size_t bin = BinOfBar(bar);
        if (hz > 24000.0) {
            EXPECT_EQ(bin, kSpectrumNyquistBin);
            continue;
        }
        EXPECT_LE(std::abs(static_cast<double>(bin) * kSpectrumBinHz - hz), kSpectrumBinHz / 2)
            << "bar " << bar << " at " << hz << " Hz";
    }
    EXPECT_EQ(SpectrumBinOf(1000.0), 43u);
    EXPECT_EQ(SpectrumBinOf(10000.0), 427u);  // 23 Hz bins would say 435, 195 Hz too high
    EXPECT_EQ(SpectrumBinOf(0.0), 0u);
    EXPECT_EQ(SpectrumBinOf(30000.0), kSpectrumNyquistBin);
}

// Amplitudes below saturation: a saturated bin would tie with its neighbours at the ceiling.
struct ToneCase {
    double hz;
    double amplitude;  // in 8-bit steps
};

void PrintTo(const ToneCase& tone, std::ostream* out) {
    *out << tone.hz << " Hz at " << tone.amplitude << " steps";
}

class SpectrumToneTest : public testing::TestWithParam<ToneCase> {};

// A tone peaks at the bar centred nearest to it. At the low end several neighbouring bars share
// one bin and differ only by their weights, so there the tallest bar is one that shows the same
// bin as the nearest bar.
TEST_P(SpectrumToneTest, TonePeaksAtTheBarCentredNearestToIt) {
    const ToneCase tone = GetParam();
    const std::vector<SpectrumBar> bars = BarsOf(ToneBlock(tone.hz, tone.amplitude));
    const int nearest = BarCentredNearest(tone.hz, static_cast<int>(bars.size()));
    const int tallest = Tallest(bars);
    EXPECT_EQ(BinOfBar(tallest), BinOfBar(nearest))
        << "tallest " << tallest << " nearest " << nearest;
    EXPECT_LT(bars[nearest].top, kFloorRow - 100);
    if (nearest >= static_cast<int>(kSpectrumBarWeights.size())) {
        EXPECT_EQ(tallest, nearest);
    }
}

INSTANTIATE_TEST_SUITE_P(Tones, SpectrumToneTest,
                         testing::Values(ToneCase{1000.0, 20.0}, ToneCase{1000.0, 4.0},
                                         ToneCase{100.0, 20.0}, ToneCase{100.0, 4.0},
                                         ToneCase{5000.0, 20.0}));

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

// The weights shorten the lowest bars above the floor; the bars after them stand as measured.
TEST(SpectrumBarsTest, WeightsScaleTheHeightAboveTheFloor) {
    SpectrumAnalysis analysis;
    analysis.Analyse(SquareBlock(480));  // 100 Hz with its harmonics: tall bars everywhere
    std::vector<SpectrumBar> bars;
    LayOutSpectrumBars(analysis, {kDesignWidth, kDesignHeight, false}, bars);
    for (int bar = 0; bar < 60; ++bar) {
        const double y =
            SpectrumLevelToY(analysis.Magnitude(BinOfBar(bar)), kDesignHeight, kSpectrumFloorDb);
        const double weight = bar < 47 ? kSpectrumBarWeights[bar] : 1.0;
        EXPECT_NEAR(bars[bar].top, kFloorRow - (kFloorRow - y) * weight, 0.5001) << "bar " << bar;
    }
}

// An 8-bit sound card cannot record a quiet steady tone: one step of amplitude already reads
// about -36 dB. A short burst of a one-step tone is the quietest tone it records, near -57 dB:
// under the normal floor, above the low one. The short burst spreads over the neighbouring bars.
TEST(SpectrumBarsTest, LowTriggerShowsAQuietToneTheNormalFloorHides) {
    std::vector<std::uint8_t> block = SilenceBlock();
    const std::vector<std::uint8_t> burst = ToneBlock(1000.0, 1.0, 72);
    std::copy(burst.begin(), burst.end(), block.begin() + 400);
    const std::vector<SpectrumBar> low = BarsOf(block, true);
    const int bar1k = BarCentredNearest(1000.0, static_cast<int>(low.size()));
    for (const SpectrumBar& bar : BarsOf(block, false)) EXPECT_EQ(bar.top, kFloorRow);
    EXPECT_LT(low[bar1k].top, kFloorRow - 40);
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

// The lowest bins are damped by 0, 0.1 and 0.8, so a constant offset of the card shows no bar.
TEST(SpectrumAnalysisTest, DampsTheThreeLowestBins) {
    SpectrumAnalysis analysis;
    analysis.Analyse(std::vector<std::uint8_t>(1024, 192));  // a constant +0.5
    EXPECT_EQ(analysis.Magnitude(0), 0.0f);
    SpectrumAnalysis tone;
    const std::vector<std::uint8_t> low = ToneBlock(2 * kSpectrumBinHz, 60.0);
    tone.Analyse(low);
    std::vector<Complex> input(2048);
    for (std::size_t j = 0; j < 1024; ++j) input[j].re = low[j] / 128.0f - 1.0f;
    std::vector<Complex> output(2048);
    FFT(input, output, 2048);
    EXPECT_FLOAT_EQ(tone.Magnitude(1), 0.1f * Magnitude(output[1]));
    EXPECT_FLOAT_EQ(tone.Magnitude(2), 0.8f * Magnitude(output[2]));
    EXPECT_FLOAT_EQ(tone.Magnitude(3), Magnitude(output[3]));
    tone.Clear();
    EXPECT_EQ(tone.Magnitude(2), 0.0f);
}

}  // namespace
}  // namespace zt
