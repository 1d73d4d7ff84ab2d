#include "spectrum/howl_detector.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zt {
namespace {

// Sidelobes of the window, quantisation and the programme lie at least this far below a howl
// in the bins a few places away; the main lobe of a Hann window reaches 2 bins.
constexpr std::size_t kNeighbourFirst = 3;
constexpr std::size_t kNeighbourLast = 5;

}  // namespace

PeakVertex RefinePeak(double left, double middle, double right) {
    const double curvature = left - 2.0 * middle + right;
    if (!(curvature < 0.0)) return {0.0, middle};
    const double offset = std::clamp(0.5 * (left - right) / curvature, -0.5, 0.5);
    return {offset, middle - 0.25 * (left - right) * offset};
}

HowlDetector::HowlDetector(HowlSettings settings)
    : settings_(settings),
      plan_(kFrameLength),
      window_(kFrameLength),
      history_(kFrameLength, 0.0f),
      input_(kFrameLength),
      output_(kFrameLength),
      power_(kFrameLength / 2 + 1),
      db_(kFrameLength / 2 + 1) {
    // Scaled so that a sine of amplitude 1 centred on a bin reads 0 dB.
    double sum = 0.0;
    for (std::size_t j = 0; j < kFrameLength; ++j) {
        const double phase = 2.0 * std::numbers::pi * static_cast<double>(j) / kFrameLength;
        window_[j] = static_cast<float>(0.5 - 0.5 * std::cos(phase));
        sum += window_[j];
    }
    for (float& w : window_) w = static_cast<float>(w * 2.0 / sum);
}

void HowlDetector::Reset() {
    std::fill(history_.begin(), history_.end(), 0.0f);
    next_ = 0;
    sinceFrame_ = 0;
    trackCount_ = 0;
    howlCount_ = 0;
    frames_ = 0;
}

void HowlDetector::Append(float sample) {
    history_[next_] = sample;
    next_ = (next_ + 1) % kFrameLength;
    if (++sinceFrame_ == kHop) {
        sinceFrame_ = 0;
        AnalyseFrame();
    }
}

void HowlDetector::Process(std::span<const float> samples) {
    for (const float s : samples) Append(s);
}

void HowlDetector::Process(std::span<const std::int16_t> samples) {
    for (const std::int16_t s : samples) Append(static_cast<float>(s) / 32768.0f);
}

void HowlDetector::Process(std::span<const std::uint8_t> samples) {
    for (const std::uint8_t s : samples) Append((static_cast<float>(s) - 128.0f) / 128.0f);
}

double HowlDetector::LoudestNear(double centre, double reach) const {
    const auto last = static_cast<double>(db_.size() - 1);
    const auto first = static_cast<std::size_t>(std::clamp(std::floor(centre - reach), 0.0, last));
    const auto end = static_cast<std::size_t>(std::clamp(std::ceil(centre + reach), 0.0, last));
    double loudest = -400.0;
    for (std::size_t k = first; k <= end; ++k) loudest = std::max(loudest, double{db_[k]});
    return loudest;
}

bool HowlDetector::IsHowlLike(std::size_t k, double totalPower, std::size_t low,
                              std::size_t high) const {
    const double peak = db_[k];
    // The average of the rest of the spectrum: without the peak's own main lobe, a lone tone
    // would lift the average it is measured against.
    double lobe = 0.0;
    const std::size_t first = std::max(k - 2, low);
    const std::size_t last = std::min(k + 2, high);
    for (std::size_t m = first; m <= last; ++m) lobe += power_[m];
    const auto others = static_cast<double>(high - low + 1 - (last - first + 1));
    const double rest = std::max(totalPower - lobe, 0.0) / std::max(others, 1.0);
    if (peak - 10.0 * std::log10(rest + 1e-20) < settings_.paprDb) return false;
    // At the low end the left neighbours below the bins searched are the card's offset and
    // the rumble under the lowest note; they do not count.
    for (std::size_t m = kNeighbourFirst; m <= kNeighbourLast; ++m) {
        if ((k >= low + m && peak - db_[k - m] < settings_.pnprDb) ||
            peak - db_[k + m] < settings_.pnprDb) {
            return false;
        }
    }
    // Harmonics 2 and 3 and the subharmonics 1/2 and 1/3, each within a bin or so of where it
    // would lie (a voice's harmonics are not exactly whole multiples at this resolution).
    const double bin = static_cast<double>(k);
    for (const double ratio : {2.0, 3.0, 0.5, 1.0 / 3.0}) {
        const double at = bin * ratio;
        const double reach = 1.0 + 0.01 * at;
        // Below the bins searched (the card's offset, the rumble under the lowest note), beyond
        // the highest bin, or too near the peak's own main lobe to tell apart.
        if (at - reach < static_cast<double>(low) || at > static_cast<double>(db_.size() - 1)) {
            continue;
        }
        if (std::abs(at - bin) - reach < static_cast<double>(kNeighbourFirst)) continue;
        if (peak - LoudestNear(at, reach) < settings_.phprDb) return false;
    }
    return true;
}

