#include "presets/preset_format.h"

#include <iterator>
#include <optional>

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
std::optional<int32_t> SecondField(const std::string& plain) {
    const std::vector<std::string> fields = SplitFields(plain, ' ');
    if (fields.size() < 2) return std::nullopt;
    return ParseDecimal(fields[1]);
}

// Lines end at LF; a CR before it belongs to the line ending. A final line ending adds no
// empty line.
std::vector<std::string> StoredLines(std::istream& in) {
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

bool HeaderMatches(const std::string& plain, int32_t code) {
    const std::optional<int32_t> number = SecondField(plain);
    return number && (*number ^ kPresetHeaderMask) == code;
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
    std::vector<std::string> lines;
    for (const std::string& stored : StoredLines(in)) {
        std::optional<std::string> plain = UnscrambleLine(stored);
        if (!plain) return Failed(PresetCheck::kFormatError);
        lines.push_back(std::move(*plain));
    }
    const std::size_t count = lines.size();
    if (count < kHeaderLineCount || !HeaderMatches(lines[0], kPresetModelCode) ||
        !HeaderMatches(lines[1], kPresetMakerCode)) {
        return Failed(PresetCheck::kFormatError);
    }

    const std::optional<int32_t> recordCount = SecondField(lines[count - 2]);
    const std::optional<int32_t> expectedChecksum = SecondField(lines[count - 1]);
    if (!recordCount || !expectedChecksum) return Failed(PresetCheck::kCorrupted);
    log.Clear();
    if (*recordCount < 0 || static_cast<std::size_t>(*recordCount) + 2 != count) {
        return Failed(PresetCheck::kCorrupted);
    }

    PresetContent content{PresetCheck::kAccepted, {}};
    content.entries.reserve(count > 4 ? count - 4 : 0);
    uint32_t sum = 0;
    for (std::size_t n = kHeaderLineCount; n + 2 < count; ++n) {
        const std::vector<std::string> fields = SplitFields(lines[n], ' ');
        if (fields.size() < 2) return Failed(PresetCheck::kCorrupted);
        const std::optional<int32_t> address = ParseDecimal(fields[0]);
        const std::optional<int32_t> value = ParseDecimal(fields[1]);
        if (!address || !value) return Failed(PresetCheck::kCorrupted);
        const PresetEntry entry{Mask(*address, static_cast<int32_t>(n)),
                                Mask(*value, static_cast<int32_t>(n))};
        log.Append(EntryLine(entry.address, entry.value));
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
