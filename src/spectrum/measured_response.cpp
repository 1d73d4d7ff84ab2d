#include "spectrum/measured_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "eqgraph/response_grid.h"
#include "spectrum/fft.h"
#include "spectrum/log_sweep.h"
#include "spectrum/raised_cosine.h"

namespace zt {
namespace {

// Transforms at least this long in seconds: bins half a hertz apart, finer than the narrowest
// smoothing band at 20 Hz.
constexpr double kLeastTransformSeconds = 2.0;
// The level a band without any power reads.
constexpr double kLeastPower = 1e-20;  // -200 dB

std::size_t LargestSample(std::span<const float> impulse) {
    std::size_t peak = 0;
    for (std::size_t i = 1; i < impulse.size(); ++i) {
        if (std::abs(impulse[i]) > std::abs(impulse[peak])) peak = i;
    }
    return peak;
}

// The power of a spectrum integrated over bin positions: bin k is constant over [k - 1/2,
// k + 1/2), so the integral up to any position is exact.
class PowerIntegral {
public:
    explicit PowerIntegral(const std::vector<double>& power) : power_(power) {
        sums_.resize(power.size() + 1);
        for (std::size_t k = 0; k < power.size(); ++k) sums_[k + 1] = sums_[k] + power[k];
    }

    // The mean power between two bin positions.
    double Mean(double from, double to) const { return (UpTo(to) - UpTo(from)) / (to - from); }

private:
    double UpTo(double position) const {
        const double u = std::clamp(position + 0.5, 0.0, static_cast<double>(power_.size()));
        const auto whole = static_cast<std::size_t>(u);
        const double part = whole < power_.size() ? (u - whole) * power_[whole] : 0.0;
        return sums_[whole] + part;
    }

    const std::vector<double>& power_;
    std::vector<double> sums_;
};

}  // namespace

double SmoothingOctaves(Smoothing smoothing) {
    switch (smoothing) {
        case Smoothing::Third:
            return 1.0 / 3.0;
        case Smoothing::Sixth:
            return 1.0 / 6.0;
        case Smoothing::Twelfth:
            return 1.0 / 12.0;
        case Smoothing::None:
            break;
    }
    return 0.0;
}

PowerSpectrum WindowedPowerSpectrum(std::span<const float> impulse, double sampleRate,
                                    const ImpulseWindow& window) {
    PowerSpectrum result;
    if (impulse.empty() || !(sampleRate > 0)) return result;
    const auto size = static_cast<long long>(impulse.size());
    const long long before = std::clamp<long long>(
        std::llround(std::max(window.beforeSeconds, 0.0) * sampleRate), 0, size / 2);
    const long long after = std::clamp<long long>(
        std::llround(std::max(window.afterSeconds, 0.0) * sampleRate), 1, size - before);
    const double fadeOut = std::clamp(window.fadeOutShare, 0.0, 1.0) * after;
    const std::size_t length = SmoothFftLength(std::max<std::size_t>(
        before + after, static_cast<std::size_t>(kLeastTransformSeconds * sampleRate)));

    std::vector<Complex> work(length);
    const auto peak = static_cast<long long>(LargestSample(impulse));
    for (long long j = -before; j < after; ++j) {
        double weight = 1.0;
        if (j < 0) weight = RaisedCosine(static_cast<double>(j + before) / before);
        if (after - j <= fadeOut) weight *= RaisedCosine((after - j) / fadeOut);
        const long long index = ((peak + j) % size + size) % size;
        work[j + before] = {static_cast<float>(impulse[index] * weight), 0.0f};
    }
    FftPlan(length).Transform(work, work);
    result.power.resize(length / 2 + 1);
    for (std::size_t k = 0; k < result.power.size(); ++k) {
        const double re = work[k].re, im = work[k].im;
        result.power[k] = re * re + im * im;
    }
    result.binHz = sampleRate / length;
    return result;
}

MeasuredResponse SmoothedResponse(const PowerSpectrum& spectrum, Smoothing smoothing, double fromHz,
                                  double toHz, int pointsPerOctave) {
    MeasuredResponse response;
    if (spectrum.power.empty() || !(spectrum.binHz > 0) || !(fromHz > 0) || pointsPerOctave < 1) {
        return response;
    }
    const PowerIntegral integral(spectrum.power);
    const double lastHz = std::min(toHz, (spectrum.power.size() - 1) * spectrum.binHz);
    const double halfBand = std::exp2(SmoothingOctaves(smoothing) / 2);
    for (int i = 0;; ++i) {
        const double hz = fromHz * std::exp2(static_cast<double>(i) / pointsPerOctave);
        if (hz > lastHz * (1 + 1e-12)) break;
        // At least one bin wide: below that the mean is the bins' linear interpolation.
        double from = hz / halfBand / spectrum.binHz, to = hz * halfBand / spectrum.binHz;
        if (to - from < 1.0) {
            const double centre = hz / spectrum.binHz;
            from = centre - 0.5, to = centre + 0.5;
        }
        const double power = std::max(integral.Mean(from, to), kLeastPower);
        response.push_back({hz, 10.0 * std::log10(power)});
    }
    return response;
}

MeasuredResponse MeasureSweepRecording(std::span<const float> sweep,
                                       std::span<const float> recording, double sampleRate,
                                       Smoothing smoothing) {
    const SweepDeconvolver deconvolver(sweep, recording.size());
    return SmoothedResponse(
        WindowedPowerSpectrum(deconvolver.ImpulseResponse(recording), sampleRate), smoothing);
}

CurveArray ResponseOnGrid(const MeasuredResponse& response) {
    CurveArray curve{};
    if (response.empty()) return curve;
    for (int k = 0; k < ResponseGrid::PointCount; ++k) {
        const double hz = ResponseGrid::FrequencyOfIndex(k);
        const auto above =
            std::lower_bound(response.begin(), response.end(), hz,
                             [](const ResponsePoint& p, double f) { return p.hz < f; });
        if (above == response.begin()) {
            curve[k] = response.front().db;
        } else if (above == response.end()) {
            curve[k] = response.back().db;
        } else {
            const ResponsePoint& low = *(above - 1);
            const double share = std::log(hz / low.hz) / std::log(above->hz / low.hz);
            curve[k] = low.db + share * (above->db - low.db);
        }
    }
    return curve;
}

GridSpan CoveredGridSpan(const MeasuredResponse& response) {
    if (response.empty()) return {};
    const int last = ResponseGrid::PointCount - 1;
    const double first = ResponseGrid::IndexOfFrequency(response.front().hz);
    const double end = ResponseGrid::IndexOfFrequency(response.back().hz);
    return {std::clamp(static_cast<int>(std::ceil(first - 1e-9)), 0, last + 1),
            std::clamp(static_cast<int>(std::floor(end + 1e-9)), -1, last)};
}

}  // namespace zt
