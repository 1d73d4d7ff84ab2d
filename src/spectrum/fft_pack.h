#pragma once
// Four neighbouring complex elements handled as one: the FFT passes run the butterflies on the
// elements of adjacent groups (or blocks) side by side. Each lane goes through exactly the
// operations the single-Complex versions in fft_butterflies.h perform, double steps included,
// so a pack yields the same bits as four separate calls.
//
// Vector values only cross function boundaries wrapped in Pack, and every function is inlined,
// so no call ever depends on how the instruction set passes wide vectors.

#include <cstring>

#include "spectrum/complex.h"
#include "spectrum/fft_butterflies.h"

namespace zt::fft_kernels {

struct Pack {
    using Floats = float __attribute__((vector_size(32)));    // re0 im0 re1 im1 .. re3 im3
    using Doubles = double __attribute__((vector_size(64)));  // the same, widened

    Floats v;

    static constexpr std::size_t kLanes = 4;

    ZT_FFT_INLINE static Pack Load(const Complex* p) {
        Pack pack;
        std::memcpy(&pack.v, p, sizeof pack.v);
        return pack;
    }

    ZT_FFT_INLINE void Store(Complex* p) const { std::memcpy(static_cast<void*>(p), &v, sizeof v); }

    // Elements that do not lie side by side.
    ZT_FFT_INLINE static Pack Gather(Complex a, Complex b, Complex c, Complex d) {
        return {Floats{a.re, a.im, b.re, b.im, c.re, c.im, d.re, d.im}};
    }

    ZT_FFT_INLINE void Scatter(Complex* a, Complex* b, Complex* c, Complex* d) const {
        *a = {v[0], v[1]};
        *b = {v[2], v[3]};
        *c = {v[4], v[5]};
        *d = {v[6], v[7]};
    }
};

namespace pack_detail {

inline constexpr Pack::Floats kConjugate = {1.0f, -1.0f, 1.0f, -1.0f, 1.0f, -1.0f, 1.0f, -1.0f};
inline constexpr Pack::Doubles kConjugateWide = {1.0, -1.0, 1.0, -1.0, 1.0, -1.0, 1.0, -1.0};
inline constexpr Pack::Doubles kNegatedRe = {-1.0, 1.0, -1.0, 1.0, -1.0, 1.0, -1.0, 1.0};

// re and im of each lane exchanged.
ZT_FFT_INLINE Pack Swapped(Pack a) {
    return {__builtin_shufflevector(a.v, a.v, 1, 0, 3, 2, 5, 4, 7, 6)};
}

}  // namespace pack_detail

// The steps in double widen and narrow inside each function. Widening element by element
// (rather than with __builtin_convertvector) lets the compiler use full-width conversions.
#define ZT_WIDEN(pack)                                                                             \
    Pack::Doubles {                                                                                \
        (pack).v[0], (pack).v[1], (pack).v[2], (pack).v[3], (pack).v[4], (pack).v[5], (pack).v[6], \
            (pack).v[7]                                                                            \
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
    return {pack_detail::Swapped(a).v * pack_detail::kConjugate};
}

ZT_FFT_INLINE Pack Scaled(float factor, Pack a) {
    return {factor * a.v};
}

ZT_FFT_INLINE Pack AddScaled(Pack base, float factor, Pack value) {
    return ZT_NARROW(ZT_WIDEN(base) + static_cast<double>(factor) * ZT_WIDEN(value));
}

ZT_FFT_INLINE Pack ScaledSum(float factor, Pack a, Pack b) {
    return ZT_NARROW(static_cast<double>(factor) * (ZT_WIDEN(a) + ZT_WIDEN(b)));
}

ZT_FFT_INLINE Pack ScaledDifference(float factor, Pack a, Pack b) {
    return ZT_NARROW(static_cast<double>(factor) * (ZT_WIDEN(a) - ZT_WIDEN(b)));
}

// The parts of each lane exchanged, in double.
ZT_FFT_INLINE void SwapWide(const Pack::Doubles& in, Pack::Doubles& out) {
    out = __builtin_shufflevector(in, in, 1, 0, 3, 2, 5, 4, 7, 6);
}

// c8 (re + im), c8 (im - re) per lane.
ZT_FFT_INLINE Pack TurnOneEighth(Pack a) {
    const Pack::Doubles wide = ZT_WIDEN(a);
    Pack::Doubles swapped;
    SwapWide(wide, swapped);
    return ZT_NARROW(static_cast<double>(c8) * (wide + pack_detail::kConjugateWide * swapped));
}

// c8 (im - re), -(c8 (re + im)) per lane.
ZT_FFT_INLINE Pack TurnThreeEighths(Pack a) {
    const Pack::Doubles wide = ZT_WIDEN(a);
    Pack::Doubles swapped;
    SwapWide(wide, swapped);
    const Pack turned =
        ZT_NARROW(static_cast<double>(c8) * (swapped + pack_detail::kNegatedRe * wide));
    return {turned.v * pack_detail::kConjugate};
}

// Spread twiddles for four lanes, widened: (w.re, w.re) and (-w.im, w.im) per lane.
struct WideTwiddle {
    Pack::Doubles re;
    Pack::Doubles im;

    ZT_FFT_INLINE static WideTwiddle Load(const double* re, const double* im) {
        WideTwiddle w;
        std::memcpy(&w.re, re, sizeof w.re);
        std::memcpy(&w.im, im, sizeof w.im);
        return w;
    }
};

// The complex product per lane: re = a.re w.re - a.im w.im, im = a.im w.re + a.re w.im, each
// a sum of two exact double products rounded in double, then to float.
ZT_FFT_INLINE Pack Turned(Pack a, const WideTwiddle& w) {
    const Pack::Doubles wide = ZT_WIDEN(a);
    Pack::Doubles swapped;
    SwapWide(wide, swapped);
    return ZT_NARROW(wide * w.re + swapped * w.im);
}

#undef ZT_WIDEN
#undef ZT_NARROW

// The first lane of `original` with the other lanes of `turned`.
ZT_FFT_INLINE Pack KeepFirstLane(Pack turned, Pack original) {
    return {__builtin_shufflevector(original.v, turned.v, 0, 1, 10, 11, 12, 13, 14, 15)};
}

}  // namespace zt::fft_kernels
