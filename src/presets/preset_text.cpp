#include "presets/preset_text.h"

#include <climits>

namespace zt {
namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view text, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            return fields;
        }
        fields.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::optional<std::string_view> FieldOf(std::string_view text, char separator, int index) {
    std::size_t start = 0;
    for (int field = 0; field < index; ++field) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) return std::nullopt;
        start = end + 1;
    }
    const std::size_t end = text.find(separator, start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string StripExtension(std::string_view name) {
    // Walk back over the last four characters; what stands before them must be the dot.
    std::size_t pos = name.size();
    for (int characters = 0; characters < 4; ++characters) {
        if (pos == 0) return std::string(name);
        --pos;
        while (pos > 0 && IsContinuationByte(name[pos])) --pos;
    }
    if (pos == 0 || name[pos - 1] != '.') return std::string(name);
    return std::string(name.substr(0, pos - 1));
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
    // A plus sign, blanks or any other character make it no number. Leading zeros are read.
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    const int64_t limit = negative ? -int64_t{INT32_MIN} : int64_t{INT32_MAX};
    int64_t value = 0;
    for (const char c : text) {
        const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
        if (digit > 9) return std::nullopt;
        value = value * 10 + digit;
        if (value > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace zt
