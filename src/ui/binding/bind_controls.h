#pragma once
// BindControls fills ControlBinding and the fixed control lists from the catalogue, writes
// every bound control's logical address into its tag, gives track bars their pictures, sets
// the low-pass frequencies of the device image to 20200 Hz and points the edit references at
// their start values. The window runs it first in its show step; running it again changes
// nothing.

#include "params/param_address.h"

namespace zt {

class ControlBinding;
class ControlRegistry;
struct EditorState;

// Raw value 360 on the frequency table, 20200 Hz: the low-pass filters start wide open.
inline constexpr int kLowPassDefault = 360;

// Every control the catalogue and the fixed lists name must be in the registry; a missing or
// mistyped one throws std::logic_error, so a broken table fails at start-up.
void BindControls(const ControlRegistry& registry, DeviceImage& image, EditorState& state,
                  ControlBinding& binding);

}  // namespace zt
