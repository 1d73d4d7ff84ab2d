#include "spectrum/fft_pass.h"

#include <array>
#include <cmath>
#include <numbers>

#include "spectrum/fft_butterflies.h"
#include "spectrum/fft_factors.h"
#include "spectrum/fft_pack.h"

namespace zt {

namespace {

using fft_kernels::Pack;

// e^(-2 pi i / period) rounded to float: the seed of every twiddle recurrence.
Complex UnitRoot(std::size_t period) {
    const double angle = 2.0 * std::numbers::pi / static_cast<double>(period);
    return {static_cast<float>(std::cos(angle)), static_cast<float>(-std::sin(angle))};
}

bool IsSpecialRadix(std::size_t radix) {
    return radix == 2 || radix == 3 || radix == 4 || radix == 5 || radix == 8 || radix == 10;
}

// Elements are single Complex values or packs of neighbouring ones.
template <class T>
constexpr std::size_t kLanes = 1;
template <>
constexpr std::size_t kLanes<Pack> = Pack::kLanes;

template <class T>
T LoadElement(const Complex* p);
template <>
ZT_FFT_INLINE Complex LoadElement<Complex>(const Complex* p) {
    return *p;
}
template <>
ZT_FFT_INLINE Pack LoadElement<Pack>(const Complex* p) {
    return Pack::Load(p);
}

ZT_FFT_INLINE void StoreElement(Complex value, Complex* p) {
    *p = value;
}
ZT_FFT_INLINE void StoreElement(Pack value, Complex* p) {
    value.Store(p);
}

// The first group of a pass is not turned; in a pack only its first lane belongs to it.
ZT_FFT_INLINE Complex Turn(Complex element, Complex wRe, Complex wIm, bool firstGroup) {
    return firstGroup ? element : element * Complex{wRe.re, wIm.im};
}
ZT_FFT_INLINE Pack Turn(Pack element, Pack wRe, Pack wIm, bool firstGroup) {
    const Pack turned = fft_kernels::Turned(element, wRe, wIm);
    return firstGroup ? fft_kernels::KeepFirstLane(turned, element) : turned;
}

template <std::size_t R, class T>
ZT_FFT_INLINE void Butterfly(T* z) {
    using namespace fft_kernels;
    if constexpr (R == 2) Butterfly2(z);
    if constexpr (R == 3) Butterfly3(z);
    if constexpr (R == 4) Butterfly4(z);
    if constexpr (R == 5) Butterfly5(z);
    if constexpr (R == 8) Butterfly8(z);
    if constexpr (R == 10) Butterfly10(z);
}

// Groups [gBegin, gEnd) of a later pass of special radix R, kLanes<T> groups at a time.
template <std::size_t R, class T>
ZT_FFT_INLINE void SpecialGroups(const FftPass& pass, Complex* data, std::size_t gBegin,
                                 std::size_t gEnd) {
    const std::size_t s = pass.sofar;
    const std::size_t stride = s * R;
    for (std::size_t g = gBegin; g + kLanes<T> <= gEnd; g += kLanes<T>) {
        T wRe[R];
        T wIm[R];
#pragma GCC unroll 16
        for (std::size_t k = 1; k < R; ++k) {
            wRe[k] = LoadElement<T>(pass.twiddleRe.data() + (k - 1) * s + g);
            wIm[k] = LoadElement<T>(pass.twiddleIm.data() + (k - 1) * s + g);
        }
        const bool firstGroup = g == 0;
        for (std::size_t b = 0; b < pass.remain; ++b) {
            Complex* block = data + g + b * stride;
            T z[R];
            z[0] = LoadElement<T>(block);
#pragma GCC unroll 16
            for (std::size_t k = 1; k < R; ++k) {
                z[k] = Turn(LoadElement<T>(block + k * s), wRe[k], wIm[k], firstGroup);
            }
            Butterfly<R>(z);
#pragma GCC unroll 16
            for (std::size_t k = 0; k < R; ++k) StoreElement(z[k], block + k * s);
        }
    }
}

template <std::size_t R>
ZT_FFT_INLINE void SpecialPass(const FftPass& pass, Complex* data) {
    const std::size_t packed = pass.sofar - pass.sofar % Pack::kLanes;
    SpecialGroups<R, Pack>(pass, data, 0, packed);
    SpecialGroups<R, Complex>(pass, data, packed, pass.sofar);
}

void GeneralPass(const FftPass& pass, Complex* data) {
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
                x[k] = Turn(block[k * s], pass.twiddleRe[at], pass.twiddleIm[at], g == 0);
            }
            fft_kernels::ButterflyGeneral(x.data(), y.data(), pass.trig.data(), r);
            for (std::size_t k = 0; k < r; ++k) block[k * s] = y[k];
        }
    }
}

