#include "spectrum/recorder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace zt {
namespace {

TEST(TRecorderTest, DefaultsGiveBuffersOf1024BytesOfMono8BitSoundAt48kHz) {
    TRecorder recorder;
    EXPECT_EQ(recorder.Channels(), TChannels::Mono);
    EXPECT_EQ(recorder.BitsPerSample(), TBPS::Bits8);
    EXPECT_EQ(recorder.SampleRate(), 48000);
    EXPECT_EQ(recorder.NoSamples(), 1024);
    EXPECT_EQ(recorder.BlockAlign(), 1);
    EXPECT_EQ(recorder.BytesPerSecond(), 48000);
    EXPECT_EQ(recorder.BufferSize(), 1024);
    EXPECT_FALSE(recorder.SplitChannels());
    EXPECT_EQ(recorder.TrigLevel(), 0);
    EXPECT_FALSE(recorder.Triggered());

    recorder.SetChannels(TChannels::Stereo);
    recorder.SetBitsPerSample(TBPS::Bits16);
    EXPECT_EQ(recorder.BlockAlign(), 4);
    EXPECT_EQ(recorder.BufferSize(), 4096);
    EXPECT_EQ(recorder.BytesPerSecond(), 192000);
    recorder.SetNoSamples(0);
    EXPECT_EQ(recorder.BufferSize(), 0);
    recorder.SetNoSamples(-5);
    EXPECT_EQ(recorder.BufferSize(), 0);
}

TEST(TRecorderTest, SplitChannelsNeedsStereo) {
    TRecorder recorder;
    recorder.SetSplitChannels(true);
    EXPECT_FALSE(recorder.SplitChannels());
    recorder.SetChannels(TChannels::Stereo);
    recorder.SetSplitChannels(true);
    EXPECT_TRUE(recorder.SplitChannels());
    recorder.SetChannels(TChannels::Mono);
    EXPECT_FALSE(recorder.SplitChannels());
}

std::vector<std::uint8_t> Samples16(std::initializer_list<std::int16_t> values) {
    std::vector<std::uint8_t> bytes(values.size() * 2);
    std::memcpy(bytes.data(), std::data(values), bytes.size());
    return bytes;
}

TEST(TRecorderTest, TriggerScanReadsUnsignedBytesOrSigned16BitSamples) {
    const std::vector<std::uint8_t> quiet = {120, 128, 136};
    EXPECT_TRUE(ReachesTrigger(quiet, TBPS::Bits8, 0));
    EXPECT_TRUE(ReachesTrigger(quiet, TBPS::Bits8, 136));
    EXPECT_FALSE(ReachesTrigger(quiet, TBPS::Bits8, 137));
    EXPECT_FALSE(ReachesTrigger(quiet, TBPS::Bits8, 256));  // above every byte
    EXPECT_FALSE(ReachesTrigger({}, TBPS::Bits8, 0));

    const std::vector<std::uint8_t> signed16 = Samples16({-3000, 1200, -1});
    EXPECT_TRUE(ReachesTrigger(signed16, TBPS::Bits16, 1200));
    EXPECT_FALSE(ReachesTrigger(signed16, TBPS::Bits16, 1201));
    EXPECT_TRUE(ReachesTrigger(signed16, TBPS::Bits16, -2));
    std::vector<std::uint8_t> odd = Samples16({-4});
    odd.push_back(0x7f);  // half a sample is not one
    EXPECT_FALSE(ReachesTrigger(odd, TBPS::Bits16, 0));
}

TEST(TRecorderTest, SplitStereoSeparatesTheChannelsOfWholeFrames) {
    const std::vector<std::uint8_t> frames8 = {1, 2, 3, 4, 5, 6, 7};  // the 7th byte is no frame
    std::vector<std::uint8_t> left(3), right(3);
    SplitStereo(frames8, TBPS::Bits8, left, right);
    EXPECT_EQ(left, (std::vector<std::uint8_t>{1, 3, 5}));
    EXPECT_EQ(right, (std::vector<std::uint8_t>{2, 4, 6}));

    const std::vector<std::uint8_t> frames16 = Samples16({100, -100, 200, -200});
    std::vector<std::uint8_t> left16(4), right16(4);
    SplitStereo(frames16, TBPS::Bits16, left16, right16);
    EXPECT_EQ(left16, Samples16({100, 200}));
    EXPECT_EQ(right16, Samples16({-100, -200}));
}

}  // namespace
}  // namespace zt
