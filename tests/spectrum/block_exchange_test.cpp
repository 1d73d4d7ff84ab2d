#include "spectrum/block_exchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace zt {
namespace {

std::vector<std::uint8_t> Filled(std::size_t n, std::uint8_t value) {
    return std::vector<std::uint8_t>(n, value);
}

TEST(BlockExchangeTest, ReaderSeesTheNewestBlockOnceAndKeepsIt) {
    BlockExchange exchange(16);
    EXPECT_FALSE(exchange.TakeNewest());
    EXPECT_TRUE(exchange.Block().empty());
    EXPECT_EQ(exchange.BlockEpoch(), 0u);

    exchange.Publish(Filled(4, 1), 7);
    exchange.Publish(Filled(6, 2), 8);
    ASSERT_TRUE(exchange.TakeNewest());
    EXPECT_EQ(std::vector(exchange.Block().begin(), exchange.Block().end()), Filled(6, 2));
    EXPECT_EQ(exchange.BlockEpoch(), 8u);

    EXPECT_FALSE(exchange.TakeNewest());  // nothing newer: the block stays
    EXPECT_EQ(exchange.Block().size(), 6u);

    exchange.Publish(Filled(40, 3), 9);  // cut to the capacity
    ASSERT_TRUE(exchange.TakeNewest());
    EXPECT_EQ(std::vector(exchange.Block().begin(), exchange.Block().end()), Filled(16, 3));
}

// A writer thread publishes blocks as fast as it can while the reader takes them: every block
// the reader sees is whole (one value, the size that belongs to it) and newer than the last.
TEST(BlockExchangeTest, ConcurrentReaderNeverSeesATornOrOlderBlock) {
    constexpr std::size_t kCapacity = 1024;
    constexpr std::uint32_t kBlocks = 30000;
    BlockExchange exchange(kCapacity);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        std::vector<std::uint8_t> block(kCapacity);
        for (std::uint32_t i = 1; i <= kBlocks; ++i) {
            const std::size_t size = i % kCapacity + 1;
            std::fill_n(block.begin(), size, static_cast<std::uint8_t>(i));
            exchange.Publish(std::span(block).first(size), i);
        }
        done = true;
    });
    std::uint32_t last = 0;
    int taken = 0;
    int torn = 0;
    for (;;) {
        const bool finished = done;
        if (!exchange.TakeNewest()) {
            if (finished) break;  // the last block went out before `done` was set
            continue;
        }
        ++taken;
        const std::uint32_t epoch = exchange.BlockEpoch();
        const std::span<const std::uint8_t> block = exchange.Block();
        if (epoch <= last || block.size() != epoch % kCapacity + 1 ||
            std::any_of(block.begin(), block.end(),
                        [&](std::uint8_t b) { return b != static_cast<std::uint8_t>(epoch); })) {
            ++torn;
        }
        last = epoch;
    }
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(taken, 0);
    EXPECT_EQ(exchange.BlockEpoch(), kBlocks);
}

}  // namespace
}  // namespace zt
