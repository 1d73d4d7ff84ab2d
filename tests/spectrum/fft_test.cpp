#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "noise.h"
#include "spectrum/fft.h"

namespace zt {
namespace {

using testing_support::Noise;

// The defining sum in double, with the exponent reduced modulo n to keep the angles exact.
std::vector<std::complex<double>> DirectDft(const std::vector<Complex>& x) {
    const std::size_t n = x.size();
    std::vector<std::complex<double>> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<double> sum = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            const double angle =
                -2.0 * std::numbers::pi * static_cast<double>(j * k % n) / static_cast<double>(n);
            sum += std::complex<double>(x[j].re, x[j].im) * std::polar(1.0, angle);
        }
        out[k] = sum;
    }
    return out;
}

// Largest deviation from the exact transform, relative to the output's root-mean-square level.
double RelativeError(const std::vector<Complex>& input, const std::vector<Complex>& output) {
    const std::vector<std::complex<double>> exact = DirectDft(input);
    double worst = 0.0;
    double power = 0.0;
    for (std::size_t k = 0; k < exact.size(); ++k) {
        worst =
            std::max(worst, std::abs(std::complex<double>(output[k].re, output[k].im) - exact[k]));
        power += std::norm(exact[k]);
    }
    return worst / std::sqrt(power / static_cast<double>(exact.size()));
}

TEST(FftFactorsTest, OrderOfTheRadices) {
    struct Case {
        std::size_t n;
        std::vector<std::size_t> factors;
    };
    const Case cases[] = {
        {0, {}},
        {1, {1}},
        {2, {2}},
        {6, {2, 3}},
        {14, {7, 2}},
        {16, {4, 4}},  // 8 x 2 becomes 4 x 4
        {20, {2, 10}},
        {48, {4, 3, 4}},  // the 8 before the 3 pairs with the trailing 2
        {128, {4, 4, 8}},
        {539, {11, 7, 7}},
        {1000, {10, 10, 10}},
        {1021, {1021}},
        {2048, {4, 8, 8, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(FftFactors(c.n), c.factors);
    }
}

// Each length picks out a kernel or a mix of them: 2 3 4 5 8 10 alone, 7 and 14 and 539 the
// general butterfly, 16 48 128 the merged 4 x 4, 20 two special passes, 1021 the largest prime,
// 2048 the spectrum's own length.
TEST(FftTest, MatchesTheDirectTransform) {
    struct Case {
        std::size_t n;
        double tolerance;
    };
    // Bounds about three times the errors seen; a wrong twiddle or order costs errors near 1.
    // The long recurrences for the twiddles and for the 1021-point sum dominate at large sizes.
    const Case cases[] = {
        {1, 1e-7},   {2, 1e-7},   {3, 2e-7},    {4, 1e-7},    {5, 4e-7},  {7, 4e-7},
        {8, 4e-7},   {10, 5e-7},  {14, 6e-7},   {16, 1e-6},   {20, 1e-6}, {48, 2e-6},
        {128, 3e-6}, {539, 2e-5}, {1021, 1e-4}, {2048, 3e-5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        const std::vector<Complex> input = Noise(c.n, static_cast<std::uint32_t>(c.n));
        std::vector<Complex> output(c.n);
        FFT(input, output, c.n);
        EXPECT_LT(RelativeError(input, output), c.tolerance);
    }
}

TEST(FftTest, ImpulseAndConstant) {
    for (const std::size_t n : {7u, 20u, 2048u}) {
        SCOPED_TRACE(n);
        const FftPlan plan(n);
        std::vector<Complex> impulse(n);
        impulse[0] = {1.0f, 0.0f};
        std::vector<Complex> out(n);
        plan.Transform(impulse, out);
        for (std::size_t k = 0; k < n; ++k) {
            EXPECT_FLOAT_EQ(out[k].re, 1.0f);
            EXPECT_FLOAT_EQ(out[k].im, 0.0f);
        }

        const std::vector<Complex> constant(n, Complex{1.0f, 0.0f});
        plan.Transform(constant, out);
        EXPECT_FLOAT_EQ(out[0].re, static_cast<float>(n));  // no normalisation
        EXPECT_FLOAT_EQ(out[0].im, 0.0f);
        for (std::size_t k = 1; k < n; ++k) EXPECT_LT(Magnitude(out[k]), 1e-4f * n);
    }
}

TEST(FftTest, InPlaceGivesTheSameNumbers) {
    for (const std::size_t n : {1u, 14u, 1021u, 2048u}) {
        SCOPED_TRACE(n);
        const std::vector<Complex> input = Noise(n, 7);
        std::vector<Complex> apart(n);
        FFT(input, apart, n);
        std::vector<Complex> same = input;
        FFT(same, same, n);
        EXPECT_EQ(same, apart);
    }
}

// Input and output that overlap without coinciding must not read already-written elements.
TEST(FftTest, OverlappingBuffersReadTheOriginalInput) {
    const std::size_t n = 20;
    std::vector<Complex> buffer = Noise(n + 5, 3);
    const std::vector<Complex> input(buffer.begin() + 5, buffer.end());
    std::vector<Complex> expected(n);
    FFT(input, expected, n);
    FFT(std::span<const Complex>(buffer).subspan(5), buffer, n);
    EXPECT_EQ(std::vector<Complex>(buffer.begin(), buffer.begin() + n), expected);
}

TEST(FftTest, LengthZeroDoesNothing) {
    std::vector<Complex> output(4, Complex{9.0f, 9.0f});
    FFT(std::span<const Complex>(), output, 0);
    EXPECT_EQ(output, std::vector<Complex>(4, Complex{9.0f, 9.0f}));
    FftPlan(0).Transform({}, {});
}

TEST(FftTest, TooLargeAPrimeFactorFailsWithoutWriting) {
    const std::string message =
        "Prime factor for FFT length too large. Change value for cMaxPrimeFactor in FFTs unit";
    // 2 x 1031, 1031 alone, and a prime far beyond anything the trial division should walk to.
    for (const std::size_t n :
         {std::size_t{2 * 1031}, std::size_t{1031}, (std::size_t{1} << 61) - 1}) {
        SCOPED_TRACE(n);
        const std::vector<Complex> input(2 * 1031, Complex{1.0f, 0.0f});
        std::vector<Complex> output(2 * 1031, Complex{9.0f, 9.0f});
        try {
            FFT(input, output, n);
            ADD_FAILURE() << "no error";
        } catch (const std::domain_error& error) {
            EXPECT_EQ(error.what(), message);
        }
        EXPECT_EQ(output, std::vector<Complex>(2 * 1031, Complex{9.0f, 9.0f}));
        EXPECT_THROW(FftPlan{n}, FftLengthError);
    }
}

TEST(FftTest, ShortBuffersAreRefusedBeforeWriting) {
    const FftPlan plan(8);
    const std::vector<Complex> input(8, Complex{1.0f, 0.0f});
    std::vector<Complex> output(7, Complex{9.0f, 9.0f});
    EXPECT_THROW(plan.Transform(input, output), std::invalid_argument);
    EXPECT_EQ(output, std::vector<Complex>(7, Complex{9.0f, 9.0f}));
    std::vector<Complex> enough(8);
    EXPECT_THROW(plan.Transform(std::span(input).first(7), enough), std::invalid_argument);
}

}  // namespace
}  // namespace zt
