#include "presets/preset_text.h"

#include <charconv>

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
    // from_chars takes a minus sign but no plus sign, and never skips blanks.
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace zt
