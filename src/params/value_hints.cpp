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
    const std::optional<ValueText> low = FormatValue(kind, range.Clamp(lowest), context);
    const std::optional<ValueText> high = FormatValue(kind, range.Clamp(highest), context);
    if (!low || !high) return {};
    return {"范围：" + Span(*low, *high, " 至 "), "Range: " + Span(*low, *high, " to ")};
}

}  // namespace zt
