#include "presets/preset_scramble.h"

#include <array>

namespace zt {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The value of every byte as a hexadecimal digit, -1 for any other byte.
constexpr std::array<int8_t, 256> MakeHexValues() {
    std::array<int8_t, 256> values{};
    values.fill(-1);
    for (int d = 0; d < 10; ++d) values['0' + d] = static_cast<int8_t>(d);
    for (int d = 0; d < 6; ++d) {
        values['A' + d] = static_cast<int8_t>(10 + d);
        values['a' + d] = static_cast<int8_t>(10 + d);
    }
    return values;
}
constexpr std::array<int8_t, 256> kHexValues = MakeHexValues();

int HexValue(char c) {
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
    std::string plain;
    if (!UnscrambleLineInto(stored, plain)) return std::nullopt;
    return plain;
}

bool UnscrambleLineInto(std::string_view stored, std::string& plain) {
    const std::size_t pairs = stored.size() / 2;
    plain.resize(pairs);
    for (std::size_t k = 0; k < pairs; ++k) {
        const int high = HexValue(stored[2 * k]);
        const int low = HexValue(stored[2 * k + 1]);
        if (high < 0 || low < 0) {
            plain.resize(k);
            return false;
        }
        const auto byte =
            static_cast<uint8_t>((high << 4) | low) ^ kPresetKey[k % kPresetKey.size()];
        plain[k] = static_cast<char>(byte);
    }
    return true;
}

bool IsScrambledLine(std::string_view stored) {
    const std::size_t digits = stored.size() / 2 * 2;
    for (std::size_t i = 0; i < digits; ++i) {
        if (HexValue(stored[i]) < 0) return false;
    }
    return true;
}

}  // namespace zt
