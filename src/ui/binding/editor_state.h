#pragma once
// The editing state that binding starts and the change handlers carry on: the flag that keeps
// handlers quiet while code writes stored values into controls, and the two edit references
// of value editing.

namespace zt {

class ValueEdit;

struct EditorState {
    // Set while binding or the page refresh writes stored values into controls: edit selection
    // does nothing, set value records no last written parameter, the EQ graph ignores redraws.
    bool refreshInProgress = false;
    // The edit that typed text, arrow keys, the wheel and spin buttons act on; the hidden edit
    // Example means none.
    ValueEdit* currentValueEdit = nullptr;
    // The edit drawn with the highlight background.
    ValueEdit* highlightedEdit = nullptr;
};

}  // namespace zt
