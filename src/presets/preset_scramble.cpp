#include "presets/preset_scramble.h"

#include <array>

namespace zt {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The value of every byte as a hexadecimal digit, kNotHex for any other byte.
constexpr uint8_t kNotHex = 0x80;
constexpr std::array<uint8_t, 256> MakeHexValues() {
    std::array<uint8_t, 256> values{};
    values.fill(kNotHex);
    for (int d = 0; d < 10; ++d) values['0' + d] = static_cast<uint8_t>(d);
    for (int d = 0; d < 6; ++d) {
        values['A' + d] = static_cast<uint8_t>(10 + d);
        values['a' + d] = static_cast<uint8_t>(10 + d);
    }
    return values;
}
constexpr std::array<uint8_t, 256> kHexValues = MakeHexValues();

uint8_t HexValue(char c) {
    return kHexValues[static_cast<unsigned char>(c)];
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
    std::string plain(stored.size() / 2, '\0');
    if (!UnscrambleLineTo(stored, plain.data())) return std::nullopt;
    return plain;
}

bool UnscrambleLineTo(std::string_view stored, char* out) {
    const std::size_t pairs = stored.size() / 2;
    // Every pair is decoded and the digits' flags gathered; one look at the end says whether
    // all were hexadecimal.
    uint8_t flags = 0;
    for (std::size_t k = 0; k < pairs; ++k) {
        const uint8_t high = HexValue(stored[2 * k]);
        const uint8_t low = HexValue(stored[2 * k + 1]);
        flags |= high | low;
        out[k] = static_cast<char>(static_cast<uint8_t>((high << 4) | low) ^
                                   kPresetKey[k % kPresetKey.size()]);
    }
    return (flags & kNotHex) == 0;
}

bool IsScrambledLine(std::string_view stored) {
    const std::size_t digits = stored.size() / 2 * 2;
    uint8_t flags = 0;
    for (std::size_t i = 0; i < digits; ++i) flags |= HexValue(stored[i]);
    return (flags & kNotHex) == 0;
}

}  // namespace zt
