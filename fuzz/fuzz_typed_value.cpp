// Any text committed in a value edit of any value kind, with any step key and the ranges an edit
// can have (the kind's own, the dynamic EQ's gain floor, the shelf Q limit).
//
// Input: one byte choosing the kind, the step and the range; the rest is the typed text.
// Checks: a committed raw value lies within the range (kind 0 has none), and committing the
// text the edit then shows stores the same raw value again.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "params/typed_value.h"

namespace zt {
namespace {

ValueRange RangeFor(int kind, int variant) {
    if (kind == kKindGain && variant == 1) return {kDynamicEqGainMinimum, KindMaximum(kKindGain)};
    if (kind == kKindQ && variant == 1) return {0, kShelfQMaximum};
    return KindRange(kind);
}

bool ShowsItsNumber(int kind) {
    return kind >= kKindFrequency && kind <= kKindInputVolume;
}

}  // namespace
}  // namespace zt

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zt;
    if (size < 1) return 0;
    const int kind = data[0] % kValueKindCount;
    const int step = (data[0] / kValueKindCount) % 3 - 1;
    const int variant = (data[0] / (kValueKindCount * 3)) % 2;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const ValueRange range = RangeFor(kind, variant);

    const std::optional<int> raw = CommitTypedText(kind, text, step, range);
    if (!raw) return 0;
    if (kind != kKindHidden && !range.Contains(*raw)) std::abort();
    const std::string shown = FormatValueText(kind, *raw);
    if (ShowsItsNumber(kind) && CommitTypedText(kind, shown, 0, range) != raw) std::abort();
    return 0;
}
