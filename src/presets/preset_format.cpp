#include "presets/preset_format.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>
#include <string_view>

#include "presets/preset_scramble.h"
#include "presets/preset_text.h"

namespace zt {
namespace {

constexpr int kHeaderLineCount = 2;

// Masks and unmasks with the line index on the 32-bit two's-complement form.
int32_t Mask(int32_t value, int32_t lineIndex) {
    return value ^ lineIndex;
}

std::string EntryLine(int32_t first, int32_t second) {
    return std::to_string(first) + ' ' + std::to_string(second);
}

// Field 1 of a plain line read as a decimal number.
std::optional<int32_t> SecondField(std::string_view plain) {
    const std::optional<std::string_view> field = FieldOf(plain, ' ', 1);
    if (!field) return std::nullopt;
    return ParseDecimal(*field);
}

// The whole stream; one read where the stream knows its length.
std::string AllOf(std::istream& in) {
    std::string text;
    const std::istream::pos_type start = in.tellg();
    if (start != std::istream::pos_type(-1) && in.seekg(0, std::ios::end)) {
        const std::istream::pos_type end = in.tellg();
        in.seekg(start);
        if (end != std::istream::pos_type(-1) && end >= start) {
            text.resize(static_cast<std::size_t>(end - start));
            in.read(text.data(), static_cast<std::streamsize>(text.size()));
            text.resize(static_cast<std::size_t>(in.gcount()));
            return text;
        }
    }
    in.clear();
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return text;
}

// Lines end at LF; a CR before it belongs to the line ending. A final line ending adds no
// empty line. The lines are views into `text`.
std::vector<std::string_view> StoredLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

bool HeaderMatches(std::string_view stored, int32_t code, std::string& plain) {
    UnscrambleLineInto(stored, plain);
    const std::optional<int32_t> number = SecondField(plain);
    return number && (*number ^ kPresetHeaderMask) == code;
}

// "A V" without a heap allocation for numbers of the preset range.
void AppendEntryLine(DiagnosticLog& log, int32_t address, int32_t value) {
    char buffer[32];
    char* end = std::to_chars(buffer, buffer + 12, address).ptr;
    *end++ = ' ';
    end = std::to_chars(end, buffer + sizeof buffer, value).ptr;
    log.Append(std::string(buffer, end));
}

PresetContent Failed(PresetCheck check) {
    return PresetContent{check, {}};
}

}  // namespace

int32_t PresetChecksum(uint32_t valueSum) {
    const auto t = static_cast<int32_t>((valueSum ^ 0xFFFFu) + 1u);
    return t % 256;
}

std::vector<std::string> PresetPlainLines(const DeviceImage& image) {
    std::vector<std::string> lines;
    lines.push_back("R7 " + std::to_string(kPresetModelCode ^ kPresetHeaderMask));
    lines.push_back("Vorel " + std::to_string(kPresetMakerCode ^ kPresetHeaderMask));
    uint32_t sum = 0;
    auto addEntry = [&](ParamAddress address) {
        const int32_t value = image.Get(address);
        const auto n = static_cast<int32_t>(lines.size());
        lines.push_back(EntryLine(Mask(address, n), Mask(value, n)));
        sum += static_cast<uint32_t>(value);
    };
    for (int page = 0; page < kPresetPageCount; ++page) {
        for (int slot = 0; slot <= kPresetLastSlot[page]; ++slot) addEntry(MakeAddress(page, slot));
    }
    addEntry(kPresetExtraAddress);
    lines.push_back("Intoal: " + std::to_string(lines.size()));
    lines.push_back("CCCCK: " + std::to_string(PresetChecksum(sum)));
    return lines;
}

std::string PresetFileText(const DeviceImage& image) {
    std::string text;
    for (const std::string& plain : PresetPlainLines(image)) {
        text += ScrambleLine(plain);
        text += "\r\n";
    }
    return text;
}

PresetContent ReadPresetContent(std::istream& in, DiagnosticLog& log) {
    const std::string text = AllOf(in);
    return ReadPresetContent(std::string_view(text), log);
}

PresetContent ReadPresetContent(std::string_view text, DiagnosticLog& log) {
    const std::vector<std::string_view> lines = StoredLines(text);
    for (const std::string_view stored : lines) {
        if (!IsScrambledLine(stored)) return Failed(PresetCheck::kFormatError);
    }
    const std::size_t count = lines.size();
    std::string plain;  // one line at a time, its storage kept
    plain.reserve(64);
    if (count < kHeaderLineCount || !HeaderMatches(lines[0], kPresetModelCode, plain) ||
        !HeaderMatches(lines[1], kPresetMakerCode, plain)) {
        return Failed(PresetCheck::kFormatError);
    }

    UnscrambleLineInto(lines[count - 2], plain);
    const std::optional<int32_t> recordCount = SecondField(plain);
    UnscrambleLineInto(lines[count - 1], plain);
    const std::optional<int32_t> expectedChecksum = SecondField(plain);
    if (!recordCount || !expectedChecksum) return Failed(PresetCheck::kCorrupted);
    log.Clear();
    if (*recordCount < 0 || static_cast<std::size_t>(*recordCount) + 2 != count) {
        return Failed(PresetCheck::kCorrupted);
    }

    PresetContent content{PresetCheck::kAccepted, {}};
    content.entries.reserve(count > 4 ? count - 4 : 0);
    uint32_t sum = 0;
    for (std::size_t n = kHeaderLineCount; n + 2 < count; ++n) {
        UnscrambleLineInto(lines[n], plain);
        const std::optional<std::string_view> first = FieldOf(plain, ' ', 0);
        const std::optional<std::string_view> second = FieldOf(plain, ' ', 1);
        if (!first || !second) return Failed(PresetCheck::kCorrupted);
        const std::optional<int32_t> address = ParseDecimal(*first);
        const std::optional<int32_t> value = ParseDecimal(*second);
        if (!address || !value) return Failed(PresetCheck::kCorrupted);
        const PresetEntry entry{Mask(*address, static_cast<int32_t>(n)),
                                Mask(*value, static_cast<int32_t>(n))};
        AppendEntryLine(log, entry.address, entry.value);
        if (!IsStoreAddress(entry.address)) return Failed(PresetCheck::kCorrupted);
        sum += static_cast<uint32_t>(entry.value);
        content.entries.push_back(entry);
    }
    if (PresetChecksum(sum) != *expectedChecksum) return Failed(PresetCheck::kCorrupted);
    return content;
}

void ApplyPresetContent(const PresetContent& content, DeviceImage& image) {
    if (content.check != PresetCheck::kAccepted) return;
    for (const PresetEntry& entry : content.entries) image.Set(entry.address, entry.value);
}

}  // namespace zt
