#pragma once
// Hands whole sample blocks from the capture thread to the analysis on the user-interface
// thread: a triple buffer. The writer fills its own slot and swaps it with the shared middle
// slot in one atomic step; the reader swaps its slot with the middle one when a newer block is
// there. Neither side ever sees a slot the other is writing, neither blocks, and nothing is
// allocated after construction.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zt {

class BlockExchange {
public:
    // Each slot holds up to `capacity` bytes.
    explicit BlockExchange(std::size_t capacity);

    BlockExchange(const BlockExchange&) = delete;
    BlockExchange& operator=(const BlockExchange&) = delete;

    // Writer side, one thread only. Copies the first `capacity` bytes of `block` and makes them
    // the newest block, tagged with `epoch`.
    void Publish(std::span<const std::uint8_t> block, std::uint32_t epoch);

    // Reader side, one thread only. Takes the newest block when one has been published since the
    // last take and returns true; the reader's block stays as it was otherwise.
    bool TakeNewest();
    // The reader's block and its epoch (empty, epoch 0, before the first take).
    std::span<const std::uint8_t> Block() const;
    std::uint32_t BlockEpoch() const { return slots_[front_].epoch; }

private:
    struct Slot {
        std::vector<std::uint8_t> bytes;
        std::size_t size = 0;
        std::uint32_t epoch = 0;
    };
    static constexpr std::uint8_t kFresh = 0x4;  // set beside the middle slot's index
    static constexpr std::uint8_t kIndexMask = 0x3;

    std::array<Slot, 3> slots_;
    std::atomic<std::uint8_t> middle_{1};
    std::uint8_t back_ = 0;   // the writer's slot
    std::uint8_t front_ = 2;  // the reader's slot
};

}  // namespace zt
