#include "eqgraph/band_response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

#include "eqgraph/biquad_designs.h"
#include "eqgraph/prototype_response.h"

namespace zt {
namespace {

constexpr int kLast = ResponseGrid::GridSteps;  // 462

ResponseArray Response(int hz, float gain, float q, int code) {
    ResponseArray r;
    r.fill(-1234.0f);
    EXPECT_TRUE(BandResponse(r, hz, gain, q, static_cast<PointTypeCode>(code))) << code;
    return r;
}

float MaxOf(const ResponseArray& r) {
    return *std::max_element(r.begin(), r.end());
}

// Figures of single bands read at given grid indices.
TEST(BandResponseTest, BandFiguresAtGridIndices) {
    struct Case {
        const char* what;
        int code;
        int hz;
        float gain;
        float q;
        int index;
        float db;
        float tolerance;
    };
    const Case cases[] = {
        {"PEQ centre", 1, 1000, 12.0f, 1.0f, 273, 12.0f, 1e-4f},
        {"PEQ low end", 1, 1000, 12.0f, 1.0f, 0, 0.0f, 1e-6f},
        {"PEQ high end", 1, 1000, 12.0f, 1.0f, kLast, 0.043f, 0.001f},
        {"PEQ 20 below", 1, 1000, 12.0f, 1.0f, 253, 7.31f, 0.005f},
        {"PEQ 20 above", 1, 1000, 12.0f, 1.0f, 293, 7.31f, 0.005f},
        {"PEQ cut centre", 1, 1000, -24.0f, 1.0f, 273, -24.0f, 1e-4f},
        {"wide PEQ centre", 1, 1000, 12.0f, 0.4f, 273, 12.0f, 1e-4f},
        {"wide PEQ high end", 1, 1000, 12.0f, 0.4f, kLast, 0.26f, 0.005f},
        {"low shelf low end", 2, 1000, 12.0f, 1.0f, 0, 12.0f, 0.001f},
        {"low shelf centre", 2, 1000, 12.0f, 1.0f, 273, 6.0f, 0.001f},
        {"low shelf high end", 2, 1000, 12.0f, 1.0f, kLast, 0.0f, 0.001f},
        {"high shelf low end", 3, 1000, 12.0f, 1.0f, 0, 0.0f, 0.001f},
        {"high shelf centre", 3, 1000, 12.0f, 1.0f, 273, 6.0f, 0.001f},
        {"high shelf high end", 3, 1000, 12.0f, 1.0f, kLast, 12.0f, 0.001f},
        {"low shelf cut", 2, 1000, -24.0f, 1.0f, 0, -24.0f, 0.001f},
    };
    for (const Case& c : cases) {
        const ResponseArray r = Response(c.hz, c.gain, c.q, c.code);
        EXPECT_NEAR(r[c.index], c.db, c.tolerance) << c.what;
    }
}

TEST(BandResponseTest, PeakingBandPeaksOnItsCentre) {
    for (float q : {0.4f, 1.0f, 4.0f, 20.0f, 128.0f}) {
        const ResponseArray r = Response(1000, 12.0f, q, 1);
        EXPECT_EQ(std::max_element(r.begin(), r.end()) - r.begin(), 273) << q;
        // Very narrow bands lose a little of their peak to the 32-bit coefficients (the exact
        // figures are checked in the narrow peak tests).
        EXPECT_NEAR(r[273], 12.0f, q <= 4.0f ? 0.001f : 0.25f) << q;
    }
}

TEST(BandResponseTest, PeakingBandIsSymmetricAboutItsCentre) {
    const ResponseArray r = Response(1000, 12.0f, 1.0f, 1);
    for (int d = 1; d <= kLast - 273; ++d) EXPECT_NEAR(r[273 - d], r[273 + d], 1e-4f) << d;
}

TEST(BandResponseTest, HighShelfMirrorsLowShelf) {
    const ResponseArray low = Response(1000, 9.0f, 0.7f, 2);
    const ResponseArray high = Response(1000, 9.0f, 0.7f, 3);
    for (int d = 0; d <= kLast - 273; ++d) EXPECT_NEAR(low[273 - d], high[273 + d], 1e-4f) << d;
}

TEST(BandResponseTest, SteepShelfSlopesOvershootAndClampAtFour) {
    const float atFour = MaxOf(Response(1000, 12.0f, 4.0f, 3));
    EXPECT_NEAR(atFour, 19.0f, 0.05f);
    for (float slope : {5.0f, 16.0f, 128.0f}) {
        EXPECT_EQ(Response(1000, 12.0f, slope, 3), Response(1000, 12.0f, 4.0f, 3)) << slope;
    }
    // A gentle slope does not overshoot.
    EXPECT_NEAR(MaxOf(Response(1000, 12.0f, 1.0f, 3)), 12.0f, 0.001f);
}

// Every crossover type at 1000 Hz. The centre is the sum of its sections' gains at their corner
// (first order -3.01 dB; a second-order section reads 20 log10 Q: Bessel -4.77, Butterworth
// -3.01, the 4th-order sections +2.32 and -5.33, the 3rd-order one 0); each order adds about
// -49.37 dB at the far ends of the graph, which stay finite.
TEST(BandResponseTest, CrossoverTypesAtCentreAndFarEnds) {
    struct Case {
        int type;
        float centre;
        int order;
    };
    const Case cases[] = {
        {1, -3.0103f, 1}, {2, -4.7712f, 2},   {3, -3.0103f, 2},  {4, -6.0206f, 2},
        {5, -7.7815f, 3}, {6, -6.0206f, 3},   {7, -9.5424f, 4},  {8, -3.0103f, 4},
        {9, -6.0206f, 4}, {10, -14.3136f, 6}, {11, -8.3432f, 6}, {12, -6.0206f, 6},
    };
    for (const Case& c : cases) {
        const ResponseArray hp = Response(1000, 0.0f, 1.0f, 100 + c.type);
        const ResponseArray lp = Response(1000, 0.0f, 1.0f, 200 + c.type);
        EXPECT_NEAR(hp[273], c.centre, 0.002f) << c.type;
        EXPECT_NEAR(lp[273], c.centre, 0.002f) << c.type;
        EXPECT_NEAR(hp[0], -49.37f * c.order, 0.05f) << c.type;
        EXPECT_NEAR(lp[kLast], -49.37f * c.order, 0.05f) << c.type;
        // High-passes rise and low-passes fall across the centre.
        EXPECT_LT(hp[232], hp[273]) << c.type;
        EXPECT_LT(hp[273], hp[314]) << c.type;
        EXPECT_GT(lp[232], lp[273]) << c.type;
        EXPECT_GT(lp[273], lp[314]) << c.type;
    }
}

TEST(BandResponseTest, FilterFiguresAwayFromTheCentre) {
    EXPECT_NEAR(Response(1000, 0.0f, 1.0f, 103)[273 - 41], -11.7f, 0.05f);
    EXPECT_NEAR(Response(1000, 0.0f, 1.0f, 203)[kLast], -98.7f, 0.05f);
    EXPECT_NEAR(Response(1000, 0.0f, 1.0f, 202)[kLast], -98.7f, 0.05f);
    EXPECT_NEAR(Response(1000, 0.0f, 1.0f, 201)[kLast], -49.4f, 0.05f);
    // The pass bands are flat.
    EXPECT_NEAR(Response(1000, 0.0f, 1.0f, 103)[kLast], 0.0f, 0.001f);
    EXPECT_NEAR(Response(1000, 0.0f, 1.0f, 203)[0], 0.0f, 0.001f);
}

// The low-pass reaches w = pi (a zero of the filter) 105 steps above its centre; that point
// repeats its neighbour instead of dropping to minus infinity.
TEST(BandResponseTest, LowPassZeroTakesThePreviousValue) {
    for (int type = 1; type < kFilterTypeCount; ++type) {
        const ResponseArray lp = Response(1000, 0.0f, 1.0f, 200 + type);
        EXPECT_EQ(lp[273 + 105], lp[273 + 104]) << type;
        EXPECT_TRUE(std::all_of(lp.begin(), lp.end(), [](float v) { return std::isfinite(v); }))
            << type;
    }
}

TEST(BandResponseTest, CompositeTypesAddTheirSections) {
    for (int base : {100, 200}) {
        const ResponseArray first = Response(1000, 0.0f, 1.0f, base + 1);
        const ResponseArray bessel = Response(1000, 0.0f, 1.0f, base + 2);
        const ResponseArray butterworth = Response(1000, 0.0f, 1.0f, base + 3);
        const ResponseArray linkRiley12 = Response(1000, 0.0f, 1.0f, base + 4);
        const ResponseArray bessel18 = Response(1000, 0.0f, 1.0f, base + 5);
        const ResponseArray bessel24 = Response(1000, 0.0f, 1.0f, base + 7);
        const ResponseArray linkRiley24 = Response(1000, 0.0f, 1.0f, base + 9);
        const ResponseArray bessel36 = Response(1000, 0.0f, 1.0f, base + 10);
        for (int k = 0; k <= kLast; ++k) {
            EXPECT_FLOAT_EQ(linkRiley12[k], 2.0f * first[k]) << base << " " << k;
            EXPECT_FLOAT_EQ(bessel18[k], bessel[k] + first[k]) << base << " " << k;
            EXPECT_FLOAT_EQ(bessel24[k], 2.0f * bessel[k]) << base << " " << k;
            EXPECT_FLOAT_EQ(linkRiley24[k], 2.0f * butterworth[k]) << base << " " << k;
            EXPECT_FLOAT_EQ(bessel36[k], 3.0f * bessel[k]) << base << " " << k;
        }
    }
}

TEST(BandResponseTest, FlatCodesGiveExactlyZero) {
    // Gains and Q values that would matter, or even be invalid, for a peaking band.
    for (int code : {0, 4, 5, 50, 99, 100, 120, 200, 240}) {
        for (float q : {1.0f, 0.0f, -0.01f, NAN}) {
            const ResponseArray r = Response(1000, 12.0f, q, code);
            EXPECT_TRUE(std::all_of(r.begin(), r.end(), [](float v) { return v == 0.0f; }))
                << code << " " << q;
        }
    }
    const ResponseArray peq = Response(1000, 0.0f, 1.0f, 1);
    EXPECT_TRUE(std::all_of(peq.begin(), peq.end(), [](float v) { return v == 0.0f; }));
}

TEST(BandResponseTest, CodesWithoutDesignLeaveTheArrayAlone) {
    for (int code : {113, 119, 133, 199, 213, 219, 253, 255}) {
        ResponseArray r;
        r.fill(7.0f);
        EXPECT_FALSE(BandResponse(r, 1000, 12.0f, 1.0f, static_cast<PointTypeCode>(code)));
        EXPECT_TRUE(std::all_of(r.begin(), r.end(), [](float v) { return v == 7.0f; })) << code;
    }
}

TEST(BandResponseTest, ShortArrayIsLeftAlone) {
    std::vector<float> shortArray(ResponseGrid::PointCount - 1, 7.0f);
    EXPECT_FALSE(BandResponse(shortArray, 1000, 12.0f, 1.0f, 1));
    EXPECT_TRUE(
        std::all_of(shortArray.begin(), shortArray.end(), [](float v) { return v == 7.0f; }));
}

TEST(BandResponseTest, CentreIndexFollowsTheSnappedFrequency) {
    struct Case {
        int hz;
        int index;
    };
    const Case cases[] = {{INT_MIN, 0}, {-5, 0},        {0, 0},       {1, 0},      {10, 0},
                          {11, 6},      {19, 38},       {20, 41},     {1000, 273}, {20000, 451},
                          {20600, 453}, {24000, kLast}, {100000, 547}};
    for (const Case& c : cases) EXPECT_EQ(ResponseCentreIndex(c.hz), c.index) << c.hz;
}

// The shape of a response is the same at every frequency; only its position changes. At 10 Hz
// and below only the upper half of the prototype shows.
TEST(BandResponseTest, ResponseMovesWithoutChangingShape) {
    struct Case {
        int code;
        float gain;
        float q;
    };
    const Case designs[] = {
        {1, 12.0f, 1.0f}, {2, -6.0f, 0.5f}, {3, 6.0f, 1.0f}, {109, 0, 0}, {212, 0, 0}};
    for (const Case& d : designs) {
        const ResponseArray at1k = Response(1000, d.gain, d.q, d.code);
        for (int hz : {10, 3, 0, -40}) {
            const ResponseArray low = Response(hz, d.gain, d.q, d.code);
            for (int k = 0; k <= kLast - 273; ++k) {
                ASSERT_EQ(low[k], at1k[273 + k]) << d.code << " " << hz << " " << k;
            }
        }
        const ResponseArray at20k = Response(20000, d.gain, d.q, d.code);
        for (int k = 0; k <= 273; ++k) {
            ASSERT_EQ(at20k[451 - k], at1k[273 - k]) << d.code << " " << k;
        }
    }
    EXPECT_NEAR(Response(10, 12.0f, 1.0f, 1)[0], 12.0f, 1e-4f);
    EXPECT_NEAR(Response(20000, 12.0f, 1.0f, 1)[451], 12.0f, 1e-4f);
}

// A frequency above 24 000 Hz puts the centre past the last grid point: only the grid is
// written, with the part of the prototype that falls on it.
TEST(BandResponseTest, CentreBeyondTheGridWritesOnlyTheGrid) {
    std::array<float, 1025> big;
    big.fill(7.0f);
    ASSERT_TRUE(BandResponse(big, 100000, 12.0f, 1.0f, 1));
    EXPECT_TRUE(std::all_of(big.begin() + ResponseGrid::PointCount, big.end(),
                            [](float v) { return v == 7.0f; }));
    const ResponseArray at1k = Response(1000, 12.0f, 1.0f, 1);
    for (int k = 0; k <= kLast; ++k) {
        const int step = std::max(231 + k - 547, 0);
        EXPECT_EQ(big[k], at1k[273 - 231 + step]) << k;
    }
    big.fill(7.0f);
    ASSERT_TRUE(BandResponse(big, INT_MAX, 12.0f, 1.0f, 3));
    EXPECT_TRUE(std::all_of(big.begin() + ResponseGrid::PointCount, big.end(),
                            [](float v) { return v == 7.0f; }));
}

TEST(BandResponseTest, LargestQValuesDrawAsSmallerOnes) {
    struct Case {
        float set;
        float drawn;
    };
    const Case cases[] = {{102.0f, 98.0f},    {108.0f, 100.0f}, {114.0f, 101.0f}, {121.0f, 102.0f},
                          {128.0f, 103.0f},   {96.0f, 96.0f},   {103.0f, 103.0f}, {98.0f, 98.0f},
                          {127.99f, 127.99f}, {0.4f, 0.4f}};
    for (const Case& c : cases) {
        EXPECT_EQ(QForDrawing(c.set), c.drawn) << c.set;
        // Drawn values are not substituted again (121 draws as 102, not as 98).
        PrototypeArray proto;
        PrototypeResponse(PeakingDesign(12.0f, c.drawn), PrototypeWarp::None, proto);
        ResponseArray expected;
        LayOntoGrid(proto, 273, expected.data());
        EXPECT_EQ(Response(1000, 12.0f, c.set, 1), expected) << c.set;
    }
    // The grid resolves the difference, so the substitution is visible.
    EXPECT_NE(Response(1000, 12.0f, 128.0f, 1), Response(1000, 12.0f, 121.0f, 1));
}

// Whatever the stored settings, the curve never holds an infinity or NaN: the summed curve
// is turned into pixel rows.
TEST(BandResponseTest, EveryDesignStaysFinite) {
    const int frequencies[] = {INT_MIN, 0, 19, 20, 1000, 20600, 24000, INT_MAX};
    const float gains[] = {-24.0f, -13.8f, 0.0f, 12.0f, NAN, INFINITY};
    const float qs[] = {0.4f, 1.0f, 1.6f, 4.0f, 128.0f, 0.0f, -0.01f, NAN};
    for (int code = 0; code <= 255; ++code) {
        for (int hz : frequencies) {
            for (float gain : gains) {
                for (float q : qs) {
                    ResponseArray r{};
                    BandResponse(r, hz, gain, q, static_cast<PointTypeCode>(code));
                    for (int k = 0; k <= kLast; ++k) {
                        ASSERT_TRUE(std::isfinite(r[k]))
                            << code << " " << hz << " " << gain << " " << q << " " << k;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace zt
