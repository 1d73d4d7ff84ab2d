#pragma once
// What the window is in beyond the parameter stores, held here and shown by the widgets; no
// widget's visibility or text stands for it.

namespace zt {

struct WindowState {
    // The panel lock holds the window: the unlock panel is up, the editing areas are disabled
    // and no edit reaches the stores or the processor until the panel lock password is typed.
    bool locked = false;
};

}  // namespace zt
