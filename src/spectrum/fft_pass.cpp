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
inline Complex LoadElement<Complex>(const Complex* p) {
    return *p;
}
template <>
inline Pack LoadElement<Pack>(const Complex* p) {
    return Pack::Load(p);
}

inline void StoreElement(Complex value, Complex* p) {
    *p = value;
}
inline void StoreElement(Pack value, Complex* p) {
    value.Store(p);
}

// The first group of a pass is not turned; in a pack only its first lane belongs to it.
inline Complex Turn(Complex element, Complex twiddle, bool firstGroup) {
    return firstGroup ? element : element * twiddle;
}
inline Pack Turn(Pack element, Pack twiddle, bool firstGroup) {
    const Pack turned = element * twiddle;
    return firstGroup ? fft_kernels::KeepFirstLane(turned, element) : turned;
}

template <std::size_t R, class T>
inline void Butterfly(T* z) {
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
void SpecialGroups(const FftPass& pass, Complex* data, std::size_t gBegin, std::size_t gEnd) {
    const std::size_t s = pass.sofar;
    const std::size_t stride = s * R;
    for (std::size_t g = gBegin; g + kLanes<T> <= gEnd; g += kLanes<T>) {
        T w[R];
#pragma GCC unroll 16
        for (std::size_t k = 1; k < R; ++k) {
            w[k] = LoadElement<T>(pass.twiddles.data() + (k - 1) * s + g);
        }
        const bool firstGroup = g == 0;
        for (std::size_t b = 0; b < pass.remain; ++b) {
            Complex* block = data + g + b * stride;
            T z[R];
            z[0] = LoadElement<T>(block);
#pragma GCC unroll 16
            for (std::size_t k = 1; k < R; ++k) {
                z[k] = Turn(LoadElement<T>(block + k * s), w[k], firstGroup);
            }
            Butterfly<R>(z);
#pragma GCC unroll 16
            for (std::size_t k = 0; k < R; ++k) StoreElement(z[k], block + k * s);
        }
    }
}

template <std::size_t R>
void SpecialPass(const FftPass& pass, Complex* data) {
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
                x[k] = Turn(block[k * s], pass.twiddles[(k - 1) * s + g], g == 0);
            }
            fft_kernels::ButterflyGeneral(x.data(), y.data(), pass.trig.data(), r);
            for (std::size_t k = 0; k < r; ++k) block[k * s] = y[k];
        }
    }
}

// First pass: block b is output[b R .. b R + R-1], whose element k comes from
// input[permutation[b R] + k q]; digit reversal keeps a block's elements q apart in the input.
template <std::size_t R>
void SpecialFirstPass(const FftPass& pass, const std::size_t* permutation, const Complex* input,
                      Complex* output) {
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

FftPass MakeFftPass(std::size_t radix, std::size_t sofar, std::size_t remain) {
    FftPass pass{radix, sofar, remain, {}, {}};
    pass.twiddles.resize(sofar * (radix - 1));
    const Complex w = UnitRoot(sofar * radix);
    Complex omega{1.0f, 0.0f};
    for (std::size_t g = 0; g < sofar; ++g) {
        Complex power = omega;
        for (std::size_t k = 1; k < radix; ++k) {
            pass.twiddles[(k - 1) * sofar + g] = power;
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

void RunFirstFftPass(const FftPass& pass, const std::size_t* permutation, const Complex* input,
                     Complex* output) {
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

void RunFftPass(const FftPass& pass, Complex* data) {
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
