#include "presets/preset_scramble.h"

namespace zt {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string ScrambleLine(std::string_view plain) {
    std::string stored;
    stored.reserve(plain.size() * 2);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto byte = static_cast<uint8_t>(plain[i]) ^ kPresetKey[i % kPresetKey.size()];
        stored.push_back(kHexDigits[byte >> 4]);
        stored.push_back(kHexDigits[byte & 0x0F]);
    }
    return stored;
}

std::optional<std::string> UnscrambleLine(std::string_view stored) {
    const std::size_t pairs = stored.size() / 2;
    std::string plain;
    plain.reserve(pairs);
    for (std::size_t k = 0; k < pairs; ++k) {
        const int high = HexValue(stored[2 * k]);
        const int low = HexValue(stored[2 * k + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        const auto byte =
            static_cast<uint8_t>((high << 4) | low) ^ kPresetKey[k % kPresetKey.size()];
        plain.push_back(static_cast<char>(byte));
    }
    return plain;
}

}  // namespace zt
