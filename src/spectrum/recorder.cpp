#include "spectrum/recorder.h"

#include <algorithm>
#include <cstring>

namespace zt {

void TRecorder::SetChannels(TChannels channels) {
    channels_ = channels;
    if (channels == TChannels::Mono) split_ = false;
}

bool ReachesTrigger(std::span<const std::uint8_t> buffer, TBPS bits, std::int16_t level) {
    if (bits == TBPS::Bits8) {
        return std::any_of(buffer.begin(), buffer.end(),
                           [level](std::uint8_t s) { return s >= level; });
    }
    for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
        std::int16_t sample;
        std::memcpy(&sample, buffer.data() + i, sizeof sample);  // the card's native order
        if (sample >= level) return true;
    }
    return false;
}

void SplitStereo(std::span<const std::uint8_t> frames, TBPS bits, std::span<std::uint8_t> left,
                 std::span<std::uint8_t> right) {
    const std::size_t width = bits == TBPS::Bits16 ? 2 : 1;
    const std::size_t count = frames.size() / (2 * width);
    for (std::size_t f = 0; f < count; ++f) {
        const std::uint8_t* frame = frames.data() + 2 * width * f;
        std::memcpy(left.data() + width * f, frame, width);
        std::memcpy(right.data() + width * f, frame + width, width);
    }
}

}  // namespace zt
