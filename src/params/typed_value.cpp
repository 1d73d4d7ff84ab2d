#include "params/typed_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "params/number_characters.h"

namespace zt {

std::optional<double> TypedNumber(std::string_view numberCharacters) {
    // from_chars would also read "inf" and "nan"; a typed number holds none of them.
    if (numberCharacters.find_first_not_of("-.0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    double number = 0;
    const char* begin = numberCharacters.data();
    const char* end = begin + numberCharacters.size();
    const auto [stop, error] = std::from_chars(begin, end, number, std::chars_format::fixed);
    if (error != std::errc() || stop != end) return std::nullopt;
    return number;
}

double StepWithin(double x, int step, ValueRange range) {
    if (step > 0) x += 1;
    if (step < 0) x -= 1;
    return std::clamp(x, static_cast<double>(range.minimum), static_cast<double>(range.maximum));
}

int TruncatedRaw(double x) {
    if (std::isnan(x)) return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(x), lowest, highest));
}

std::optional<int> CommitTypedText(int kind, std::string_view text, int step, ValueRange range) {
    const std::optional<double> number = TypedNumber(KeepNumberCharacters(text));
    if (!number) return std::nullopt;
    double x = ParseValue(kind, *number);
    if (kind != kKindHidden) x = StepWithin(x, step, range);
    return TruncatedRaw(x);
}

}  // namespace zt
