#pragma once
// Blocks of 8-bit unsigned mono sound at 48 kHz, as the sound card delivers them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace zt::testing_support {

inline constexpr std::uint8_t kSilenceByte = 128;

inline std::vector<std::uint8_t> SilenceBlock(std::size_t n = 1024) {
    return std::vector<std::uint8_t>(n, kSilenceByte);
}

// A sine of `amplitude` steps around 128, starting at sample `first` of an endless tone.
inline std::vector<std::uint8_t> ToneBlock(double hz, double amplitude, std::size_t n = 1024,
                                           std::size_t first = 0) {
    std::vector<std::uint8_t> block(n);
    for (std::size_t j = 0; j < n; ++j) {
        const double phase = 2.0 * std::numbers::pi * hz * static_cast<double>(first + j) / 48000.0;
        const double value = std::round(128.0 + amplitude * std::sin(phase));
        block[j] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
    }
    return block;
}

// A square wave between 0 and 255 with the given period in samples.
inline std::vector<std::uint8_t> SquareBlock(std::size_t period, std::size_t n = 1024,
                                             std::size_t first = 0) {
    std::vector<std::uint8_t> block(n);
    for (std::size_t j = 0; j < n; ++j) block[j] = (first + j) % period < period / 2 ? 255 : 0;
    return block;
}

}  // namespace zt::testing_support
