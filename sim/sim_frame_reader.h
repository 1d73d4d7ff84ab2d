#pragma once
// Reassembly of the frames the editor sends, on the processor's side. Bytes may arrive in any
// pieces and with noise between frames; a header that cannot start a frame, or a frame whose
// checksum does not add up, gives its start byte up and the search goes on from the byte after
// it, so that noise never swallows a good frame that follows.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/serial_port.h"
#include "params/param_address.h"

namespace zt {

struct SimFrame {
    uint8_t command = 0;
    ParamAddress address = 0;
    Bytes data;
    bool checksumOk = true;
};

class SimFrameReader {
public:
    // Appends the bytes and moves every frame they complete to `frames`, in order.
    void Feed(const uint8_t* bytes, size_t count, std::vector<SimFrame>& frames);
    // Bytes held while a frame is incomplete.
    size_t pending() const { return pending_.size(); }
    void Reset() { pending_.clear(); }

private:
    Bytes pending_;
};

}  // namespace zt
