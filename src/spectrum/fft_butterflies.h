#pragma once
// The butterfly kernels of the mixed-radix FFT. Each transforms a short block z[0 .. r-1] in
// place: z[k] <- sum_j z[j] e^(-2 pi i jk / r). Every named intermediate is a 32-bit float;
// expressions that combine more than one operation are evaluated in double and rounded when
// stored, as the complex operations do.
//
// The kernels are written once for any element type T that offers the operations below: a
// single Complex, or a pack of neighbouring groups' elements (fft_pack.h) that goes through the
// same steps lane by lane and so yields the same numbers.

#include <cstddef>

#include "spectrum/complex.h"

// The kernels are small and run millions of times; a call per block would cost more than
// the arithmetic.
#define ZT_FFT_INLINE [[gnu::always_inline]] inline

namespace zt::fft_kernels {

// cos(2 pi/3) - 1 and sin(2 pi/3).
inline constexpr float c3_1 = -1.5f;
inline constexpr float c3_2 = 0.8660254f;
// (cos 2 pi/5 + cos 4 pi/5)/2 - 1, (cos 2 pi/5 - cos 4 pi/5)/2, -sin 2 pi/5,
// -(sin 2 pi/5 + sin 4 pi/5), sin 2 pi/5 - sin 4 pi/5.
inline constexpr float c5_1 = -1.25f;
inline constexpr float c5_2 = 0.559017f;
inline constexpr float c5_3 = -0.9510565f;
inline constexpr float c5_4 = -1.5388417f;
inline constexpr float c5_5 = 0.3632713f;
// 1 / sqrt 2.
inline constexpr float c8 = 0.7071068f;

// The element operations for a single Complex.

// -i * a, by swapping parts.
inline Complex MinusI(Complex a) {
    return {a.im, -a.re};
}

// factor * a; one rounding per part, so float arithmetic is already exact enough.
inline Complex Scaled(float factor, Complex a) {
    return {factor * a.re, factor * a.im};
}

// base + factor * value per part, rounded once.
inline Complex AddScaled(Complex base, float factor, Complex value) {
    const double f = factor;
    return {static_cast<float>(base.re + f * value.re), static_cast<float>(base.im + f * value.im)};
}

// factor * (a + b) and factor * (a - b) per part, rounded once.
inline Complex ScaledSum(float factor, Complex a, Complex b) {
    const double f = factor;
    return {static_cast<float>(f * (static_cast<double>(a.re) + b.re)),
            static_cast<float>(f * (static_cast<double>(a.im) + b.im))};
}

inline Complex ScaledDifference(float factor, Complex a, Complex b) {
    const double f = factor;
    return {static_cast<float>(f * (static_cast<double>(a.re) - b.re)),
            static_cast<float>(f * (static_cast<double>(a.im) - b.im))};
}

// c8 (1 - i) a and -c8 (1 + i) a: the turns by e^(-2 pi i/8) and e^(-6 pi i/8).
inline Complex TurnOneEighth(Complex a) {
    const double f = c8;
    return {static_cast<float>(f * (static_cast<double>(a.re) + a.im)),
            static_cast<float>(f * (static_cast<double>(a.im) - a.re))};
}

inline Complex TurnThreeEighths(Complex a) {
    const double f = c8;
    return {static_cast<float>(f * (static_cast<double>(a.im) - a.re)),
            -static_cast<float>(f * (static_cast<double>(a.re) + a.im))};
}

// The kernels.

template <class T>
ZT_FFT_INLINE void Butterfly2(T* z) {
    const T x0 = z[0];
    z[0] = x0 + z[1];
    z[1] = x0 - z[1];
}

template <class T>
ZT_FFT_INLINE void Butterfly3(T* z) {
    const T t1 = z[1] + z[2];
    const T t2 = z[1] - z[2];
    z[0] = z[0] + t1;
    const T m1 = AddScaled(z[0], c3_1, t1);
    const T m2 = MinusI(Scaled(c3_2, t2));
    z[1] = m1 + m2;
    z[2] = m1 - m2;
}

template <class T>
ZT_FFT_INLINE void Butterfly4(T* z) {
    const T t1 = z[0] + z[2];
    const T t2 = z[1] + z[3];
    const T m2 = z[0] - z[2];
    const T m3 = MinusI(z[1] - z[3]);
    z[0] = t1 + t2;
    z[2] = t1 - t2;
    z[1] = m2 + m3;
    z[3] = m2 - m3;
}

template <class T>
ZT_FFT_INLINE void Butterfly5(T* z) {
    const T t1 = z[1] + z[4];
    const T t2 = z[2] + z[3];
    const T t3 = z[1] - z[4];
    const T t4 = z[3] - z[2];
    const T t5 = t1 + t2;
    z[0] = z[0] + t5;
    const T m1 = Scaled(c5_1, t5);
    const T m2 = ScaledDifference(c5_2, t1, t2);
    const T m3 = ScaledSum(c5_3, t3, t4);
    const T m4 = Scaled(c5_4, t4);
    const T m5 = Scaled(c5_5, t3);
    // i * (m3 - m4) and i * (m3 + m5), each written as minus -i times it.
    const T s3 = MinusI(m3 - m4);
    const T s5 = MinusI(m3 + m5);
    const T s1 = z[0] + m1;
    const T s2 = s1 + m2;
    const T s4 = s1 - m2;
    z[1] = s2 - s3;
    z[2] = s4 - s5;
    z[3] = s4 + s5;
    z[4] = s2 + s3;
}

// Even and odd halves through radix 4, the odd results turned by e^(-2 pi i k/8) and combined.
template <class T>
ZT_FFT_INLINE void Butterfly8(T* z) {
    T even[4] = {z[0], z[2], z[4], z[6]};
    T odd[4] = {z[1], z[3], z[5], z[7]};
    Butterfly4(even);
    Butterfly4(odd);
    odd[1] = TurnOneEighth(odd[1]);
    odd[2] = MinusI(odd[2]);
    odd[3] = TurnThreeEighths(odd[3]);
    z[0] = even[0] + odd[0];
    z[4] = even[0] - odd[0];
    z[1] = even[1] + odd[1];
    z[5] = even[1] - odd[1];
    z[2] = even[2] + odd[2];
    z[6] = even[2] - odd[2];
    z[3] = even[3] + odd[3];
    z[7] = even[3] - odd[3];
}

// 10 = 2 x 5 with coprime factors: the two radix-5 kernels need no twiddles once the inputs are
// reordered (x0 x2 x4 x6 x8 and x5 x7 x9 x1 x3), and output m is a[m mod 5] + (-1)^m b[m mod 5].
template <class T>
ZT_FFT_INLINE void Butterfly10(T* z) {
    T a[5] = {z[0], z[2], z[4], z[6], z[8]};
    T b[5] = {z[5], z[7], z[9], z[1], z[3]};
    Butterfly5(a);
    Butterfly5(b);
    z[0] = a[0] + b[0];
    z[5] = a[0] - b[0];
    z[6] = a[1] + b[1];
    z[1] = a[1] - b[1];
    z[2] = a[2] + b[2];
    z[7] = a[2] - b[2];
    z[8] = a[3] + b[3];
    z[3] = a[3] - b[3];
    z[4] = a[4] + b[4];
    z[9] = a[4] - b[4];
}

// Any other radix r: the direct r-point sum over trig[k] = e^(-2 pi i k/r), k = 0 .. r-1.
// Reads x, writes y; they must not overlap.
inline void ButterflyGeneral(const Complex* x, Complex* y, const Complex* trig, std::size_t r) {
    for (std::size_t k = 0; k < r; ++k) {
        Complex sum = x[0];
        std::size_t index = 0;  // j * k mod r, stepped without a multiplication
        for (std::size_t j = 1; j < r; ++j) {
            index += k;
            if (index >= r) index -= r;
            sum = sum + x[j] * trig[index];
        }
        y[k] = sum;
    }
}

}  // namespace zt::fft_kernels
