#include "spectrum/measured_response.h"

#include <gtest/gtest.h>

#include <cmath>

#include "eqgraph/response_grid.h"
#include "spectrum/level_check.h"

namespace zt {
namespace {

// Power 1 below 1000 Hz and 4 (+6.02 dB) from it up, in bins 1 Hz apart.
PowerSpectrum Step() {
    PowerSpectrum spectrum{std::vector<double>(24001, 1.0), 1.0};
    for (std::size_t k = 1000; k < spectrum.power.size(); ++k) spectrum.power[k] = 4.0;
    return spectrum;
}

double Db(double power) {
    return 10 * std::log10(power);
}

TEST(SmoothedResponse, AveragesPowerOverTheFractionOfAnOctave) {
    struct Case {
        Smoothing smoothing;
        double hz;
        double db;
    };
    // Bin 1000 covers 999.5 .. 1000.5 Hz.
    const auto mixed = [](double from, double to) {
        return Db(((999.5 - from) + 4 * (to - 999.5)) / (to - from));
    };
    const double third = std::exp2(1.0 / 6), sixth = std::exp2(1.0 / 12);
    const Case cases[] = {
        {Smoothing::None, 500, 0.0},
        {Smoothing::None, 2000, Db(4)},
        {Smoothing::None, 999.5, Db(2.5)},  // between two bins: their mean
        {Smoothing::Third, 1000, mixed(1000 / third, 1000 * third)},
        {Smoothing::Sixth, 1000, mixed(1000 / sixth, 1000 * sixth)},
        {Smoothing::Third, 1000 / third / third, 0.0},  // the band just reaches the step
        {Smoothing::Twelfth, 1100, Db(4)},
    };
    const PowerSpectrum spectrum = Step();
    for (const Case& c : cases) {
        const MeasuredResponse r = SmoothedResponse(spectrum, c.smoothing, c.hz, c.hz);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_NEAR(r[0].db, c.db, 1e-6) << c.hz << " Hz, " << static_cast<int>(c.smoothing);
    }
}

TEST(SmoothedResponse, ReadsLogarithmicallySpacedPointsWithinTheSpectrum) {
    const MeasuredResponse r = SmoothedResponse(Step(), Smoothing::Sixth, 20.0, 20000.0, 3);
    ASSERT_EQ(r.size(), 30u);  // 20 Hz .. 16 kHz, then 20.16 kHz lies beyond 20 kHz
    EXPECT_DOUBLE_EQ(r[3].hz, 40.0);
    EXPECT_NEAR(r.back().hz, 20.0 * std::exp2(29.0 / 3), 1e-9);
    // A spectrum reaching only 500 Hz stops there; silence reads -200 dB, not minus infinity.
    PowerSpectrum narrow{std::vector<double>(501, 0.0), 1.0};
    const MeasuredResponse cut = SmoothedResponse(narrow, Smoothing::Third, 20.0, 20000.0, 3);
    EXPECT_LE(cut.back().hz, 500.0);
    EXPECT_EQ(cut.back().db, -200.0);
    EXPECT_TRUE(SmoothedResponse({}, Smoothing::Third).empty());
}

TEST(WindowedPowerSpectrum, FindsThePeakWhereverItLies) {
    // A unit impulse at the start (its fade-in wraps to the end) and one late in the response.
    for (std::size_t at : {std::size_t{0}, std::size_t{90000}}) {
        std::vector<float> impulse(96000, 0.0f);
        impulse[at] = 1.0f;
        impulse[(at + 48) % impulse.size()] = 0.5f;  // an echo 1 ms later: a comb
        const PowerSpectrum s = WindowedPowerSpectrum(impulse, 48000.0);
        EXPECT_NEAR(s.binHz, 0.5, 1e-12);
        // |1 + 0.5 e^(-i w 1 ms)|: 2.25 at multiples of 1 kHz, 0.25 half-way between.
        EXPECT_NEAR(s.power[2000], 2.25, 1e-4) << at;
        EXPECT_NEAR(s.power[1000], 0.25, 1e-4) << at;
    }
    EXPECT_TRUE(WindowedPowerSpectrum({}, 48000.0).power.empty());
}

TEST(ResponseOnGrid, InterpolatesInLogFrequencyAndHoldsTheEnds) {
    const MeasuredResponse r{{100.0, -6.0}, {400.0, 6.0}, {1000.0, 0.0}};
    const CurveArray curve = ResponseOnGrid(r);
    EXPECT_DOUBLE_EQ(curve[0], -6.0);
    EXPECT_DOUBLE_EQ(curve[ResponseGrid::PointCount - 1], 0.0);
    // Grid points: 10 Hz * 2400^(k/462); take those nearest to the halfway octave.
    const int mid = static_cast<int>(std::round(ResponseGrid::IndexOfFrequency(200.0)));
    const double share = std::log2(ResponseGrid::FrequencyOfIndex(mid) / 100.0) / 2.0;
    EXPECT_NEAR(curve[mid], -6.0 + 12.0 * share, 1e-9);
    const GridSpan span = CoveredGridSpan(r);
    EXPECT_GE(ResponseGrid::FrequencyOfIndex(span.first), 100.0);
    EXPECT_LT(ResponseGrid::FrequencyOfIndex(span.first - 1), 100.0);
    EXPECT_LE(ResponseGrid::FrequencyOfIndex(span.last), 1000.0);
    EXPECT_GT(ResponseGrid::FrequencyOfIndex(span.last + 1), 1000.0);
    EXPECT_GT(CoveredGridSpan({}).first, CoveredGridSpan({}).last);
    EXPECT_EQ(ResponseOnGrid({})[100], 0.0);
}

TEST(LevelCheck, JudgesClippingAndQuietness) {
    struct Case {
        const char* name;
        float amplitude;
        float noise;
        LevelVerdict verdict;
    };
    const Case cases[] = {
        {"good", 0.3f, 0.0001f, LevelVerdict::Good},
        {"no background given", 0.3f, -1.0f, LevelVerdict::Good},
        {"clipping", 1.0f, 0.0001f, LevelVerdict::Clipping},
        {"too quiet", 0.005f, 0.0f, LevelVerdict::TooQuiet},
        {"buried in noise", 0.1f, 0.01f, LevelVerdict::TooQuiet},
        {"silence", 0.0f, 0.0f, LevelVerdict::TooQuiet},
    };
    for (const Case& c : cases) {
        std::vector<std::int16_t> pcm(4800);
        for (std::size_t i = 0; i < pcm.size(); ++i) {
            const double v = c.amplitude * 32768.0 * std::sin(i * 0.1);
            pcm[i] = static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
        }
        std::vector<float> background;
        if (c.noise >= 0) {
            for (std::size_t i = 0; i < 4800; ++i) background.push_back(i % 2 ? c.noise : -c.noise);
        }
        const LevelCheck check = CheckLevel(SamplesFromPcm16(pcm), background);
        EXPECT_EQ(check.verdict, c.verdict) << c.name;
        EXPECT_EQ(check.clippedSamples > 0, c.verdict == LevelVerdict::Clipping) << c.name;
    }
    const LevelCheck half = CheckLevel(std::vector<float>{0.5f, -0.5f});
    EXPECT_NEAR(half.peakDbfs, -6.02, 0.01);
    EXPECT_NEAR(half.rmsDbfs, -6.02, 0.01);
    EXPECT_EQ(CheckLevel({}).peakDbfs, -200.0);
}

}  // namespace
}  // namespace zt
