#include "link/frame_codec.h"

#include <algorithm>

#include "params/page_table.h"

namespace zt {

namespace {

uint8_t HighByte(int value) {
    return static_cast<uint8_t>((value >> 8) & 0xFF);
}
uint8_t LowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

void AppendValue(Bytes& data, int value) {
    data.push_back(LowByte(value));
    data.push_back(HighByte(value));
}

}  // namespace

uint8_t FrameChecksum(uint8_t command, ParamAddress address, std::span<const uint8_t> data) {
    unsigned sum = kFrameStart + command + HighByte(address) + LowByte(address);
    for (uint8_t byte : data) sum += byte;
    return static_cast<uint8_t>(sum & 0xFF);
}

Bytes BuildFrame(uint8_t command, ParamAddress address, std::span<const uint8_t> data) {
    data = data.first(std::min<size_t>(data.size(), kMaxFrameData));
    Bytes frame;
    frame.reserve(data.size() + kFrameOverhead);
    frame.push_back(kFrameStart);
    frame.push_back(kFrameSecondStart);
    frame.push_back(static_cast<uint8_t>(data.size() + kLengthOverhead));
    frame.push_back(command);
    frame.push_back(HighByte(address));
    frame.push_back(LowByte(address));
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(FrameChecksum(command, address, data));
    return frame;
}

Bytes BuildCommandFrame(uint8_t command, ParamAddress address, int value) {
    const uint8_t data[2] = {LowByte(value), HighByte(value)};
    return BuildFrame(command, address, data);
}

Bytes BuildTextFrame(ParamAddress address, std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (address == kAddrSaveMode) {
        // Index byte, zero byte and a name cut or blank-padded to 20 characters.
        Bytes data(kSaveModeDataSize, ' ');
        std::copy_n(bytes, std::min<size_t>(text.size(), data.size()), data.begin());
        return BuildFrame(kCommandWrite, address, data);
    }
    const uint8_t command = address == kAddrModeName ? kCommandRead : kCommandWrite;
    return BuildFrame(command, address, std::span<const uint8_t>(bytes, text.size()));
}

std::vector<Bytes> BuildPageUploadFrames(const DeviceImage& image, int page) {
    if (page < 0 || page >= kTransferPageCount) return {};
    const int slotCount = PageSlotCount(page);
    auto chunk = [&](uint8_t first, uint8_t second, int fromSlot, int toSlot) {
        Bytes data{first, second};
        for (int slot = fromSlot; slot < toSlot; ++slot) AppendValue(data, image.Get(page, slot));
        return BuildFrame(kCommandWrite, kAddrPageUpload, data);
    };
    if (page == 0) {
        // The chunk code 0xE0 is the slot offset of the second chunk counted in bytes.
        return {
            chunk(0x00, 0x00, 0, kFirstChunkSlots),
            chunk(0x00, static_cast<uint8_t>(2 * kFirstChunkSlots), kFirstChunkSlots, slotCount)};
    }
    return {chunk(static_cast<uint8_t>(page), 0x00, 0, slotCount)};
}

std::string HexText(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (uint8_t byte : bytes) {
        if (!text.empty()) text.push_back(' ');
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

namespace {

// The parts of a received frame, with the data cut to the bytes actually present.
struct ReceivedFrame {
    int page = 0;
    int slot = 0;
    std::span<const uint8_t> data;
    uint8_t computedChecksum = 0;
    uint8_t receivedChecksum = 0;
};

ReceivedFrame Parse(std::span<const uint8_t> b) {
    ReceivedFrame f;
    f.page = b[4];
    f.slot = b[5];
    // The length byte promises b[2] - 4 data bytes; a short frame only has what lies between
    // the address and its last byte.
    const int promised = std::max(0, static_cast<int>(b[2]) - kLengthOverhead);
    const int present = static_cast<int>(b.size()) - kFrameOverhead;
    f.data = b.subspan(6, std::min(promised, present));
    unsigned sum = b[0];
    for (size_t i = 3; i + 1 < b.size(); ++i) sum += b[i];
    f.computedChecksum = static_cast<uint8_t>(sum & 0xFF);
    f.receivedChecksum = b.back();
    return f;
}

void LogChecksumMismatch(std::span<const uint8_t> frame, const ReceivedFrame& f,
                         DiagnosticLog& log) {
    log.Append(std::to_string(f.page) + "********************");
    log.Append("校验数据匹配不一致:" + std::to_string(f.computedChecksum) + "得到的验证数据：" +
               std::to_string(f.receivedChecksum));
    log.Append("接收到的错误数据：" + HexText(frame));
}

// Bytes outside the printable range arrive as "?".
std::string ModeNameText(std::span<const uint8_t> data) {
    if (data.size() > static_cast<size_t>(kModeNameLength + 1)) data = data.first(kModeNameLength);
    std::string name;
    for (uint8_t byte : data) name.push_back(byte > 0x7F || byte < 0x1E ? '?' : char(byte));
    return name;
}

std::string RawText(std::span<const uint8_t> data) {
    return std::string(data.begin(), data.end());
}

int Value16(std::span<const uint8_t> data, size_t at) {
    return data[at] + 256 * data[at + 1];
}

void ApplyParameterPage(const ReceivedFrame& f, DeviceImage& image) {
    for (size_t k = 0; 2 * k + 1 < f.data.size(); ++k) {
        image.Set(f.page, f.slot + static_cast<int>(k), Value16(f.data, 2 * k));
    }
}

bool ApplySystemPage(const ReceivedFrame& f, const FrameTargets& t) {
    switch (f.slot) {
        case kSlotModeName: {
            const std::string name = ModeNameText(f.data);
            const int index = t.modeRecordCounter - 1;
            // A 21-character name is not a name, and nothing was asked for while the counter
            // stands at 0.
            if (name.size() <= static_cast<size_t>(kModeNameLength) && index >= 0 &&
                index < kDeviceModeCount) {
                t.info.modeNames[index] = name;
            }
            return false;
        }
        case kSlotPanelPassword:
            t.info.panelLockPassword = RawText(f.data);
            return false;
        case kSlotSystemPassword:
            t.info.systemPassword = RawText(f.data);
            return false;
        case kSlotDeviceId:
            t.info.deviceId.clear();
            for (uint8_t byte : f.data.first(std::min<size_t>(f.data.size(), 4))) {
                t.info.deviceId += HexText(std::span<const uint8_t>(&byte, 1));
            }
            return true;
        case 11:
        case 12:
        case 15:
        case 16:
            return false;
        default:
            if (f.slot < kFirstNonValueSystemSlot && f.data.size() >= 2) {
                t.image.Set(f.page, f.slot, Value16(f.data, 0));
            }
            return false;
    }
}

}  // namespace

ApplyOutcome ApplyFrame(std::span<const uint8_t> frame, const FrameTargets& targets) {
    ApplyOutcome outcome;
    if (frame.size() < static_cast<size_t>(kFrameOverhead)) return outcome;
    const ReceivedFrame f = Parse(frame);
    outcome.applied = true;
    outcome.checksumOk = f.computedChecksum == f.receivedChecksum;
    if (!outcome.checksumOk) LogChecksumMismatch(frame, f, targets.log);

    if (f.page < kSystemPage) {
        ApplyParameterPage(f, targets.image);
    } else if (f.page == kSystemPage) {
        outcome.deviceIdChanged = ApplySystemPage(f, targets);
    }
    return outcome;
}

}  // namespace zt
