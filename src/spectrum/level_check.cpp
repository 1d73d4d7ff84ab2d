#include "spectrum/level_check.h"

#include <algorithm>
#include <cmath>

namespace zt {
namespace {

constexpr double kSilenceDb = -200.0;

double Db(double amplitude) {
    return amplitude > 0 ? std::max(20.0 * std::log10(amplitude), kSilenceDb) : kSilenceDb;
}

double Rms(std::span<const float> samples) {
    if (samples.empty()) return 0.0;
    double sum = 0.0;
    for (float s : samples) sum += static_cast<double>(s) * s;
    return std::sqrt(sum / samples.size());
}

}  // namespace

std::vector<float> SamplesFromPcm16(std::span<const std::int16_t> pcm) {
    std::vector<float> samples(pcm.size());
    std::transform(pcm.begin(), pcm.end(), samples.begin(),
                   [](std::int16_t v) { return static_cast<float>(v / 32768.0); });
    return samples;
}

LevelCheck CheckLevel(std::span<const float> signal, std::span<const float> background) {
    LevelCheck check;
    double peak = 0.0;
    for (float s : signal) {
        const double magnitude = std::abs(static_cast<double>(s));
        peak = std::max(peak, magnitude);
        if (magnitude >= kClipLevel) ++check.clippedSamples;
    }
    check.peakDbfs = Db(peak);
    check.rmsDbfs = Db(Rms(signal));
    if (!background.empty()) check.backgroundRmsDbfs = Db(Rms(background));
    if (check.clippedSamples > 0) {
        check.verdict = LevelVerdict::Clipping;
    } else if (check.peakDbfs < kQuietPeakDbfs ||
               check.rmsDbfs - check.backgroundRmsDbfs < kLeastSignalToNoiseDb) {
        check.verdict = LevelVerdict::TooQuiet;
    } else {
        check.verdict = LevelVerdict::Good;
    }
    return check;
}

}  // namespace zt
