#pragma once
// Value kinds: how a raw parameter value turns into the text a value edit, value pane or EQ type
// selector shows, and how a typed number turns back into a raw value.
//
// Every value control carries its kind (0..26) in its hint. Raw values are the small
// non-negative integers that travel to the processor; all units and scaling live here.

#include <optional>
#include <string>

#include "params/param_address.h"
#include "params/selection.h"

namespace zt {

inline constexpr int kValueKindCount = 27;

// The kinds of the value edits and selectors; the panes' kinds 6..26 are plain numbers.
enum ValueKind {
    kKindHidden = 0,       // the hidden edit: no text, no limit
    kKindEqType = 1,       // EQ type selectors
    kKindFrequency = 2,    // EQ frequency edits
    kKindGain = 3,         // EQ gain edits, 0.2 dB steps
    kKindQ = 4,            // EQ Q edits
    kKindInputVolume = 5,  // music input volume edits, 0.5 dB steps
};

// Value edits carry kinds 0..5, value panes kinds 6..26.
inline constexpr int kLastEditKind = 5;
inline constexpr int kFirstPaneKind = 6;
// Pane kinds whose texts hold words: a frequency that can be switched off ("Off"), and the
// release time as a multiple of the attack time ("Atk x 2").
inline constexpr int kOffOrFrequencyKind = 13;
inline constexpr int kReleaseKind = 16;

// Raw limits that depend on more than the kind: the EQ gain of the Dynamic EQ channel does not
// go below -12.0 dB, and the Q of a shelving band stops at 1.60.
inline constexpr int kDynamicEqGainMinimum = 60;
inline constexpr int kShelfQMaximum = 24;

struct ValueRange {
    int minimum = 0;
    int maximum = 0;
    bool Contains(int raw) const { return raw >= minimum && raw <= maximum; }
    int Clamp(int raw) const { return raw < minimum ? minimum : raw > maximum ? maximum : raw; }
    bool operator==(const ValueRange&) const = default;
};

// The raw range of a kind. Kind 0 and numbers that are no kind are unlimited (the whole int
// range).
ValueRange KindRange(int kind);
int KindMaximum(int kind);

// The text of a value: the number (or word) and its unit, which follows without a space.
// Edits and panes show Joined(); a caller that shows the unit on a label of its own uses the
// parts.
struct ValueText {
    std::string number;
    std::string unit;
    std::string Joined() const { return number + unit; }
    bool operator==(const ValueText&) const = default;
};

// What kind 9 needs besides the raw value: the output levels of the SUB channel (output pages
// 21..23) show twice their raw value at slots 0 and 1.
struct FormatContext {
    int outputPage = 6;
    int slot = -1;
    // The words among the texts ("Off", "Atk x 2") in Chinese ("关闭", "启动 x 2"); numbers and
    // units read the same in both languages.
    bool chinese = false;
};
FormatContext FormatContextFor(const SelectionState& selection, ParamAddress logical);

// The text of raw value `raw` of a kind. A raw outside the kind's range shows as the nearest
// end of the range. Kind 0 (the hidden edit) and numbers that are no kind have no text:
// nullopt. Kind 1 gives the EQ type's text ("BYPSS", "PEQ", "LSEQ", "HSEQ"), although a
// selector shows its own item at index raw.
std::optional<ValueText> FormatValue(int kind, int raw, const FormatContext& context = {});

// FormatValue joined into one text; empty where FormatValue has none.
std::string FormatValueText(int kind, int raw, const FormatContext& context = {});

// The raw value of a typed number:
// - kind 2: the nearer of the two frequency entries around the number, the lower one on a tie;
//   0 below the table, 361 from above 20200 Hz on;
// - kind 3: (number + 24) x 5 and kind 5: (number + 10) x 2, rounded half to even;
// - kind 4: the first Q entry not below the number, 101 above 128.00;
// - every other kind: the number unchanged.
// The result is not limited to the kind's range; set value does that. Typed numbers are short
// decimals, so values that lie within a billionth of a half or of a table entry count as
// exactly that.
double ParseValue(int kind, double number);

}  // namespace zt
