#pragma once
// What the editing side of the window remembers between events besides the state it shares
// with binding (EditorState: the refresh flag and the current and highlighted edits): the
// track-bar guard, the selected EQ bands, the last EQ-related write, and the typing and wheel
// state of the value edits.

#include <QString>
#include <array>

#include "params/param_address.h"

namespace zt {

// The last EQ-related value written by set value or a type selector. The views follow the
// edit path's changed events, not this.
struct LastWrittenParameter {
    ParamAddress address = 0;
    int value = 0;
    bool operator==(const LastWrittenParameter&) const = default;
};

inline constexpr int kPageKindCount = 9;

struct EditState {
    // Set while set value moves a track bar, so that the bar's change handler does not write the
    // value a second time.
    bool trackBarUpdate = false;

    // Per PageKind 0..8: the EQ band last selected in that family.
    std::array<int, kPageKindCount> selectedBand{};
    LastWrittenParameter lastWritten;

    // Text of the current value edit after its last selection or commit.
    QString lastGoodText;
    // Set by any key in a value edit; leaving the edit commits its text only when set.
    bool editChanged = false;
    // Set when a value edit is selected by a click; the wheel steps it only while set.
    bool wheelStepping = false;
    // Wheel turns smaller than one notch add up until a whole step is due.
    int wheelRemainder = 0;
};

}  // namespace zt
