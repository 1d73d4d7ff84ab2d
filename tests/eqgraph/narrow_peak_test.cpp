// Narrow peaking bands against the response formula evaluated with exactly the stated roundings
// (coefficients, squared sums, cross terms, phi and the result as floats; the product of the
// outer coefficients unrounded; logarithms in extended precision). At the centre of a high-Q
// band the terms nearly cancel, so a rounded product would show there first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "eqgraph/band_response.h"
#include "eqgraph/biquad_designs.h"

namespace zt {
namespace {

constexpr int kCentreIndex = 273;  // 1000 Hz
constexpr int kCentreStep = 231;

long double Power(float c0, float c1, float c2, float phi) {
    const long double product = static_cast<long double>(c0) * c2;
    const float cross = static_cast<float>(static_cast<long double>(c1) * (c0 + c2) + 4 * product);
    const long double sum = static_cast<long double>(c0) + c1 + c2;
    const float sumSq = static_cast<float>(sum * sum);
    return phi * (product * phi - cross) + sumSq;
}

// The peaking prototype at step j, by the formula.
float ReferencePeak(const Biquad& d, int step) {
    const double w = step * std::numbers::pi / 462;
    const double s = 2.0 * std::sin(w / 2.0);
    const float phi = static_cast<float>(s * s);
    return static_cast<float>(10.0L * std::log10(Power(d.b0, d.b1, d.b2, phi)) -
                              10.0L * std::log10(Power(d.a0, d.a1, d.a2, phi)));
}

TEST(NarrowPeakTest, HighQBandsFollowTheFormulaAtEveryPoint) {
    struct Case {
        float gain;
        float q;  // as stored; drawn with QForDrawing
    };
    for (const Case c :
         {Case{-24.0f, 128.0f}, Case{12.0f, 128.0f}, Case{-24.0f, 96.0f}, Case{6.0f, 40.0f}}) {
        ResponseArray r;
        ASSERT_TRUE(BandResponse(r, 1000, c.gain, c.q, kPointPeaking));
        const Biquad d = PeakingDesign(c.gain, QForDrawing(c.q));
        for (int k = 0; k < ResponseGrid::PointCount; ++k) {
            const int step = std::clamp(kCentreStep + k - kCentreIndex, 0, 461);
            ASSERT_NEAR(r[k], ReferencePeak(d, step), 0.001f)
                << "gain " << c.gain << " Q " << c.q << " index " << k;
        }
    }
}

TEST(NarrowPeakTest, DeepNarrowCutReadsItsFormulaValueAtTheCentre) {
    // A float product of b0 b2 and a0 a2 would move this point by about 0.27 dB.
    ResponseArray r;
    ASSERT_TRUE(BandResponse(r, 1000, -24.0f, 128.0f, kPointPeaking));
    const Biquad d = PeakingDesign(-24.0f, QForDrawing(128.0f));
    EXPECT_NEAR(r[kCentreIndex], ReferencePeak(d, kCentreStep), 1e-4f);
    const float roundedProduct = [&] {
        auto power = [](float c0, float c1, float c2, float phi) {
            const float product = c0 * c2;
            const float cross =
                static_cast<float>(static_cast<double>(c1) * (c0 + c2) + 4.0 * product);
            const double sum = static_cast<double>(c0) + c1 + c2;
            return phi * (static_cast<double>(product) * phi - cross) +
                   static_cast<float>(sum * sum);
        };
        return static_cast<float>(10 * std::log10(power(d.b0, d.b1, d.b2, 2.0f)) -
                                  10 * std::log10(power(d.a0, d.a1, d.a2, 2.0f)));
    }();
    EXPECT_GT(std::abs(roundedProduct - r[kCentreIndex]), 0.1f)
        << "the case no longer tells a rounded product from an unrounded one";
}

}  // namespace
}  // namespace zt
