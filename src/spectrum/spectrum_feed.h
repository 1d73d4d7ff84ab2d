#pragma once
// The hand-off from sound-card capture to the spectrum analysis. The capture thread offers
// every block it records; the feed keeps it only while the analyser is on and no EQ marker is
// being dragged, so the bars freeze during a drag. Switching the analyser on starts a new epoch:
// nothing captured before that reaches the analysis.

#include <atomic>
#include <cstdint>
#include <span>

#include "spectrum/block_exchange.h"

namespace zt {

class SpectrumFeed {
public:
    SpectrumFeed();

    // Capture thread: keeps a copy of `block` as the newest when the feed takes blocks.
    // Never blocks and never allocates.
    void Offer(std::span<const std::uint8_t> block);

    // User-interface thread from here on.
    void SetAnalyserOn(bool on);
    void SetDragging(bool dragging);
    bool analyserOn() const { return analyserOn_.load(std::memory_order_relaxed); }
    bool dragging() const { return dragging_.load(std::memory_order_relaxed); }

    // The newest block kept since the analyser was last switched on; empty when there is none.
    std::span<const std::uint8_t> NewestBlock();

private:
    std::atomic<bool> analyserOn_{false};
    std::atomic<bool> dragging_{false};
    std::atomic<std::uint32_t> epoch_{1};
    BlockExchange exchange_;
};

}  // namespace zt
