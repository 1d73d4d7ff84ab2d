#pragma once
// TRecorder: the capture settings of the sound-card component TAudio, and the work done on
// every recorded buffer that needs no sound system: the trigger scan and the split of stereo
// frames into two channel streams.

#include <atomic>
#include <cstdint>
#include <span>

namespace zt {

enum class TChannels { Mono, Stereo };
enum class TBPS { Bits8, Bits16 };

class TRecorder {
public:
    TChannels Channels() const { return channels_; }
    // Mono turns SplitChannels off.
    void SetChannels(TChannels channels);
    TBPS BitsPerSample() const { return bits_; }
    void SetBitsPerSample(TBPS bits) { bits_ = bits; }
    std::uint16_t SampleRate() const { return sampleRate_; }
    void SetSampleRate(std::uint16_t rate) { sampleRate_ = rate; }
    // Samples per channel in one buffer.
    std::int16_t NoSamples() const { return noSamples_; }
    void SetNoSamples(std::int16_t samples) { noSamples_ = samples; }
    bool SplitChannels() const { return split_; }
    // Stays false for mono.
    void SetSplitChannels(bool split) { split_ = split && channels_ == TChannels::Stereo; }
    // A buffer is delivered once one of its samples has been at or above this level: an
    // unsigned byte (silence 128) at 8 bits, a signed value at 16 bits.
    std::int16_t TrigLevel() const { return trigLevel_; }
    void SetTrigLevel(std::int16_t level) { trigLevel_ = level; }
    // Set by the capture thread when the level is reached; the user clears it.
    bool Triggered() const { return triggered_.load(std::memory_order_acquire); }
    void SetTriggered(bool triggered) { triggered_.store(triggered, std::memory_order_release); }

    int ChannelCount() const { return channels_ == TChannels::Stereo ? 2 : 1; }
    int BytesPerSample() const { return bits_ == TBPS::Bits16 ? 2 : 1; }
    int BlockAlign() const { return ChannelCount() * BytesPerSample(); }
    int BytesPerSecond() const { return sampleRate_ * BlockAlign(); }
    // Bytes of one buffer: 1024 at the defaults, 21.3 ms of sound. 0 when NoSamples is not
    // positive, which no device can record.
    int BufferSize() const { return noSamples_ > 0 ? noSamples_ * BlockAlign() : 0; }

private:
    TChannels channels_ = TChannels::Mono;
    TBPS bits_ = TBPS::Bits8;
    std::uint16_t sampleRate_ = 48000;
    std::int16_t noSamples_ = 1024;
    bool split_ = false;
    std::int16_t trigLevel_ = 0;
    std::atomic<bool> triggered_{false};
};

// True when a sample of `buffer` is at or above `level`. A trailing odd byte of a 16-bit buffer
// is not a sample.
bool ReachesTrigger(std::span<const std::uint8_t> buffer, TBPS bits, std::int16_t level);

// Splits stereo frames into the first and second channel's streams, each half of `frames`
// (whole frames only). `left` and `right` hold at least that much.
void SplitStereo(std::span<const std::uint8_t> frames, TBPS bits, std::span<std::uint8_t> left,
                 std::span<std::uint8_t> right);

}  // namespace zt
