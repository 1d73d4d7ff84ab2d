#pragma once
// Small text operations of the preset files and their list: field splitting, extension
// stripping and reading a decimal field.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

// Cuts the text at every occurrence of the separator. Two separators in a row give an empty
// field; a text without the separator is one field.
std::vector<std::string> SplitFields(std::string_view text, char separator);

// Field `index` of the text as SplitFields would cut it, without copying; nothing when the
// text has fewer fields.
std::optional<std::string_view> FieldOf(std::string_view text, char separator, int index);

// Drops a 4-character extension: the name is cut at a "." that stands exactly five characters
// before its end. Any other dot stays. "Studio.Nddt" -> "Studio", "a.b.Nddt" -> "a.b",
// "abc" -> "abc". Characters are counted as UTF-8 code points.
std::string StripExtension(std::string_view name);

// A signed 32-bit decimal integer: an optional minus sign and at least one digit, nothing
// else. Gives nothing for any other text or a value out of range.
std::optional<int32_t> ParseDecimal(std::string_view text);

}  // namespace zt
