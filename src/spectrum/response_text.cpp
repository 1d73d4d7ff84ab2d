#include "spectrum/response_text.h"

#include <charconv>
#include <cmath>

namespace zt {
namespace {

constexpr std::string_view kSeparators = " \t,";

std::string_view Trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// The next field of a line, or an empty view at its end.
std::string_view NextField(std::string_view& rest) {
    const std::size_t start = rest.find_first_not_of(kSeparators);
    if (start == std::string_view::npos) return rest = {}, std::string_view{};
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find_first_of(kSeparators), rest.size());
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end);
    return field;
}

// A whole field as a number ("+" allowed in front), or false.
bool ParseNumber(std::string_view field, double& value) {
    if (field.starts_with('+')) {
        field.remove_prefix(1);
        if (field.starts_with('-')) return false;
    }
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc{} && end == field.data() + field.size();
}

bool InRange(double hz, double db) {
    return std::isfinite(hz) && hz > 0 && hz <= kResponseTextHighestHz && std::isfinite(db) &&
           std::abs(db) <= kResponseTextLargestDb;
}

std::string Shortest(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc{} ? std::string(buffer, end) : std::string("0");
}

}  // namespace

ResponseTextReading ReadResponseText(std::string_view text) {
    ResponseTextReading reading;
    auto fail = [&](ResponseTextError error, int line) {
        reading.response.clear();
        reading.error = error;
        reading.line = line;
        return reading;
    };
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte order mark
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (line.empty() || line.front() == '*' || line.front() == '#') continue;
        std::string_view rest = line;
        double hz = 0.0, db = 0.0;
        if (!ParseNumber(NextField(rest), hz)) {
            // Text before the first point is the header of the columns.
            if (reading.response.empty()) continue;
            return fail(ResponseTextError::BadNumber, lineNumber);
        }
        const std::string_view level = NextField(rest);
        if (level.empty()) return fail(ResponseTextError::MissingLevel, lineNumber);
        if (!ParseNumber(level, db)) return fail(ResponseTextError::BadNumber, lineNumber);
        if (!InRange(hz, db)) return fail(ResponseTextError::OutOfRange, lineNumber);
        if (!reading.response.empty() && !(hz > reading.response.back().hz)) {
            return fail(ResponseTextError::NotRising, lineNumber);
        }
        if (reading.response.size() == kResponseTextMostPoints) {
            return fail(ResponseTextError::TooManyPoints, lineNumber);
        }
        reading.response.push_back({hz, db});
    }
    if (reading.response.size() < 2) return fail(ResponseTextError::NoPoints, 0);
    return reading;
}

std::string DescribeResponseTextError(const ResponseTextReading& reading) {
    const std::string where = "Line " + std::to_string(reading.line) + ": ";
    switch (reading.error) {
        case ResponseTextError::None:
            return {};
        case ResponseTextError::NoPoints:
            return "The file holds no frequency response: fewer than two lines of frequency and "
                   "level.";
        case ResponseTextError::BadNumber:
            return where + "the frequency or level is no number.";
        case ResponseTextError::MissingLevel:
            return where + "a frequency without a level.";
        case ResponseTextError::OutOfRange:
            return where + "the frequency or level lies outside what a measurement can hold.";
        case ResponseTextError::NotRising:
            return where + "the frequency is not above the one on the line before.";
        case ResponseTextError::TooManyPoints:
            return where + "the file holds more than " + std::to_string(kResponseTextMostPoints) +
                   " points.";
    }
    return {};
}

std::string WriteResponseText(const MeasuredResponse& response,
                              const std::vector<std::string>& comments) {
    std::string text;
    for (std::string comment : comments) {
        for (char& c : comment) {
            if (c == '\n' || c == '\r') c = ' ';
        }
        text += "* " + comment + "\n";
    }
    text += "* Freq(Hz) SPL(dB)\n";
    for (const ResponsePoint& p : response) {
        text += Shortest(p.hz) + " " + Shortest(p.db) + "\n";
    }
    return text;
}

}  // namespace zt