void HowlDetector::AnalyseFrame() {
    ++frames_;
    for (std::size_t j = 0; j < kFrameLength; ++j) {
        input_[j] = {history_[(next_ + j) % kFrameLength] * window_[j], 0.0f};
    }
    plan_.Transform(input_, output_);
    for (std::size_t k = 0; k < db_.size(); ++k) {
        const Complex& c = output_[k];
        power_[k] = static_cast<double>(c.re) * c.re + static_cast<double>(c.im) * c.im;
        db_[k] = static_cast<float>(10.0 * std::log10(power_[k] + 1e-20));
    }

    const double binHz = BinHz();
    const std::size_t last = db_.size() - 1 - kNeighbourLast;
    const std::size_t low = std::max<std::size_t>(
        kNeighbourFirst, static_cast<std::size_t>(std::ceil(settings_.lowestHz / binHz)));
    const std::size_t high =
        std::min(last, static_cast<std::size_t>(std::floor(settings_.highestHz / binHz)));
    double power = 0.0;
    for (std::size_t k = low; k <= high; ++k) power += power_[k];

    for (std::size_t t = 0; t < trackCount_; ++t) tracks_[t].seen = false;
    for (std::size_t k = low; k <= high; ++k) {
        if (db_[k] < db_[k - 1] || db_[k] <= db_[k + 1]) continue;
        const PeakVertex vertex = RefinePeak(db_[k - 1], db_[k], db_[k + 1]);
        if (vertex.db < settings_.quietestDb || !IsHowlLike(k, power, low, high)) continue;
        Follow(static_cast<double>(k) + vertex.offset, vertex.db);
    }
    // A peak that lost a mark of a howl starts afresh when it has them again.
    std::size_t kept = 0;
    for (std::size_t t = 0; t < trackCount_; ++t) {
        if (tracks_[t].seen) tracks_[kept++] = tracks_[t];
    }
    trackCount_ = kept;
    Publish();
}

void HowlDetector::Follow(double bin, double levelDb) {
    for (std::size_t t = 0; t < trackCount_; ++t) {
        Track& track = tracks_[t];
        if (track.seen || std::abs(track.bin - bin) > 1.0) continue;
        track.bin = bin;
        track.lowestBin = std::min(track.lowestBin, bin);
        track.highestBin = std::max(track.highestBin, bin);
        track.levelDb = levelDb;
        track.loudestDb = std::max(track.loudestDb, levelDb);
        ++track.frames;
        track.seen = true;
        // A peak that wanders (vibrato, a gliding voice) or falls back is not building up.
        if (track.highestBin - track.lowestBin > settings_.steadyBins ||
            track.loudestDb - levelDb > settings_.dropDb) {
            track = {bin, bin, bin, levelDb, levelDb, 1, true};
        }
        return;
    }
    if (trackCount_ < kMaxTracks)
        tracks_[trackCount_++] = {bin, bin, bin, levelDb, levelDb, 1, true};
}

void HowlDetector::Publish() {
    howlCount_ = 0;
    for (std::size_t t = 0; t < trackCount_; ++t) {
        const Track& track = tracks_[t];
        if (track.frames < settings_.persistFrames) continue;
        howls_[howlCount_++] = {track.bin * BinHz(), track.levelDb, track.frames};
    }
    std::sort(howls_.begin(), howls_.begin() + static_cast<std::ptrdiff_t>(howlCount_),
              [](const Howl& a, const Howl& b) { return a.levelDb > b.levelDb; });
}

}  // namespace zt
