// The plan caches its tables, fuses the permutation into the first pass and runs neighbouring
// groups side by side, built for several instruction sets. None of that may change a single bit:
// this compares every build the processor can run with the transform done the plain way, tables
// recomputed per call by the same recurrences, one element at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "noise.h"
#include "spectrum/fft.h"
#include "spectrum/fft_butterflies.h"

namespace zt {
namespace {

using namespace fft_kernels;

Complex UnitRoot(std::size_t period) {
    const double angle = 2.0 * std::numbers::pi / static_cast<double>(period);
    return {static_cast<float>(std::cos(angle)), static_cast<float>(-std::sin(angle))};
}

void RunButterfly(std::vector<Complex>& z, const std::vector<Complex>& trig) {
    switch (z.size()) {
        case 2:
            return Butterfly2(z.data());
        case 3:
            return Butterfly3(z.data());
        case 4:
            return Butterfly4(z.data());
        case 5:
            return Butterfly5(z.data());
        case 8:
            return Butterfly8(z.data());
        case 10:
            return Butterfly10(z.data());
        default: {
            const std::vector<Complex> x = z;
            ButterflyGeneral(x.data(), z.data(), trig.data(), z.size());
        }
    }
}

std::vector<std::size_t> DigitReversal(std::size_t n, const std::vector<std::size_t>& f) {
    std::vector<std::size_t> remain(f.size() + 1, 0);
    remain[0] = n / f[0];
    for (std::size_t i = 1; i < f.size(); ++i) remain[i] = remain[i - 1] / f[i];
    std::vector<std::size_t> counter(f.size() + 1, 0);
    std::vector<std::size_t> from(n);
    std::size_t k = 0;
    for (std::size_t p = 0; p + 1 < n; ++p) {
        from[p] = k;
        k += remain[0];
        ++counter[0];
        for (std::size_t j = 0; counter[j] >= f[j]; ++j) {
            counter[j] = 0;
            k = k - f[j] * remain[j] + remain[j + 1];
            ++counter[j + 1];
        }
    }
    from[n - 1] = n - 1;
    return from;
}

std::vector<Complex> PlainFft(const std::vector<Complex>& input) {
    const std::size_t n = input.size();
    const std::vector<std::size_t> factors = FftFactors(n);
    const std::vector<std::size_t> from = DigitReversal(n, factors);
    std::vector<Complex> data(n);
    for (std::size_t p = 0; p < n; ++p) data[p] = input[from[p]];

    std::size_t sofar = 1;
    std::size_t remain = n;
    for (const std::size_t r : factors) {
        remain /= r;
        std::vector<Complex> trig(r);
        trig[0] = {1.0f, 0.0f};
        for (std::size_t k = 1; k < r; ++k) trig[k] = trig[k - 1] * UnitRoot(r);
        const Complex w = UnitRoot(sofar * r);
        Complex omega{1.0f, 0.0f};
        for (std::size_t g = 0; g < sofar; ++g) {
            if (g > 0) omega = omega * w;
            std::vector<Complex> powers(r);
            powers[1 % r] = omega;
            for (std::size_t k = 2; k < r; ++k) powers[k] = powers[k - 1] * omega;
            for (std::size_t b = 0; b < remain; ++b) {
                std::vector<Complex> z(r);
                for (std::size_t k = 0; k < r; ++k) {
                    const Complex x = data[g + b * sofar * r + k * sofar];
                    z[k] = (g == 0 || k == 0) ? x : x * powers[k];
                }
                RunButterfly(z, trig);
                for (std::size_t k = 0; k < r; ++k) data[g + b * sofar * r + k * sofar] = z[k];
            }
        }
        sofar *= r;
    }
    return data;
}

// Bit patterns, so that a zero of the wrong sign counts as a difference.
bool SameBits(const std::vector<Complex>& a, const std::vector<Complex>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Complex)) == 0;
}

// Every instruction set this processor has; the plain one always.
std::vector<FftInstructionSet> AvailableSets() {
    std::vector<FftInstructionSet> sets;
    for (const FftInstructionSet set :
         {FftInstructionSet::kPlain, FftInstructionSet::kAvx, FftInstructionSet::kAvx512}) {
        if (set <= WidestFftInstructionSet()) sets.push_back(set);
    }
    return sets;
}

TEST(FftPlanTest, SameBitsAsThePlainTransform) {
    // Odd and even group counts, every special radix in a later pass, general radices first and
    // later, and the spectrum's length.
    for (const std::size_t n :
         {2u, 6u, 12u, 14u, 30u, 48u, 80u, 90u, 100u, 150u, 539u, 1000u, 1344u, 2048u, 3 * 1021u}) {
        // Negative zeros show whether the first group is left unturned as it should be: a turn
        // by exactly 1 would make some of them positive.
        for (const std::vector<Complex>& input :
             {testing_support::Noise(n, static_cast<std::uint32_t>(n)),
              std::vector<Complex>(n, Complex{-0.0f, -0.0f})}) {
            const std::vector<Complex> expected = PlainFft(input);
            for (const FftInstructionSet set : AvailableSets()) {
                SCOPED_TRACE(testing::Message() << "n " << n << ", set " << static_cast<int>(set));
                const FftPlan plan(n, set);
                std::vector<Complex> output(n);
                plan.Transform(input, output);
                EXPECT_TRUE(SameBits(output, expected));
            }
        }
    }
}

}  // namespace
}  // namespace zt
