#pragma once
// The analyser's complex number: two 32-bit floats, real part first. Every operation works in
// double and rounds once when it stores its result, so a compound expression such as the real
// part of a product does not lose the low bits that float arithmetic would drop halfway.

#include <cmath>

namespace zt {

struct Complex {
    float re = 0.0f;
    float im = 0.0f;

    friend bool operator==(const Complex&, const Complex&) = default;
};

static_assert(sizeof(Complex) == 8, "Complex arrays are plain pairs of floats");

// A sum or difference of two floats rounded once to float equals the same sum taken in double
// and rounded, so these stay in float.
inline Complex operator+(Complex a, Complex b) {
    return {a.re + b.re, a.im + b.im};
}

inline Complex operator-(Complex a, Complex b) {
    return {a.re - b.re, a.im - b.im};
}

inline Complex operator*(Complex a, Complex b) {
    const double re = static_cast<double>(a.re) * b.re - static_cast<double>(a.im) * b.im;
    const double im = static_cast<double>(a.im) * b.re + static_cast<double>(a.re) * b.im;
    return {static_cast<float>(re), static_cast<float>(im)};
}

// Scaling by a real factor.
inline Complex operator*(Complex a, double factor) {
    return {static_cast<float>(a.re * factor), static_cast<float>(a.im * factor)};
}

inline Complex operator*(double factor, Complex a) {
    return a * factor;
}

inline float Magnitude(Complex a) {
    const double re = a.re;
    const double im = a.im;
    return static_cast<float>(std::sqrt(re * re + im * im));
}

}  // namespace zt
