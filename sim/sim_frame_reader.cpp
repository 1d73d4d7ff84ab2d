#include "sim/sim_frame_reader.h"

#include <algorithm>

#include "link/protocol.h"

namespace zt {
namespace {

constexpr size_t kHeaderSize = 4;  // start, second start, length, command

bool HeaderCanStartFrame(const uint8_t* h) {
    return h[1] == kFrameSecondStart && h[2] >= kLengthOverhead &&
           (h[3] == kCommandWrite || h[3] == kCommandRead);
}

uint8_t Checksum(const uint8_t* frame, size_t size) {
    unsigned sum = frame[0];
    for (size_t i = 3; i + 1 < size; ++i) sum += frame[i];
    return static_cast<uint8_t>(sum);
}

}  // namespace

void SimFrameReader::Feed(const uint8_t* bytes, size_t count, std::vector<SimFrame>& frames) {
    pending_.insert(pending_.end(), bytes, bytes + count);
    size_t pos = 0;
    while (true) {
        const auto start = std::find(pending_.begin() + static_cast<std::ptrdiff_t>(pos),
                                     pending_.end(), kFrameStart);
        pos = static_cast<size_t>(start - pending_.begin());
        if (pending_.size() - pos < kHeaderSize) break;
        const uint8_t* h = pending_.data() + pos;
        if (!HeaderCanStartFrame(h)) {
            ++pos;
            continue;
        }
        const size_t size = 3 + static_cast<size_t>(h[2]);
        if (pending_.size() - pos < size) break;
        SimFrame frame;
        frame.command = h[3];
        frame.address = MakeAddress(h[4], h[5]);
        frame.data.assign(h + 6, h + size - 1);
        frame.checksumOk = Checksum(h, size) == h[size - 1];
        const bool ok = frame.checksumOk;
        frames.push_back(std::move(frame));
        // A frame that does not add up may have been noise that looked like a header: search
        // again from the byte after its start instead of skipping its whole length.
        pos += ok ? size : 1;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pos));
}

}  // namespace zt
