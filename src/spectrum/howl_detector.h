#pragma once
// The feedback finder: watches captured sound for howling, the ringing tone that builds up when
// a microphone hears its own loudspeaker. Every 1024 samples (21.3 ms at 48 kHz) it analyses the
// last 2048 with a Hann window and looks for peaks that have every mark of a howl:
// - a peak far above the average power of the spectrum (peak-to-average power ratio);
// - a narrow one, far above the bins a few places to either side (peak-to-neighbour ratio);
// - a lone one: neither its harmonics nor its subharmonics stand near its level, as they do in
//   a voice or an instrument (peak-to-harmonic ratio);
// - a persistent one: it stays at the same frequency, without falling back, frame after frame
//   (a sung note drifts with its vibrato and its level follows the words).
// Its frequency is refined between the bins by a parabola through the peak's decibel values.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "spectrum/complex.h"
#include "spectrum/fft.h"

namespace zt {

struct HowlSettings {
    double sampleRate = 48000.0;
    // The frequencies searched.
    double lowestHz = 80.0;
    double highestHz = 12000.0;
    // A peak quieter than this (dB relative to a full-scale sine) is never a howl.
    double quietestDb = -70.0;
    double paprDb = 25.0;
    double pnprDb = 15.0;
    double phprDb = 20.0;
    // Frames a peak must keep all the marks before it is flagged: 6 frames, 128 ms.
    int persistFrames = 6;
    // How far (in bins) the peak may wander over those frames, and how far its level may fall
    // below the loudest it was.
    double steadyBins = 0.3;
    double dropDb = 4.0;
};

// A flagged howl.
struct Howl {
    double hz = 0.0;
    double levelDb = 0.0;  // relative to a full-scale sine
    int frames = 0;        // frames it has kept the marks of a howl
};

class HowlDetector {
public:
    static constexpr std::size_t kFrameLength = 2048;
    static constexpr std::size_t kHop = 1024;
    static constexpr std::size_t kMaxTracks = 16;

    explicit HowlDetector(HowlSettings settings = {});

    // Takes samples in -1 .. 1 (any count); each complete hop analyses one frame. Allocates
    // nothing.
    void Process(std::span<const float> samples);
    // The same for 16-bit signed and 8-bit unsigned (silence 128) samples.
    void Process(std::span<const std::int16_t> samples);
    void Process(std::span<const std::uint8_t> samples);
    // Forgets the sound heard so far and every howl.
    void Reset();

    // The howls flagged in the last frame, loudest first.
    std::span<const Howl> Howls() const { return {howls_.data(), howlCount_}; }
    std::uint64_t Frames() const { return frames_; }
    double BinHz() const { return settings_.sampleRate / kFrameLength; }
    const HowlSettings& settings() const { return settings_; }

private:
    // A peak followed from frame to frame.
    struct Track {
        double bin = 0.0;  // refined, latest
        double lowestBin = 0.0;
        double highestBin = 0.0;
        double levelDb = 0.0;
        double loudestDb = 0.0;
        int frames = 0;
        bool seen = false;
    };

    void Append(float sample);
    void AnalyseFrame();
    // `totalPower` is the power of the bins searched, `low` .. `high`.
    bool IsHowlLike(std::size_t k, double totalPower, std::size_t low, std::size_t high) const;
    // The loudest bin within `reach` bins of `centre`.
    double LoudestNear(double centre, double reach) const;
    void Follow(double bin, double levelDb);
    void Publish();

    HowlSettings settings_;
    FftPlan plan_;
    std::vector<float> window_;
    std::vector<float> history_;  // the last kFrameLength samples, a ring
    std::size_t next_ = 0;        // where the next sample goes
    std::size_t sinceFrame_ = 0;  // samples since the last frame
    std::vector<Complex> input_;
    std::vector<Complex> output_;
    std::vector<double> power_;  // bins 0 .. kFrameLength / 2
    std::vector<float> db_;
    std::array<Track, kMaxTracks> tracks_{};
    std::size_t trackCount_ = 0;
    std::array<Howl, kMaxTracks> howls_{};
    std::size_t howlCount_ = 0;
    std::uint64_t frames_ = 0;
};

// The parabola through three decibel values of neighbouring bins: the offset of its vertex from
// the middle bin (-0.5 .. 0.5) and the value there.
struct PeakVertex {
    double offset = 0.0;
    double db = 0.0;
};
PeakVertex RefinePeak(double left, double middle, double right);

}  // namespace zt
