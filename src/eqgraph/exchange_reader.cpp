// Reading filter files into their meaning.

#include "eqgraph/exchange_reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

namespace zt {
namespace {

constexpr size_t kShownLineLength = 60;
constexpr double kButterworthQ = 0.7071067811865476;  // slope 1 of a shelf, the plain pass filter
constexpr double kFileNotchQ = 30.0;                  // a notch without a Q

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool Space(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && Space(text.front())) text.remove_prefix(1);
    while (!text.empty() && Space(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && Space(text[i])) ++i;
        const size_t start = i;
        while (i < text.size() && !Space(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// Numbers as the file writes them. In a file with decimal commas a dot groups thousands
// ("3.155" is 3155) wherever it is followed by exactly three digits.
class NumberReader {
public:
    explicit NumberReader(bool decimalComma) : decimalComma_(decimalComma) {}

    std::optional<double> operator()(std::string_view word) const {
        if (!word.empty() && word.front() == '+') word.remove_prefix(1);
        std::string plain;
        for (size_t i = 0; i < word.size(); ++i) {
            const char c = word[i];
            if (decimalComma_ && c == '.' && IsGrouping(word, i)) continue;
            if (decimalComma_ && c == ',') {
                plain += '.';
            } else if (c == '.' && decimalComma_) {
                return std::nullopt;  // a dot that groups nothing in a comma file
            } else {
                plain += c;
            }
        }
        // A unit written on the number: "1000Hz", "-3dB".
        for (const char* unit : {"hz", "db"}) {
            const std::string lower = Lower(plain);
            if (lower.size() > 2 && lower.ends_with(unit)) plain.resize(plain.size() - 2);
        }
        double value = 0;
        const char* end = plain.data() + plain.size();
        const auto [stop, error] = std::from_chars(plain.data(), end, value);
        if (plain.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
            return std::nullopt;
        }
        return value;
    }

private:
    static bool IsGrouping(std::string_view word, size_t dot) {
        if (dot == 0 || !Digit(word[dot - 1])) return false;
        size_t digits = 0;
        size_t i = dot + 1;
        while (i < word.size() && Digit(word[i])) ++i, ++digits;
        return digits == 3 && (i == word.size() || word[i] == ',' || word[i] == '.' ||
                               std::isalpha(static_cast<unsigned char>(word[i])));
    }

    bool decimalComma_;
};

// A file writes decimal commas when a digit, a comma and a digit meet in one of its filter,
// preamp or graphic EQ lines (free text such as notes may hold commas of its own).
bool UsesDecimalComma(std::string_view text) {
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::string head = Lower(line.substr(0, 9));
        if (!head.starts_with("filter") && !head.starts_with("preamp") &&
            !head.starts_with("graphiceq")) {
            continue;
        }
        for (size_t i = 1; i + 1 < line.size(); ++i) {
            if (line[i] == ',' && Digit(line[i - 1]) && Digit(line[i + 1])) return true;
        }
    }
    return false;
}

// Header lines and commands of the common tools that do not change the sound.
bool IsSilentCommand(const std::string& command) {
    static constexpr std::array<std::string_view, 12> kSilent = {
        "device",      "dated",      "notes",   "equaliser",         "equalizer",
        "stage",       "caption",    "comment", "number of filters", "generic",
        "measurement", "sample rate"};
    return std::find(kSilent.begin(), kSilent.end(), command) != kSilent.end();
}

// Free text (a measurement's name, the tool's name and version, notes) carries no filter
// value.
bool CarriesNoFilter(std::string_view line) {
    const std::string lower = " " + Lower(line) + " ";
    return lower.find(" fc ") == std::string::npos && lower.find(" gain ") == std::string::npos;
}

struct ShelfSlope {
    bool corner = false;  // the frequency is the shelf's corner, not its mid-gain point
    double slopeDb = 0;   // dB per octave; 0 for a shelf given by Q
};

class LineReader {
public:
    LineReader(ExchangeFile& file, const NumberReader& number, double sampleRate)
        : file_(file), number_(number), sampleRate_(sampleRate) {}

    void Read(int line, std::string_view text) {
        line_ = line;
        text_ = text;
        if (text.starts_with(kEditorValuesComment)) {
            file_.editorValues = text.substr(kEditorValuesComment.size());
            return;
        }
        if (text.empty() || text.front() == '#' || text.front() == ';' || text.front() == '*') {
            return;
        }
        const size_t colon = text.find(':');
        if (colon == std::string_view::npos) {
            if (!CarriesNoFilter(text)) LeaveOut(LeftOutReason::Malformed);
            return;
        }
        const std::vector<std::string_view> head = Words(text.substr(0, colon));
        std::string command;
        for (std::string_view w : head) command += (command.empty() ? "" : " ") + Lower(w);
        const std::string_view rest = text.substr(colon + 1);
        if (!head.empty() && Lower(head[0]) == "filter") {
            file_.filterLines.emplace_back(text);
            if (head.size() > 2 || (head.size() == 2 && !number_(head[1]))) {
                return LeaveOut(LeftOutReason::Malformed);
            }
            return ReadFilter(Words(rest));
        }
        if (command == "preamp") return ReadPreamp(Words(rest));
        if (command == "channel") return ReadChannel(Words(rest));
        if (command == "graphiceq") return ReadGraphic(rest);
        if (IsSilentCommand(command) || command.starts_with("room eq")) return;
        const bool word =
            !command.empty() && std::all_of(command.begin(), command.end(), [](char c) {
                return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == ' ';
            });
        if (!word) {
            if (!CarriesNoFilter(text)) LeaveOut(LeftOutReason::Malformed);
            return;
        }
        // Another command of the equaliser (an include, a convolution, a delay): it changes the
        // sound, and the channel cannot take it.
        LeaveOut(LeftOutReason::Unsupported);
    }

private:
    std::string Shown() const { return std::string(text_.substr(0, kShownLineLength)); }

    void LeaveOut(LeftOutReason reason) { file_.leftOut.push_back({line_, Shown(), reason}); }

    void ReadPreamp(const std::vector<std::string_view>& words) {
        const std::optional<double> gain = words.empty() ? std::nullopt : number_(words[0]);
        if (!gain || std::abs(*gain) > 200.0 ||
            (words.size() > 1 && (words.size() > 2 || Lower(words[1]) != "db"))) {
            return LeaveOut(LeftOutReason::Malformed);
        }
        if ((channels_ & kChannelLeft) == 0) return;  // the left channel's preamp counts
        file_.hasPreamp = true;
        file_.preampDb += *gain;
    }

    void ReadChannel(const std::vector<std::string_view>& words) {
        int channels = 0;
        for (std::string_view w : words) {
            const std::string name = Lower(w);
            if (name == "all") {
                channels |= kChannelsAll | kChannelOther;
            } else if (name == "l" || name == "1") {
                channels |= kChannelLeft;
            } else if (name == "r" || name == "2") {
                channels |= kChannelRight;
            } else {
                channels |= kChannelOther;
            }
        }
        if (channels == 0) return LeaveOut(LeftOutReason::Malformed);
        if ((channels & kChannelsAll) != kChannelsAll) file_.channelSections = true;
        channels_ = channels;
    }

    void ReadGraphic(std::string_view rest) {
        GraphicCurve curve{line_, Shown(), {}, channels_};
        size_t start = 0;
        while (start <= rest.size()) {
            const size_t end = std::min(rest.find(';', start), rest.size());
            const std::vector<std::string_view> pair = Words(rest.substr(start, end - start));
            start = end + 1;
            if (pair.empty()) continue;
            const std::optional<double> hz = number_(pair[0]);
            const std::optional<double> gain = pair.size() == 2 ? number_(pair[1]) : std::nullopt;
            if (!hz || !gain || *hz <= 0 || std::abs(*gain) > 200.0 ||
                (!curve.points.empty() && *hz <= curve.points.back().hz)) {
                return LeaveOut(LeftOutReason::Malformed);
            }
            curve.points.push_back({*hz, *gain});
        }
        if (curve.points.empty()) return LeaveOut(LeftOutReason::Malformed);
        file_.graphics.push_back(std::move(curve));
    }

    // The filter type and the words that may follow it ("LS 6dB", "LSC 12.0 dB").
    bool ReadType(const std::vector<std::string_view>& words, size_t& i, CookbookType& type,
                  ShelfSlope& slope, bool& known) {
        const std::string t = Lower(words[i++]);
        known = true;
        if (t == "pk" || t == "peq" || t == "pq") {
            type = CookbookType::Peaking;
        } else if (t == "ls" || t == "lsc" || t == "lsq" || t == "lowshelf") {
            type = CookbookType::LowShelf;
        } else if (t == "hs" || t == "hsc" || t == "hsq" || t == "highshelf") {
            type = CookbookType::HighShelf;
        } else if (t == "hp" || t == "hpq") {
            type = CookbookType::HighPass;
        } else if (t == "lp" || t == "lpq") {
            type = CookbookType::LowPass;
        } else if (t == "no" || t == "notch") {
            type = CookbookType::Notch;
        } else {
            known = false;
            return false;
        }
        if (type != CookbookType::LowShelf && type != CookbookType::HighShelf) return true;
        if (i >= words.size() || Lower(words[i]) == "fc") return true;
        std::string slopeWord(words[i]);
        const bool unitApart = i + 1 < words.size() && Lower(words[i + 1]) == "db";
        const std::optional<double> db = number_(slopeWord);
        if (!db || *db <= 0) return false;
        slope.slopeDb = *db;
        // "LS 6dB" and "LS 12dB" name the corner; "LSC 12.0 dB" a slope at the mid-gain point.
        slope.corner = t == "ls" || t == "hs";
        i += unitApart ? 2 : 1;
        return true;
    }

    void ReadFilter(const std::vector<std::string_view>& words) {
        if (words.size() < 2) return LeaveOut(LeftOutReason::Malformed);
        const std::string state = Lower(words[0]);
        if (state != "on" && state != "off") return LeaveOut(LeftOutReason::Malformed);
        if (Lower(words[1]) == "none") return;  // an unused filter of a measurement tool
        FileFilter filter;
        filter.line = line_;
        filter.text = Shown();
        filter.on = state == "on";
        filter.channels = channels_;
        size_t i = 1;
        ShelfSlope slope;
        bool known = false;
        if (!ReadType(words, i, filter.filter.type, slope, known)) {
            return LeaveOut(known ? LeftOutReason::Malformed : LeftOutReason::Unsupported);
        }
        std::optional<double> hz, gain, q, bandwidth;
        while (i < words.size()) {
            const std::string key = Lower(words[i]);
            if (key == "bw" && i + 1 < words.size() && Lower(words[i + 1]) == "oct") ++i;
            if (i + 1 >= words.size()) return LeaveOut(LeftOutReason::Malformed);
            const std::optional<double> value = number_(words[i + 1]);
            std::optional<double>* field = key == "fc"     ? &hz
                                           : key == "gain" ? &gain
                                           : key == "q"    ? &q
                                           : key == "bw"   ? &bandwidth
                                                           : nullptr;
            if (!value || !field || field->has_value()) return LeaveOut(LeftOutReason::Malformed);
            *field = value;
            i += 2;
            const std::string unit = i < words.size() ? Lower(words[i]) : std::string();
            if ((key == "fc" && unit == "hz") || (key == "gain" && unit == "db")) ++i;
        }
        if (!Complete(filter.filter.type, hz, gain, q, bandwidth)) {
            return LeaveOut(LeftOutReason::Malformed);
        }
        Settle(filter.filter, slope, *hz, gain.value_or(0.0), q, bandwidth);
        if (filter.channels & kChannelsAll) {
            file_.filters.push_back(filter);
        } else {
            LeaveOut(LeftOutReason::OtherChannel);
        }
    }

    static bool Complete(CookbookType type, const std::optional<double>& hz,
                         const std::optional<double>& gain, const std::optional<double>& q,
                         const std::optional<double>& bandwidth) {
        // Values no filter could have (a gain of a thousand dB, a Q of a million) are no
        // filter line either.
        constexpr double kMaxHz = 1e6, kMaxGainDb = 200.0, kMaxQ = 1e4, kMaxOctaves = 20.0;
        if (!hz || *hz <= 0 || *hz > kMaxHz) return false;
        if (gain && std::abs(*gain) > kMaxGainDb) return false;
        if ((q && (*q <= 0 || *q > kMaxQ)) ||
            (bandwidth && (*bandwidth <= 0 || *bandwidth > kMaxOctaves))) {
            return false;
        }
        const bool gained = type == CookbookType::Peaking || type == CookbookType::LowShelf ||
                            type == CookbookType::HighShelf;
        if (gained && !gain) return false;
        return type != CookbookType::Peaking || q || bandwidth;
    }

    // The cookbook filter the line means.
    void Settle(CookbookFilter& f, const ShelfSlope& slope, double hz, double gain,
                const std::optional<double>& q, const std::optional<double>& bandwidth) const {
        f.frequencyHz = hz;
        f.gainDb = gain;
        f.q = q.value_or(f.type == CookbookType::Notch ? kFileNotchQ : kButterworthQ);
        if (!q && bandwidth) f.q = QOfBandwidth(*bandwidth, hz, sampleRate_);
        if (slope.slopeDb > 0) {
            // A slope in dB per octave: the cookbook's S is 1 at 12 dB per octave.
            const double s = std::min(slope.slopeDb / 12.0, 1.0);
            const double a = std::pow(10.0, gain / 40.0);
            const double inverse = std::sqrt(std::max((a + 1 / a) * (1 / s - 1) + 2, 1e-9));
            f.q = 1.0 / inverse;
            if (slope.corner && std::abs(gain) > 0) {
                // The corner is where the transition leaves the shelf: the mid-gain point lies
                // half the transition's width (|gain| / slope octaves) further in.
                const double octaves = std::abs(gain) / (2.0 * slope.slopeDb);
                f.frequencyHz *= std::exp2(f.type == CookbookType::LowShelf ? octaves : -octaves);
            }
        }
    }

    ExchangeFile& file_;
    const NumberReader& number_;
    double sampleRate_;
    int channels_ = kChannelsAll;
    int line_ = 0;
    std::string_view text_;
};

}  // namespace

double QOfBandwidth(double octaves, double hz, double sampleRate) {
    const double w0 = 2 * std::numbers::pi * hz / sampleRate;
    const double sinW = std::sin(w0);
    if (!(sinW > 0) || !(octaves > 0)) return kButterworthQ;
    return 1.0 / (2.0 * std::sinh(std::log(2.0) / 2.0 * octaves * w0 / sinW));
}

double GraphicGainDb(const GraphicCurve& curve, double hz) {
    const std::vector<GraphicPoint>& p = curve.points;
    if (p.empty()) return 0.0;
    if (hz <= p.front().hz) return p.front().gainDb;
    if (hz >= p.back().hz) return p.back().gainDb;
    const auto above = std::upper_bound(p.begin(), p.end(), hz,
                                        [](double f, const GraphicPoint& q) { return f < q.hz; });
    const GraphicPoint& b = *above;
    const GraphicPoint& a = *(above - 1);
    const double t = std::log(hz / a.hz) / std::log(b.hz / a.hz);
    return a.gainDb + t * (b.gainDb - a.gainDb);
}

ExchangeFile ReadExchangeFile(std::string_view text, double sampleRate) {
    ExchangeFile file;
    if (text.size() > kMaxExchangeFileSize) {
        file.leftOut.push_back({0, "", LeftOutReason::Malformed});
        return file;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 mark
    const NumberReader number(UsesDecimalComma(text));
    LineReader reader(file, number, sampleRate);
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
        reader.Read(++lineNumber, Trim(raw));
    }
    return file;
}

}  // namespace zt
