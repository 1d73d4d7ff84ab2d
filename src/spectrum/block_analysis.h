#pragma once
// The analysis of captured blocks, one at a time: 1024 samples of 8-bit unsigned mono sound at
// 48 kHz, freed of the sound card's DC offset, shaped by a Hann window, zero-padded to 2048 points
// and transformed. The window is scaled so that a sine centred on a bin reads its amplitude times
// the spectrum's reference of 128: a full-scale sine reads 0 dB. Between two bins a sine loses at
// most 0.4 dB (the window's scalloping at a quarter of its resolution, the padding halving the
// bin spacing), and its leakage falls off steeply instead of smearing over the whole axis.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "spectrum/complex.h"
#include "spectrum/fft.h"

namespace zt {

inline constexpr std::size_t kSpectrumFftLength = 2048;
inline constexpr std::size_t kSpectrumSamples = 1024;
inline constexpr double kSpectrumSampleRate = 48000.0;
// The true spacing of the bins, 23.4375 Hz.
inline constexpr double kSpectrumBinHz = kSpectrumSampleRate / kSpectrumFftLength;
// The highest bin that holds a frequency of its own; above it the spectrum mirrors.
inline constexpr std::size_t kSpectrumNyquistBin = kSpectrumFftLength / 2;
// What a full-scale sine reads at its bin.
inline constexpr double kSpectrumFullScale = 128.0;

class SpectrumAnalysis {
public:
    SpectrumAnalysis();

    // Transforms the first 1024 bytes of `block`; a shorter block leaves the rest silent.
    // Allocates nothing.
    void Analyse(std::span<const std::uint8_t> block);
    // Forgets the last result (every bin reads 0, as after silence) and the card's offset.
    void Clear();

    // |output[bin]| for bins 0 .. kSpectrumNyquistBin; bins beyond read as the Nyquist bin.
    float Magnitude(std::size_t bin) const;
    std::span<const Complex> Output() const { return output_; }

private:
    FftPlan plan_;
    std::vector<float> window_;
    std::vector<Complex> input_;
    std::vector<Complex> output_;
    // The card's offset in 8-bit steps, following the blocks' means.
    static constexpr double kOffsetFollowing = 0.2;
    double offset_ = 128.0;
    bool hasOffset_ = false;
};

}  // namespace zt
