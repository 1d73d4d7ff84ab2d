#pragma once
// The half cosine that fades a signal in or out without a click.

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zt {

// 0 at x <= 0, 1 at x >= 1, rising along half a cosine between.
inline double RaisedCosine(double x) {
    return 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(x, 0.0, 1.0));
}

}  // namespace zt
