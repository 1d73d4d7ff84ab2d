#pragma once
// Two neighbouring complex elements handled as one: the FFT passes run the butterflies on the
// elements of adjacent groups side by side. Each lane goes through exactly the operations the
// single-Complex versions in fft_butterflies.h perform, double steps included, so a pack yields
// the same bits as two separate calls.

#include <cstring>

#include "spectrum/complex.h"
#include "spectrum/fft_butterflies.h"

namespace zt::fft_kernels {

struct Pack {
    using Floats = float __attribute__((vector_size(16)));    // re0 im0 re1 im1
    using Doubles = double __attribute__((vector_size(32)));  // the same, widened

    Floats v;

    static constexpr std::size_t kLanes = 2;

    static Pack Load(const Complex* p) {
        Pack pack;
        std::memcpy(&pack.v, p, sizeof pack.v);
        return pack;
    }

    void Store(Complex* p) const { std::memcpy(static_cast<void*>(p), &v, sizeof v); }

    // Elements that do not lie side by side.
    static Pack Pair(Complex first, Complex second) {
        return {Floats{first.re, first.im, second.re, second.im}};
    }

    void StorePair(Complex* first, Complex* second) const {
        *first = {v[0], v[1]};
        *second = {v[2], v[3]};
    }
};

namespace pack_detail {

// re and im of each lane exchanged.
ZT_FFT_INLINE Pack::Floats Swapped(Pack::Floats a) {
    return __builtin_shufflevector(a, a, 1, 0, 3, 2);
}

inline constexpr Pack::Floats kConjugate = {1.0f, -1.0f, 1.0f, -1.0f};

}  // namespace pack_detail

// The steps in double convert inside each function: 32-byte double vectors never cross a call,
// whose passing convention would depend on the instruction set. Widening element by element
// (rather than __builtin_convertvector) lets the compiler use one full-width conversion.
#define ZT_WIDEN(floats)                                   \
    Pack::Doubles {                                        \
        (floats)[0], (floats)[1], (floats)[2], (floats)[3] \
    }
#define ZT_NARROW(doubles)                               \
    Pack {                                               \
        __builtin_convertvector((doubles), Pack::Floats) \
    }

ZT_FFT_INLINE Pack operator+(Pack a, Pack b) {
    return {a.v + b.v};
}

ZT_FFT_INLINE Pack operator-(Pack a, Pack b) {
    return {a.v - b.v};
}

ZT_FFT_INLINE Pack MinusI(Pack a) {
    return {pack_detail::Swapped(a.v) * pack_detail::kConjugate};
}

ZT_FFT_INLINE Pack Scaled(float factor, Pack a) {
    return {factor * a.v};
}

ZT_FFT_INLINE Pack AddScaled(Pack base, float factor, Pack value) {
    return ZT_NARROW(ZT_WIDEN(base.v) + static_cast<double>(factor) * ZT_WIDEN(value.v));
}

ZT_FFT_INLINE Pack ScaledSum(float factor, Pack a, Pack b) {
    return ZT_NARROW(static_cast<double>(factor) * (ZT_WIDEN(a.v) + ZT_WIDEN(b.v)));
}

ZT_FFT_INLINE Pack ScaledDifference(float factor, Pack a, Pack b) {
    return ZT_NARROW(static_cast<double>(factor) * (ZT_WIDEN(a.v) - ZT_WIDEN(b.v)));
}

// c8 (re + im), c8 (im - re) per lane.
ZT_FFT_INLINE Pack TurnOneEighth(Pack a) {
    const Pack::Doubles sign = {1.0, -1.0, 1.0, -1.0};
    const Pack::Floats swapped = pack_detail::Swapped(a.v);
    return ZT_NARROW(static_cast<double>(c8) * (ZT_WIDEN(a.v) + sign * ZT_WIDEN(swapped)));
}

// c8 (im - re), -(c8 (re + im)) per lane.
ZT_FFT_INLINE Pack TurnThreeEighths(Pack a) {
    const Pack::Doubles sign = {-1.0, 1.0, -1.0, 1.0};
    const Pack::Floats swapped = pack_detail::Swapped(a.v);
    const Pack turned =
        ZT_NARROW(static_cast<double>(c8) * (ZT_WIDEN(swapped) + sign * ZT_WIDEN(a.v)));
    return {turned.v * pack_detail::kConjugate};
}

// The complex product per lane: re = a.re w.re - a.im w.im, im = a.im w.re + a.re w.im, each
// a sum of two exact double products rounded in double, then to float. The twiddles come
// spread as (w.re, w.re) and (-w.im, w.im) per lane.
ZT_FFT_INLINE Pack Turned(Pack a, Pack wRe, Pack wIm) {
    const Pack::Floats swapped = pack_detail::Swapped(a.v);
    return ZT_NARROW(ZT_WIDEN(a.v) * ZT_WIDEN(wRe.v) + ZT_WIDEN(swapped) * ZT_WIDEN(wIm.v));
}

#undef ZT_WIDEN
#undef ZT_NARROW

// The first lane of `original` with the other lanes of `turned`.
ZT_FFT_INLINE Pack KeepFirstLane(Pack turned, Pack original) {
    return {__builtin_shufflevector(original.v, turned.v, 0, 1, 6, 7)};
}

}  // namespace zt::fft_kernels
