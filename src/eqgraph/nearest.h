#pragma once
// Rounding used throughout the EQ graph: to the nearest integer, halves to even.

#include <cmath>

namespace zt {

// Nearest integer with ties to even, independent of the current floating-point rounding mode.
inline double Nearest(double x) {
    const double down = std::floor(x);
    const double diff = x - down;
    if (diff < 0.5) return down;
    if (diff > 0.5) return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

// A position on the graph rounded to its pixel.
inline int NearestPixel(double v) {
    return static_cast<int>(Nearest(v));
}

}  // namespace zt
