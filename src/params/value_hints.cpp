#include "params/value_hints.h"

#include <optional>

namespace zt {
namespace {

// "lo to hi unit" when both ends share their unit, "lo unit to hi unit" otherwise.
std::string Span(const ValueText& low, const ValueText& high, const std::string& to) {
    if (low.unit == high.unit) {
        const std::string unit = low.unit.empty() ? std::string() : " " + low.unit;
        return low.number + to + high.number + unit;
    }
    return low.Joined() + to + high.Joined();
}

}  // namespace

RangeDescription DescribeRange(int kind, int lowest, int highest, const FormatContext& context) {
    const ValueRange range = KindRange(kind);
    FormatContext english = context;
    english.chinese = false;
    FormatContext chinese = context;
    chinese.chinese = true;
    const auto low = [&](const FormatContext& in) {
        return FormatValue(kind, range.Clamp(lowest), in);
    };
    const auto high = [&](const FormatContext& in) {
        return FormatValue(kind, range.Clamp(highest), in);
    };
    if (!low(english) || !high(english)) return {};
    return {"范围：" + Span(*low(chinese), *high(chinese), " 至 "),
            "Range: " + Span(*low(english), *high(english), " to ")};
}

}  // namespace zt
