#pragma once
// The hand-off between sound-card capture and the feedback finder's display. The capture thread
// offers every block of 16-bit samples it records; while the finder is on they go straight into
// the howl detector there (it allocates nothing), and the howls it flags are kept a little while
// after their last frame, so that a howl that a notch or a breath interrupts for a frame or two
// keeps its marker. The user-interface thread reads a copy of the howls kept.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "spectrum/howl_detector.h"

namespace zt {

// A howl as the window marks it.
struct HowlMark {
    double hz = 0.0;
    double levelDb = 0.0;  // relative to a full-scale sine, at its last frame
    bool current = false;  // flagged in the newest frame analysed
};

class HowlFeed {
public:
    // Frames a howl is kept after the last frame that flagged it: 47 frames, about 1 s.
    static constexpr std::uint64_t kHoldFrames = 47;
    // Howls closer than this (in octaves) are the same howl.
    static constexpr double kSameHowlOctaves = 1.0 / 24.0;

    explicit HowlFeed(HowlSettings settings = {});

    HowlFeed(const HowlFeed&) = delete;
    HowlFeed& operator=(const HowlFeed&) = delete;

    // Capture thread: 16-bit signed samples in the machine's byte order, as the sound system
    // records them (a trailing odd byte is no sample). Ignored while the finder is off.
    void Offer(std::span<const std::uint8_t> bytes);

    // User-interface thread. Switching on starts afresh: nothing heard before counts.
    void SetOn(bool on);
    bool on() const { return on_.load(std::memory_order_acquire); }
    // The howls kept, loudest first; empty while off.
    std::vector<HowlMark> Marks() const;
    // Frames analysed since the finder was last switched on.
    std::uint64_t Frames() const;

private:
    struct Kept {
        HowlMark mark;
        std::uint64_t lastFrame = 0;
    };
    void Keep();

    std::atomic<bool> on_{false};
    std::atomic<bool> restart_{false};
    HowlDetector detector_;       // capture thread only
    std::uint64_t analysed_ = 0;  // the detector's frames, capture thread only

    mutable std::mutex lock_;  // guards what follows
    std::array<Kept, HowlDetector::kMaxTracks> kept_{};
    std::size_t keptCount_ = 0;
    std::uint64_t frames_ = 0;
};

}  // namespace zt
