// Import of filter settings in the format of room-measurement tools into the bands of a channel.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <variant>

#include "eqgraph/eq_exchange.h"
#include "params/value_scales.h"
#include "params/value_tables.h"

namespace zt {
namespace {

constexpr size_t kShownLineLength = 60;
// Half a table step beyond either end still snaps to it.
constexpr double kHalfFrequencyStep = 1.0096735332285105;  // 2^(1/72)
constexpr double kShelfDefaultQ = 0.7071067811865476;      // slope 1: the shelf without a Q

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string_view Trim(std::string_view text) {
    const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        const size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::optional<double> Number(std::string_view word) {
    double value = 0;
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

// One filter line, read.
struct Filter {
    bool on = true;
    int type = 1;  // 1 peaking, 2 low shelf, 3 high shelf
    std::optional<double> hz, gain, q, bandwidth;
};
struct Skip {};
using ReadLine = std::variant<Filter, Skip, LeftOutReason>;

ReadLine ReadFilterType(std::string_view type, std::string_view next, Filter& filter) {
    const std::string t = Lower(type);
    if (t == "pk" || t == "peq") {
        filter.type = 1;
    } else if (t == "ls" || t == "lsc" || t == "lsq") {
        filter.type = 2;
    } else if (t == "hs" || t == "hsc" || t == "hsq") {
        filter.type = 3;
    } else {
        return LeftOutReason::Unsupported;
    }
    // "LS 6dB", "LSC 12.0 dB" and the like: shelves of a fixed slope or a corner frequency.
    if (filter.type != 1 && !next.empty() && Lower(next) != "fc") return LeftOutReason::Unsupported;
    return filter;
}

// The words after "Filter n:".
ReadLine ReadFilter(const std::vector<std::string_view>& words) {
    if (words.empty()) return LeftOutReason::Malformed;
    Filter filter;
    const std::string state = Lower(words[0]);
    if (state != "on" && state != "off") return LeftOutReason::Malformed;
    filter.on = state == "on";
    if (words.size() < 2) return LeftOutReason::Malformed;
    if (Lower(words[1]) == "none") return Skip{};  // an unused slot of a measurement tool
    ReadLine typed = ReadFilterType(words[1], words.size() > 2 ? words[2] : "", filter);
    if (!std::holds_alternative<Filter>(typed)) return typed;
    for (size_t i = 2; i < words.size();) {
        const std::string key = Lower(words[i]);
        if (key == "bw" && i + 1 < words.size() && Lower(words[i + 1]) == "oct") ++i;
        if (i + 1 >= words.size()) return LeftOutReason::Malformed;
        const std::optional<double> value = Number(words[i + 1]);
        if (!value) return LeftOutReason::Malformed;
        std::optional<double>* field = key == "fc"     ? &filter.hz
                                       : key == "gain" ? &filter.gain
                                       : key == "q"    ? &filter.q
                                       : key == "bw"   ? &filter.bandwidth
                                                       : nullptr;
        if (!field || field->has_value()) return LeftOutReason::Malformed;
        *field = value;
        i += 2;
        const std::string unit = i < words.size() ? Lower(words[i]) : std::string();
        if ((key == "fc" && unit == "hz") || (key == "gain" && unit == "db")) ++i;
    }
    if (!filter.hz || !filter.gain) return LeftOutReason::Malformed;
    if (filter.type == 1 && !filter.q && !filter.bandwidth) return LeftOutReason::Malformed;
    return filter;
}

ReadLine ReadLineOf(std::string_view line) {
    if (line.empty() || line.front() == '#' || line.front() == ';') return Skip{};
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return LeftOutReason::Malformed;
    const std::vector<std::string_view> head = Words(line.substr(0, colon));
    if (head.empty()) return LeftOutReason::Malformed;
    const std::string command = Lower(head[0]);
    if (command != "filter") {
        // Another command of the equaliser (a preamp, a channel choice, a graphic EQ): the
        // bands cannot take it.
        const bool word = std::all_of(command.begin(), command.end(),
                                      [](unsigned char c) { return std::isalpha(c) != 0; });
        return word ? LeftOutReason::Unsupported : LeftOutReason::Malformed;
    }
    if (head.size() > 2 || (head.size() == 2 && !Number(head[1]))) return LeftOutReason::Malformed;
    return ReadFilter(Words(line.substr(colon + 1)));
}

// The band fields of a filter, snapped to the processor's tables; nullopt when a value lies
// outside them.
std::optional<ExchangeBand> Snap(const Filter& filter, ExchangeBand band,
                                 const ExchangeQTable& qTable) {
    const double hz = *filter.hz;
    if (hz < FrequencyHz(0) / kHalfFrequencyStep ||
        hz > FrequencyHz(kFrequencyCount - 1) * kHalfFrequencyStep) {
        return std::nullopt;
    }
    const double gainStep = ParseValue(kKindGain, *filter.gain);
    if (gainStep < 0 || gainStep > KindMaximum(kKindGain)) return std::nullopt;
    double q = filter.q.value_or(kShelfDefaultQ);
    if (!filter.q && filter.bandwidth) {
        // The Q of a peaking filter of this bandwidth in octaves, as the equalisers count it.
        const double n = std::exp2(*filter.bandwidth);
        q = *filter.bandwidth > 0 ? std::sqrt(n) / (n - 1) : 0.0;
    }
    const std::optional<int> qIndex =
        filter.type == 1 ? qTable.PeakingIndex(q) : qTable.ShelfIndex(q);
    if (!qIndex) return std::nullopt;
    band.type = filter.on ? filter.type : 0;
    band.frequencyIndex = static_cast<int>(ParseValue(kKindFrequency, hz));
    band.gainStep = static_cast<int>(gainStep);
    (filter.type == 1 ? band.qIndex : band.slopeIndex) = *qIndex;
    return band;
}

}  // namespace

EqImport ParseEqExchange(std::string_view text, const std::vector<ExchangeBand>& current,
                         const ExchangeQTable& qTable) {
    EqImport result;
    result.bands = current;
    if (text.size() > kMaxExchangeFileSize) {
        result.leftOut.push_back({0, "", LeftOutReason::Malformed});
        return result;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 mark
    std::vector<ExchangeBand> bands = current;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
        if (text.substr(0, 2) == "\r\n") {
            text.remove_prefix(2);
        } else if (!text.empty()) {
            text.remove_prefix(1);
        }
        ++lineNumber;
        const std::string_view line = Trim(raw);
        const ReadLine read = ReadLineOf(line);
        const std::string shown(line.substr(0, kShownLineLength));
        if (const auto* reason = std::get_if<LeftOutReason>(&read)) {
            result.leftOut.push_back({lineNumber, shown, *reason});
            continue;
        }
        const auto* filter = std::get_if<Filter>(&read);
        if (!filter) continue;
        if (result.imported >= static_cast<int>(bands.size())) {
            result.leftOut.push_back({lineNumber, shown, LeftOutReason::BeyondBands});
            continue;
        }
        const std::optional<ExchangeBand> band = Snap(*filter, bands[result.imported], qTable);
        if (!band) {
            result.leftOut.push_back({lineNumber, shown, LeftOutReason::OutOfRange});
            continue;
        }
        bands[result.imported++] = *band;
    }
    // The file's filters make the channel's EQ: the bands it has no filter for are bypassed.
    // A file without a single filter to take changes nothing.
    if (result.imported > 0) {
        for (size_t i = result.imported; i < bands.size(); ++i) bands[i].type = 0;
        result.bands = std::move(bands);
    }
    return result;
}

}  // namespace zt
