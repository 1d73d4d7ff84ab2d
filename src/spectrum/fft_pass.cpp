#include "spectrum/fft_pass.h"

#include <array>
#include <cmath>
#include <numbers>

#include "spectrum/fft_butterflies.h"
#include "spectrum/fft_factors.h"

namespace zt {

namespace {

// e^(-2 pi i / period) rounded to float: the seed of every twiddle recurrence.
Complex UnitRoot(std::size_t period) {
    const double angle = 2.0 * std::numbers::pi / static_cast<double>(period);
    return {static_cast<float>(std::cos(angle)), static_cast<float>(-std::sin(angle))};
}

}  // namespace

bool IsSpecialFftRadix(std::size_t radix) {
    return radix == 2 || radix == 3 || radix == 4 || radix == 5 || radix == 8 || radix == 10;
}

FftInstructionSet WidestFftInstructionSet() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return FftInstructionSet::kAvx512;
    if (__builtin_cpu_supports("avx")) return FftInstructionSet::kAvx;
#endif
    return FftInstructionSet::kPlain;
}

FftPass MakeFftPass(std::size_t radix, std::size_t sofar, std::size_t remain) {
    FftPass pass{radix, sofar, remain, {}, {}, {}};
    pass.twiddleRe.resize(2 * sofar * (radix - 1));
    pass.twiddleIm.resize(2 * sofar * (radix - 1));
    const Complex w = UnitRoot(sofar * radix);
    Complex omega{1.0f, 0.0f};
    for (std::size_t g = 0; g < sofar; ++g) {
        Complex power = omega;
        for (std::size_t k = 1; k < radix; ++k) {
            const std::size_t at = (k - 1) * sofar + g;
            pass.twiddleRe[2 * at] = power.re;
            pass.twiddleRe[2 * at + 1] = power.re;
            pass.twiddleIm[2 * at] = -power.im;
            pass.twiddleIm[2 * at + 1] = power.im;
            power = power * omega;
        }
        omega = omega * w;
    }
    if (!IsSpecialFftRadix(radix)) {
        const Complex root = UnitRoot(radix);
        Complex power{1.0f, 0.0f};
        for (std::size_t k = 0; k < radix; ++k) {
            pass.trig.push_back(power);
            power = power * root;
        }
    }
    return pass;
}

void RunGeneralFftPass(const FftPass& pass, Complex* data) {
    std::array<Complex, cMaxPrimeFactor> x;
    std::array<Complex, cMaxPrimeFactor> y;
    const std::size_t r = pass.radix;
    const std::size_t s = pass.sofar;
    for (std::size_t g = 0; g < s; ++g) {
        for (std::size_t b = 0; b < pass.remain; ++b) {
            Complex* block = data + g + b * s * r;
            x[0] = block[0];
            for (std::size_t k = 1; k < r; ++k) {
                const std::size_t at = (k - 1) * s + g;
                const Complex twiddle{static_cast<float>(pass.twiddleRe[2 * at]),
                                      static_cast<float>(pass.twiddleIm[2 * at + 1])};
                x[k] = (g == 0) ? block[k * s] : block[k * s] * twiddle;
            }
            fft_kernels::ButterflyGeneral(x.data(), y.data(), pass.trig.data(), r);
            for (std::size_t k = 0; k < r; ++k) block[k * s] = y[k];
        }
    }
}

}  // namespace zt