// First pass: block b is output[b R .. b R + R-1], whose element k comes from
// input[permutation[b R] + k q]; digit reversal keeps a block's elements q apart in the input.
template <std::size_t R>
ZT_FFT_INLINE void SpecialFirstPass(const FftPass& pass, const std::size_t* permutation,
                                    const Complex* input, Complex* output) {
    const std::size_t q = pass.remain;
    std::size_t b = 0;
    for (; b + 2 <= q; b += 2) {
        const Complex* from0 = input + permutation[b * R];
        const Complex* from1 = input + permutation[(b + 1) * R];
        Pack z[R];
#pragma GCC unroll 16
        for (std::size_t k = 0; k < R; ++k) z[k] = Pack::Pair(from0[k * q], from1[k * q]);
        Butterfly<R>(z);
#pragma GCC unroll 16
        for (std::size_t k = 0; k < R; ++k)
            z[k].StorePair(output + b * R + k, output + (b + 1) * R + k);
    }
    for (; b < q; ++b) {
        const Complex* from = input + permutation[b * R];
        Complex z[R];
        for (std::size_t k = 0; k < R; ++k) z[k] = from[k * q];
        Butterfly<R>(z);
        for (std::size_t k = 0; k < R; ++k) output[b * R + k] = z[k];
    }
}

}  // namespace

// The passes are built twice, for processors with AVX2 and for any x86-64, and the loader picks
// one. Everything they call for the special radices is inlined into each build; the lanes do
// the same arithmetic either way, only the instructions differ.
#if defined(__x86_64__) && !defined(ZT_FFT_NO_CLONES)
#define ZT_FFT_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ZT_FFT_CLONES
#endif

FftPass MakeFftPass(std::size_t radix, std::size_t sofar, std::size_t remain) {
    FftPass pass{radix, sofar, remain, {}, {}, {}};
    pass.twiddleRe.resize(sofar * (radix - 1));
    pass.twiddleIm.resize(sofar * (radix - 1));
    const Complex w = UnitRoot(sofar * radix);
    Complex omega{1.0f, 0.0f};
    for (std::size_t g = 0; g < sofar; ++g) {
        Complex power = omega;
        for (std::size_t k = 1; k < radix; ++k) {
            const std::size_t at = (k - 1) * sofar + g;
            pass.twiddleRe[at] = {power.re, power.re};
            pass.twiddleIm[at] = {-power.im, power.im};
            power = power * omega;
        }
        omega = omega * w;
    }
    if (!IsSpecialRadix(radix)) {
        const Complex root = UnitRoot(radix);
        Complex power{1.0f, 0.0f};
        for (std::size_t k = 0; k < radix; ++k) {
            pass.trig.push_back(power);
            power = power * root;
        }
    }
    return pass;
}

ZT_FFT_CLONES void RunFirstFftPass(const FftPass& pass, const std::size_t* permutation,
                                   const Complex* input, Complex* output) {
    switch (pass.radix) {
        case 2:
            return SpecialFirstPass<2>(pass, permutation, input, output);
        case 3:
            return SpecialFirstPass<3>(pass, permutation, input, output);
        case 4:
            return SpecialFirstPass<4>(pass, permutation, input, output);
        case 5:
            return SpecialFirstPass<5>(pass, permutation, input, output);
        case 8:
            return SpecialFirstPass<8>(pass, permutation, input, output);
        case 10:
            return SpecialFirstPass<10>(pass, permutation, input, output);
        default:
            for (std::size_t p = 0; p < pass.radix * pass.remain; ++p) {
                output[p] = input[permutation[p]];
            }
            return GeneralPass(pass, output);
    }
}

ZT_FFT_CLONES void RunFftPass(const FftPass& pass, Complex* data) {
    switch (pass.radix) {
        case 2:
            return SpecialPass<2>(pass, data);
        case 3:
            return SpecialPass<3>(pass, data);
        case 4:
            return SpecialPass<4>(pass, data);
        case 5:
            return SpecialPass<5>(pass, data);
        case 8:
            return SpecialPass<8>(pass, data);
        case 10:
            return SpecialPass<10>(pass, data);
        default:
            return GeneralPass(pass, data);
    }
}

}  // namespace zt
