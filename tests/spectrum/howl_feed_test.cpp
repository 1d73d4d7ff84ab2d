#include "spectrum/howl_feed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "programme_signals.h"

namespace zt {
namespace {

using namespace testing_support;

// 16-bit samples as the sound system records them, in the machine's byte order.
std::vector<std::uint8_t> Bytes(const std::vector<float>& signal) {
    std::vector<std::uint8_t> bytes(signal.size() * 2);
    for (std::size_t j = 0; j < signal.size(); ++j) {
        const auto s = static_cast<std::int16_t>(std::lround(signal[j] * 32767.0f));
        std::memcpy(bytes.data() + 2 * j, &s, 2);
    }
    return bytes;
}

std::vector<float> Tone(double hz, double seconds) {
    std::vector<float> tone(static_cast<std::size_t>(seconds * kProgrammeRate));
    AddHowl(tone, {hz, 0.0, 0.0, -20.0, -20.0});
    return tone;
}

// Offers the bytes in blocks of 2048 bytes (1024 samples), as capture hands them on; `shift`
// starts every block one byte later, so that its samples lie on odd addresses.
void OfferInBlocks(HowlFeed& feed, const std::vector<std::uint8_t>& bytes, bool shift = false) {
    std::vector<std::uint8_t> block(2049);
    for (std::size_t at = 0; at + 2048 <= bytes.size(); at += 2048) {
        std::memcpy(block.data() + (shift ? 1 : 0), bytes.data() + at, 2048);
        feed.Offer(std::span(block).subspan(shift ? 1 : 0, 2048));
    }
}

TEST(HowlFeedTest, MarksAHowlFromSixteenBitBlocksOnlyWhileOn) {
    const std::vector<std::uint8_t> tone = Bytes(Tone(1250.0, 1.0));
    for (const bool shift : {false, true}) {
        HowlFeed feed;
        OfferInBlocks(feed, tone, shift);
        EXPECT_TRUE(feed.Marks().empty()) << "heard while off";
        EXPECT_EQ(feed.Frames(), 0u);
        feed.SetOn(true);
        OfferInBlocks(feed, tone, shift);
        const std::vector<HowlMark> marks = feed.Marks();
        ASSERT_EQ(marks.size(), 1u) << "shifted " << shift;
        EXPECT_NEAR(marks[0].hz, 1250.0, 2.0);
        EXPECT_NEAR(marks[0].levelDb, -17.0, 0.5);
        EXPECT_TRUE(marks[0].current);
        EXPECT_GT(feed.Frames(), 40u);
        feed.SetOn(false);
        EXPECT_TRUE(feed.Marks().empty());
    }
}

// A howl that stops keeps its marker for about a second (not current), then goes; a howl a
// hair's breadth away is the same howl, a howl elsewhere a second marker, loudest first.
TEST(HowlFeedTest, KeepsAMarkerAWhileAfterTheHowlStopsAndMergesNearbyFrequencies) {
    HowlFeed feed;
    feed.SetOn(true);
    OfferInBlocks(feed, Bytes(Tone(1000.0, 1.0)));
    OfferInBlocks(feed, Bytes(Tone(1003.0, 0.5)));
    ASSERT_EQ(feed.Marks().size(), 1u);
    std::vector<float> louder = Tone(500.0, 0.6);
    for (float& s : louder) s *= 2.0f;
    OfferInBlocks(feed, Bytes(louder));
    std::vector<HowlMark> marks = feed.Marks();
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_NEAR(marks[0].hz, 500.0, 2.0);
    EXPECT_TRUE(marks[0].current);
    EXPECT_NEAR(marks[1].hz, 1003.0, 2.0);
    EXPECT_FALSE(marks[1].current);

    OfferInBlocks(feed, Bytes(std::vector<float>(24000)));  // half a second of silence
    marks = feed.Marks();
    ASSERT_EQ(marks.size(), 1u) << "the 500 Hz howl, silent for 0.5 s, is still marked";
    EXPECT_FALSE(marks[0].current);
    OfferInBlocks(feed, Bytes(std::vector<float>(48000)));
    EXPECT_TRUE(feed.Marks().empty());
}

TEST(HowlFeedTest, SwitchingOnAgainForgetsWhatWasHeardBefore) {
    HowlFeed feed;
    feed.SetOn(true);
    const std::vector<std::uint8_t> tone = Bytes(Tone(2000.0, 1.0));
    OfferInBlocks(feed, tone);
    ASSERT_EQ(feed.Marks().size(), 1u);
    feed.SetOn(false);
    feed.SetOn(true);
    // Five frames of the tone: too few to flag, had the detector kept the frames before.
    OfferInBlocks(feed, std::vector<std::uint8_t>(tone.begin(), tone.begin() + 5 * 2048));
    EXPECT_TRUE(feed.Marks().empty());
    EXPECT_EQ(feed.Frames(), 5u);
    feed.Offer(std::vector<std::uint8_t>(3, 0));  // one sample and a stray byte: no frame
    EXPECT_EQ(feed.Frames(), 5u);
}

}  // namespace
}  // namespace zt
