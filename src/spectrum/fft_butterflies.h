#pragma once
// The butterfly kernels of the mixed-radix FFT. Each transforms a short block z[0 .. r-1] in
// place: z[k] <- sum_j z[j] e^(-2 pi i jk / r). Every named intermediate is a 32-bit float;
// expressions that combine more than one operation are evaluated in double and rounded when
// stored, as the complex operations do.

#include <cstddef>

#include "spectrum/complex.h"

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

// base + factor * value, rounded once.
inline float AddScaled(float base, float factor, float value) {
    return static_cast<float>(base + static_cast<double>(factor) * value);
}

// factor * (a + b), rounded once.
inline float ScaledSum(float factor, float a, float b) {
    return static_cast<float>(static_cast<double>(factor) * (static_cast<double>(a) + b));
}

// factor * (a - b), rounded once.
inline float ScaledDifference(float factor, float a, float b) {
    return static_cast<float>(static_cast<double>(factor) * (static_cast<double>(a) - b));
}

inline Complex Scaled(float factor, Complex a) {
    return {factor * a.re, factor * a.im};  // one rounding each: float is exact enough
}

// -i * a, by swapping parts.
inline Complex MinusI(Complex a) {
    return {a.im, -a.re};
}

inline void Butterfly2(Complex* z) {
    const Complex x0 = z[0];
    z[0] = x0 + z[1];
    z[1] = x0 - z[1];
}

inline void Butterfly3(Complex* z) {
    const Complex t1 = z[1] + z[2];
    const Complex t2 = z[1] - z[2];
    z[0] = z[0] + t1;
    const Complex m1 = {AddScaled(z[0].re, c3_1, t1.re), AddScaled(z[0].im, c3_1, t1.im)};
    const Complex m2 = MinusI(Scaled(c3_2, t2));
    z[1] = m1 + m2;
    z[2] = m1 - m2;
}

inline void Butterfly4(Complex* z) {
    const Complex t1 = z[0] + z[2];
    const Complex t2 = z[1] + z[3];
    const Complex m2 = z[0] - z[2];
    const Complex m3 = MinusI(z[1] - z[3]);
    z[0] = t1 + t2;
    z[2] = t1 - t2;
    z[1] = m2 + m3;
    z[3] = m2 - m3;
}

inline void Butterfly5(Complex* z) {
    const Complex t1 = z[1] + z[4];
    const Complex t2 = z[2] + z[3];
    const Complex t3 = z[1] - z[4];
    const Complex t4 = z[3] - z[2];
    const Complex t5 = t1 + t2;
    z[0] = z[0] + t5;
    const Complex m1 = Scaled(c5_1, t5);
    const Complex m2 = {ScaledDifference(c5_2, t1.re, t2.re), ScaledDifference(c5_2, t1.im, t2.im)};
    const Complex m3 = {ScaledSum(c5_3, t3.re, t4.re), ScaledSum(c5_3, t3.im, t4.im)};
    const Complex m4 = Scaled(c5_4, t4);
    const Complex m5 = Scaled(c5_5, t3);
    // i * s3 and i * s5 are -MinusI(s3) and -MinusI(s5).
    const Complex s3 = MinusI(m3 - m4);
    const Complex s5 = MinusI(m3 + m5);
    const Complex s1 = z[0] + m1;
    const Complex s2 = s1 + m2;
    const Complex s4 = s1 - m2;
    z[1] = s2 - s3;
    z[2] = s4 - s5;
    z[3] = s4 + s5;
    z[4] = s2 + s3;
}

// Even and odd halves through radix 4, the odd results turned by e^(-2 pi i k/8) and combined.
inline void Butterfly8(Complex* z) {
    Complex even[4] = {z[0], z[2], z[4], z[6]};
    Complex odd[4] = {z[1], z[3], z[5], z[7]};
    Butterfly4(even);
    Butterfly4(odd);
    const Complex o1 = odd[1];
    const Complex o3 = odd[3];
    odd[1] = {ScaledSum(c8, o1.re, o1.im), ScaledDifference(c8, o1.im, o1.re)};   // c8 (1 - i)
    odd[2] = MinusI(odd[2]);                                                      // -i
    odd[3] = {ScaledDifference(c8, o3.im, o3.re), -ScaledSum(c8, o3.re, o3.im)};  // -c8 (1 + i)
    for (std::size_t k = 0; k < 4; ++k) {
        z[k] = even[k] + odd[k];
        z[k + 4] = even[k] - odd[k];
    }
}

// 10 = 2 x 5 with coprime factors: the two radix-5 kernels need no twiddles once the inputs are
// reordered (x0 x2 x4 x6 x8 and x5 x7 x9 x1 x3), and output m is a[m mod 5] + (-1)^m b[m mod 5].
inline void Butterfly10(Complex* z) {
    Complex a[5] = {z[0], z[2], z[4], z[6], z[8]};
    Complex b[5] = {z[5], z[7], z[9], z[1], z[3]};
    Butterfly5(a);
    Butterfly5(b);
    for (std::size_t k = 0; k < 5; ++k) {
        const std::size_t plus = (k % 2 == 0) ? k : k + 5;  // the even one of k, k + 5
        const std::size_t minus = (k % 2 == 0) ? k + 5 : k;
        z[plus] = a[k] + b[k];
        z[minus] = a[k] - b[k];
    }
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
