#pragma once
// The stored form of a preset file line: every byte of the plain line is XORed with a fixed
// 8-byte key (restarting at each line) and written as two hexadecimal digits.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt {

inline constexpr std::array<uint8_t, 8> kPresetKey{0x5E, 0x27, 0xC4, 0x91, 0x0B, 0x7A, 0xE3, 0x36};

// Plain line -> stored line: twice as long, upper-case digits 0-9 and A-F only.
std::string ScrambleLine(std::string_view plain);

// Stored line -> plain line. Upper- and lower-case digits are both read; a trailing odd
// character is ignored. Gives nothing when a pair is not hexadecimal.
std::optional<std::string> UnscrambleLine(std::string_view stored);

// The same into `plain`, which has room for stored.size() / 2 bytes: false when a pair is not
// hexadecimal (what was written then means nothing).
bool UnscrambleLineTo(std::string_view stored, char* plain);

// True when every pair of the stored line is hexadecimal.
bool IsScrambledLine(std::string_view stored);

}  // namespace zt
