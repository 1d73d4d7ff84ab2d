#pragma once
// Building the frames the editor sends and applying the frames the processor sends back.
// Building does not send and applying does not read the port: the link engine decides when,
// and the receiver cuts the byte stream into frames.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/device_info.h"
#include "link/protocol.h"
#include "link/serial_port.h"
#include "params/diagnostic_log.h"
#include "params/param_address.h"

namespace zt {

// (F5 + command + address high + address low + data) mod 256: the start byte and everything
// from the command on, leaving out the second start byte and the length.
uint8_t FrameChecksum(uint8_t command, ParamAddress address, std::span<const uint8_t> data);

// F5 B1 length command page slot data checksum. Data beyond 251 bytes cannot be framed and is
// cut off there.
Bytes BuildFrame(uint8_t command, ParamAddress address, std::span<const uint8_t> data);

// The 9-byte frame carrying one 16-bit value, low byte first (only the low 16 bits are sent).
Bytes BuildCommandFrame(uint8_t command, ParamAddress address, int value);

// Text frames: 0x1E01 (save mode) always carries 22 bytes, blank-padded; 0x1E00 is a read
// request carrying the text; any other address carries the text's bytes as they are.
Bytes BuildTextFrame(ParamAddress address, std::string_view text);

// The frames that upload page 0..29 of the image: page 0 in two chunks, every other page in
// one. Slots 0..PageSlotCount-1, low byte first. Empty for other pages.
std::vector<Bytes> BuildPageUploadFrames(const DeviceImage& image, int page);

// Two upper-case hex digits per byte, separated by single spaces.
std::string HexText(std::span<const uint8_t> bytes);

// Where a received frame lands.
struct FrameTargets {
    DeviceImage& image;
    DeviceInfo& info;
    DiagnosticLog& log;
    // The transfer's mode record counter: a mode name is stored at index counter - 1.
    int modeRecordCounter = 0;
};

struct ApplyOutcome {
    bool applied = false;  // false: fewer than 7 bytes, not a frame
    bool checksumOk = false;
    bool deviceIdChanged = false;  // the ID caption must show info.deviceId
};

// Applies one complete frame as the receiver delivers it (F5 B1 ... checksum). A checksum
// mismatch is logged and the frame applied all the same. Never reads past `frame` and never
// writes outside the stores; frames for pages above 30 are dropped.
ApplyOutcome ApplyFrame(std::span<const uint8_t> frame, const FrameTargets& targets);

}  // namespace zt
