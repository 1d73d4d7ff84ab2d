#pragma once
// Test input for the transforms.

#include <cstdint>
#include <random>
#include <vector>

#include "spectrum/complex.h"

namespace zt::testing_support {

// Uniform values in [-1, 1), the same on every standard library.
inline std::vector<Complex> Noise(std::size_t n, std::uint32_t seed) {
    std::mt19937 generator(seed);
    const auto next = [&] { return static_cast<float>(generator() >> 8) * 0x1p-23f - 1.0f; };
    std::vector<Complex> data(n);
    for (Complex& c : data) c = {next(), next()};
    return data;
}

}  // namespace zt::testing_support
