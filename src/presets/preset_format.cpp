#include "presets/preset_format.h"

#include <algorithm>
#include <charconv>
#include <cstring>
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

// The plain lines of a file, unscrambled one after another into one buffer. Lines end at LF;
// a CR before it belongs to the line ending (also at the end of a last line without LF). A final
// line ending adds no empty line.
class PlainLines {
public:
    // False when a line is not hexadecimal.
    bool Read(std::string_view stored) {
        text_.resize(stored.size() / 2);  // the most the plain lines can take
        ends_.reserve(stored.size() / kTypicalStoredLine + 2);
        std::size_t used = 0;
        std::size_t start = 0;
        while (start < stored.size()) {
            const auto* lf = static_cast<const char*>(
                std::memchr(stored.data() + start, '\n', stored.size() - start));
            const std::size_t end = lf == nullptr ? stored.size() : lf - stored.data();
            std::size_t stop = end;
            if (stop > start && stored[stop - 1] == '\r') --stop;
            const std::string_view line = stored.substr(start, stop - start);
            if (!UnscrambleLineTo(line, text_.data() + used)) return false;
            used += line.size() / 2;
            ends_.push_back(used);
            start = end + 1;
        }
        text_.resize(used);
        return true;
    }

    std::size_t size() const { return ends_.size(); }
    std::string_view operator[](std::size_t n) const {
        const std::size_t begin = n == 0 ? 0 : ends_[n - 1];
        return std::string_view(text_).substr(begin, ends_[n] - begin);
    }

private:
    // An entry line takes about 20 stored characters; more lines than this estimate only cost
    // the list a few reallocations.
    static constexpr std::size_t kTypicalStoredLine = 16;
    std::string text_;
    std::vector<std::size_t> ends_;
};

bool HeaderMatches(std::string_view plain, int32_t code) {
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
    PlainLines lines;
    if (!lines.Read(text)) return Failed(PresetCheck::kFormatError);
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
        const std::string_view plain = lines[n];
        const std::size_t space = plain.find(' ');
        if (space == std::string_view::npos) return Failed(PresetCheck::kCorrupted);
        // The second field ends at a further blank; what follows it is not read.
        std::string_view second = plain.substr(space + 1);
        second = second.substr(0, second.find(' '));
        const std::optional<int32_t> address = ParseDecimal(plain.substr(0, space));
        const std::optional<int32_t> value = ParseDecimal(second);
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
