#include "spectrum/spectrum_feed.h"

#include <gtest/gtest.h>

#include <vector>

namespace zt {
namespace {

std::vector<std::uint8_t> Block(std::uint8_t value) {
    return std::vector<std::uint8_t>(1024, value);
}

std::vector<std::uint8_t> Newest(SpectrumFeed& feed) {
    const std::span<const std::uint8_t> block = feed.NewestBlock();
    return {block.begin(), block.end()};
}

TEST(SpectrumFeedTest, TakesBlocksOnlyWhileTheAnalyserIsOnAndNothingIsDragged) {
    SpectrumFeed feed;
    feed.Offer(Block(1));
    EXPECT_TRUE(Newest(feed).empty());

    feed.SetAnalyserOn(true);
    feed.Offer(Block(2));
    EXPECT_EQ(Newest(feed), Block(2));

    feed.SetDragging(true);
    feed.Offer(Block(3));
    EXPECT_EQ(Newest(feed), Block(2)) << "frozen during a drag";
    feed.SetDragging(false);
    feed.Offer(Block(4));
    EXPECT_EQ(Newest(feed), Block(4));

    feed.Offer({});
    EXPECT_EQ(Newest(feed), Block(4)) << "an empty buffer replaces nothing";
    EXPECT_EQ(Newest(feed), Block(4)) << "the newest block stays until a newer one";
}

// Switching the analyser off and on again forgets what was captured before, read or not.
TEST(SpectrumFeedTest, SwitchingOnAgainForgetsEarlierBlocks) {
    SpectrumFeed feed;
    feed.SetAnalyserOn(true);
    feed.Offer(Block(1));
    EXPECT_EQ(Newest(feed), Block(1));
    feed.Offer(Block(2));  // not read before the switch
    feed.SetAnalyserOn(false);
    feed.SetAnalyserOn(true);
    EXPECT_TRUE(Newest(feed).empty());
    feed.Offer(Block(3));
    EXPECT_EQ(Newest(feed), Block(3));
    feed.SetAnalyserOn(true);  // already on: nothing changes
    EXPECT_EQ(Newest(feed), Block(3));
}

}  // namespace
}  // namespace zt
