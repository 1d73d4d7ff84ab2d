#include "spectrum/spectrum_feed.h"

#include "spectrum/block_analysis.h"

namespace zt {

SpectrumFeed::SpectrumFeed() : exchange_(kSpectrumSamples) {}

void SpectrumFeed::Offer(std::span<const std::uint8_t> block) {
    // The epoch is read first: a switch off and on again while this block is copied leaves it
    // tagged with the old epoch, and the reader drops it.
    const std::uint32_t epoch = epoch_.load(std::memory_order_acquire);
    if (block.empty() || !analyserOn_.load(std::memory_order_acquire) ||
        dragging_.load(std::memory_order_acquire)) {
        return;
    }
    exchange_.Publish(block, epoch);
}

void SpectrumFeed::SetAnalyserOn(bool on) {
    if (on && !analyserOn()) epoch_.fetch_add(1, std::memory_order_acq_rel);
    analyserOn_.store(on, std::memory_order_release);
}

void SpectrumFeed::SetDragging(bool dragging) {
    dragging_.store(dragging, std::memory_order_release);
}

std::span<const std::uint8_t> SpectrumFeed::NewestBlock() {
    exchange_.TakeNewest();
    if (exchange_.BlockEpoch() != epoch_.load(std::memory_order_relaxed)) return {};
    return exchange_.Block();
}

}  // namespace zt
