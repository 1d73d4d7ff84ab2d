#pragma once
// The range of a parameter as a user reads it, in both languages: the lowest and the highest
// text of its value kind between two raw values, with the unit written once ("Range: -24.0 to
// 12.0 dB"). The window shows it as the tooltip of the parameter's controls.

#include <string>

#include "params/value_scales.h"

namespace zt {

struct RangeDescription {
    std::string chinese;
    std::string english;
    bool operator==(const RangeDescription&) const = default;
};

// The range of `kind` from raw `lowest` to raw `highest` (each limited to the kind's range);
// empty texts for a kind without texts.
RangeDescription DescribeRange(int kind, int lowest, int highest,
                               const FormatContext& context = {});

}  // namespace zt
