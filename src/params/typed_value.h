#pragma once
// Committing a typed value: from the text the user left in a value edit to the raw value that is
// stored and sent.

#include <optional>
#include <string_view>

#include "params/value_scales.h"

namespace zt {

// The number of a text already reduced to number characters: an optional minus, digits and at
// most one point ("-12.5", "1.", ".5"). Anything else ("", "-", "1.2.3", "1-2") and numbers too
// large for a double are no number.
std::optional<double> TypedNumber(std::string_view numberCharacters);

// `x` moved one up (step > 0) or down (step < 0), then kept within `range`.
double StepWithin(double x, int step, ValueRange range);

// The raw value of a committed number: the fraction dropped toward zero, kept within the range
// of an int; no number (NaN) gives 0.
int TruncatedRaw(double x);

// What committing `text` in an edit of `kind` limited to `range` stores and sends: the number
// characters of the text as a typed number of the kind, moved by the step key that committed it
// (`step` as in StepWithin) and kept within the range. nullopt when the text holds no number;
// the edit then shows its last good text again. Kind 0 (the hidden edit) is neither stepped nor
// limited.
std::optional<int> CommitTypedText(int kind, std::string_view text, int step, ValueRange range);

}  // namespace zt
