#pragma once
// The text of the information label EQlabel for the item being edited.

#include <string>

#include "eqgraph/eq_point_list.h"

namespace zt {

// `value` with exactly `decimals` decimals, halves away from zero, a minus sign only for
// values that stay negative after rounding ("#0.0", "#0.00").
std::string FixedDecimals(double value, int decimals);

enum class EqItemRole { Band, HighPass, LowPass };

// A band: "<gain>dB\nQ:<q>\n<frequency>Hz"; a filter: "HPF:<frequency>Hz" or "LPF:...".
std::string EqInfoText(const EqPoint& point, EqItemRole role);

}  // namespace zt
