#include "spectrum/block_analysis.h"

#include <algorithm>

namespace zt {

SpectrumAnalysis::SpectrumAnalysis()
    : plan_(kSpectrumFftLength), input_(kSpectrumFftLength), output_(kSpectrumFftLength) {}

void SpectrumAnalysis::Analyse(std::span<const std::uint8_t> block) {
    const std::size_t used = std::min(block.size(), kSpectrumSamples);
    // Byte 128 is silence; the second half of the input stays 0 (zero padding).
    for (std::size_t j = 0; j < kSpectrumSamples; ++j) {
        const float sample = j < used ? static_cast<float>(block[j]) / 128.0f - 1.0f : 0.0f;
        input_[j] = {sample, 0.0f};
    }
    plan_.Transform(input_, output_);
    // Damp the lowest bins by 0.1 k^3: 0, 0.1 and 0.8.
    for (std::size_t k = 0; k < 3; ++k) {
        output_[k] = output_[k] * (0.1 * static_cast<double>(k * k * k));
    }
}

void SpectrumAnalysis::Clear() {
    std::fill(output_.begin(), output_.end(), Complex{});
}

float SpectrumAnalysis::Magnitude(std::size_t bin) const {
    return zt::Magnitude(output_[std::min(bin, kSpectrumNyquistBin)]);
}

}  // namespace zt
