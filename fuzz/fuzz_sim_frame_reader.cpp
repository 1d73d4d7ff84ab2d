// Arbitrary bytes from the editor's side, on the simulated processor: its frame reader cut the
// same frames out of the stream however the stream is split into reads, never holds more than
// one frame's worth of bytes, and the processor answering them stays within its memory.
//
// Input: one byte of piece size (1..64), then the stream.

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "sim/sim_frame_reader.h"
#include "sim/sim_processor.h"

namespace zt {
namespace {

constexpr size_t kLargestFrame = 3 + 255;

bool SameFrames(const std::vector<SimFrame>& a, const std::vector<SimFrame>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].command != b[i].command || a[i].address != b[i].address ||
            a[i].data != b[i].data || a[i].checksumOk != b[i].checksumOk) {
            return false;
        }
    }
    return true;
}

}  // namespace
}  // namespace zt

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zt;
    if (size < 1) return 0;
    const size_t piece = 1 + data[0] % 64;
    const uint8_t* stream = data + 1;
    const size_t length = size - 1;

    SimFrameReader whole;
    std::vector<SimFrame> wholeFrames;
    whole.Feed(stream, length, wholeFrames);

    SimFrameReader pieces;
    std::vector<SimFrame> pieceFrames;
    for (size_t at = 0; at < length; at += piece) {
        pieces.Feed(stream + at, std::min(piece, length - at), pieceFrames);
        if (pieces.pending() > kLargestFrame) std::abort();
    }
    if (!SameFrames(wholeFrames, pieceFrames) || whole.pending() != pieces.pending()) {
        std::abort();
    }
    for (const SimFrame& frame : wholeFrames) {
        if (frame.data.size() > 251) std::abort();
    }

    SimProcessor processor;
    const Bytes answer = processor.Receive(stream, length);
    if (processor.framesReceived() != static_cast<int>(wholeFrames.size())) std::abort();
    (void)answer;
    return 0;
}
