#pragma once
// The analysis of one captured block: 1024 samples of 8-bit unsigned mono sound at 48 kHz,
// zero-padded to 2048 points and transformed, with the three lowest bins damped so that a DC
// offset of the sound card does not stand as a bar at the left edge.

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

class SpectrumAnalysis {
public:
    SpectrumAnalysis();

    // Transforms the first 1024 bytes of `block`; a shorter block leaves the rest silent.
    // Allocates nothing.
    void Analyse(std::span<const std::uint8_t> block);
    // Forgets the last result: every bin reads 0, as after silence.
    void Clear();

    // |output[bin]| for bins 0 .. kSpectrumNyquistBin; bins beyond read as the Nyquist bin.
    float Magnitude(std::size_t bin) const;
    std::span<const Complex> Output() const { return output_; }

private:
    FftPlan plan_;
    std::vector<Complex> input_;
    std::vector<Complex> output_;
};

}  // namespace zt
