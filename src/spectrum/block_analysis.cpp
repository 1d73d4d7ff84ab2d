#include "spectrum/block_analysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zt {

SpectrumAnalysis::SpectrumAnalysis()
    : plan_(kSpectrumFftLength),
      window_(kSpectrumSamples),
      input_(kSpectrumFftLength),
      output_(kSpectrumFftLength) {
    // Periodic Hann window; its sum is half the sample count, and a sine of amplitude a centred
    // on a bin reads a times half the window's sum.
    double sum = 0.0;
    for (std::size_t j = 0; j < kSpectrumSamples; ++j) {
        const double phase = 2.0 * std::numbers::pi * static_cast<double>(j) / kSpectrumSamples;
        window_[j] = static_cast<float>(0.5 - 0.5 * std::cos(phase));
        sum += window_[j];
    }
    const double scale = 2.0 * kSpectrumFullScale / sum;
    for (float& w : window_) w = static_cast<float>(w * scale);
}

void SpectrumAnalysis::Analyse(std::span<const std::uint8_t> block) {
    const std::size_t used = std::min(block.size(), kSpectrumSamples);
    // Byte 128 is silence. The card's offset is the mean of the sound; taken out, it leaves no
    // bar at the left edge. One block's mean also holds a little of every tone that does not fill
    // it with whole periods, differently from block to block, so the offset follows the means
    // slowly: a steady tone then reads steadily in the lowest bins too.
    if (used > 0) {
        double sum = 0.0;
        for (std::size_t j = 0; j < used; ++j) sum += block[j];
        const double mean = sum / static_cast<double>(used);
        offset_ = hasOffset_ ? offset_ + kOffsetFollowing * (mean - offset_) : mean;
        hasOffset_ = true;
    }
    const auto offset = static_cast<float>(offset_);
    for (std::size_t j = 0; j < kSpectrumSamples; ++j) {
        const float sample = j < used ? (static_cast<float>(block[j]) - offset) / 128.0f : 0.0f;
        input_[j] = {sample * window_[j], 0.0f};
    }
    // The second half of the input stays 0 (zero padding).
    plan_.Transform(input_, output_);
}

void SpectrumAnalysis::Clear() {
    offset_ = 128.0;
    hasOffset_ = false;
    std::fill(output_.begin(), output_.end(), Complex{});
}

float SpectrumAnalysis::Magnitude(std::size_t bin) const {
    return zt::Magnitude(output_[std::min(bin, kSpectrumNyquistBin)]);
}

}  // namespace zt
