#include "spectrum/block_exchange.h"

#include <algorithm>

namespace zt {

BlockExchange::BlockExchange(std::size_t capacity) {
    for (Slot& slot : slots_) slot.bytes.resize(capacity);
}

void BlockExchange::Publish(std::span<const std::uint8_t> block, std::uint32_t epoch) {
    Slot& slot = slots_[back_];
    slot.size = std::min(block.size(), slot.bytes.size());
    std::copy_n(block.begin(), slot.size, slot.bytes.begin());
    slot.epoch = epoch;
    // Release: the reader that takes this slot sees its bytes.
    const std::uint8_t previous = middle_.exchange(back_ | kFresh, std::memory_order_acq_rel);
    back_ = previous & kIndexMask;
}

bool BlockExchange::TakeNewest() {
    if ((middle_.load(std::memory_order_relaxed) & kFresh) == 0) return false;
    // Acquire: the bytes the writer put into the slot before publishing it are visible.
    const std::uint8_t previous = middle_.exchange(front_, std::memory_order_acq_rel);
    front_ = previous & kIndexMask;
    return true;
}

std::span<const std::uint8_t> BlockExchange::Block() const {
    const Slot& slot = slots_[front_];
    return {slot.bytes.data(), slot.size};
}

}  // namespace zt
