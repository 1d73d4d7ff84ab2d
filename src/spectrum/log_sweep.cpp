#include "spectrum/log_sweep.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include "spectrum/raised_cosine.h"

namespace zt {
namespace {

// The regularisation, relative to the sweep's strongest bin's power: far below the power of
// any bin inside the sweep's band (whose ends lie 33 dB below the top for 10 Hz..22 kHz), far
// above that of bins outside it.
constexpr double kRegularisation = 1e-7;

void CheckSettings(const SweepSettings& s) {
    const bool valid = s.sampleRate > 0 && s.startHz > 0 && s.endHz > s.startHz &&
                       s.endHz < s.sampleRate / 2 && s.seconds > 0 && s.seconds <= 60 &&
                       s.amplitude > 0 && s.amplitude <= 1 && s.fadeInSeconds >= 0 &&
                       s.fadeOutSeconds >= 0 && s.fadeInSeconds + s.fadeOutSeconds <= s.seconds;
    if (!valid) throw std::invalid_argument("sweep settings out of range");
}

}  // namespace

std::vector<float> MakeLogSweep(const SweepSettings& s) {
    CheckSettings(s);
    const auto count = static_cast<std::size_t>(std::llround(s.seconds * s.sampleRate));
    const double rate = s.seconds / std::log(s.endHz / s.startHz);  // L
    const double phaseScale = 2.0 * std::numbers::pi * s.startHz * rate;
    const double fadeIn = s.fadeInSeconds * s.sampleRate;
    const double fadeOut = s.fadeOutSeconds * s.sampleRate;
    std::vector<float> sweep(count);
    for (std::size_t n = 0; n < count; ++n) {
        const double t = n / s.sampleRate;
        double gain = s.amplitude;
        if (fadeIn > 0) gain *= RaisedCosine(n / fadeIn);
        if (fadeOut > 0) gain *= RaisedCosine((count - 1 - n) / fadeOut);
        sweep[n] = static_cast<float>(gain * std::sin(phaseScale * std::expm1(t / rate)));
    }
    return sweep;
}

std::size_t SmoothFftLength(std::size_t n) {
    std::size_t best = 1;
    while (best < n) best *= 2;
    for (std::size_t p5 = 1; p5 < best; p5 *= 5) {
        for (std::size_t p35 = p5; p35 < best; p35 *= 3) {
            std::size_t m = p35;
            while (m < n) m *= 2;
            best = std::min(best, m);
        }
    }
    return best;
}

SweepDeconvolver::SweepDeconvolver(std::span<const float> sweep, std::size_t longestRecording)
    : plan_(SmoothFftLength(std::max<std::size_t>(longestRecording + sweep.size(), 2))),
      longestRecording_(longestRecording) {
    const std::size_t n = plan_.Length();
    std::vector<Complex> spectrum(n);
    std::transform(sweep.begin(), sweep.end(), spectrum.begin(), [](float v) {
        return Complex{v, 0.0f};
    });
    plan_.Transform(spectrum, spectrum);
    double strongest = 0.0;
    for (const Complex& c : spectrum) {
        strongest = std::max(strongest,
                             static_cast<double>(c.re) * c.re + static_cast<double>(c.im) * c.im);
    }
    const double floor = std::max(strongest * kRegularisation, 1e-30);
    inverse_.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        const double re = spectrum[k].re, im = spectrum[k].im;
        const double scale = 1.0 / ((re * re + im * im + floor) * static_cast<double>(n));
        inverse_[k] = {static_cast<float>(re * scale), static_cast<float>(-im * scale)};
    }
}

std::vector<float> SweepDeconvolver::ImpulseResponse(std::span<const float> recording) const {
    const std::size_t n = plan_.Length();
    std::vector<Complex> work(n);
    const std::size_t used = std::min(recording.size(), longestRecording_);
    for (std::size_t i = 0; i < used; ++i) work[i] = {recording[i], 0.0f};
    plan_.Transform(work, work);
    // The inverse transform as a forward one of the conjugate; the result is real, so the
    // conjugate of the output is not needed.
    for (std::size_t k = 0; k < n; ++k) {
        const Complex product = work[k] * inverse_[k];
        work[k] = {product.re, -product.im};
    }
    plan_.Transform(work, work);
    std::vector<float> response(n);
    for (std::size_t i = 0; i < n; ++i) response[i] = work[i].re;
    return response;
}

}  // namespace zt
