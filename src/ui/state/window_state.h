#pragma once
// What the window is in beyond the parameter stores, held here and shown by the widgets; no
// widget's visibility or text stands for it.

#include <vector>

#include "spectrum/howl_feed.h"

namespace zt {

// The feedback finder: whether it listens, and the howls it marks on the EQ graph now.
struct HowlFinderState {
    bool on = false;
    std::vector<HowlMark> marks;  // loudest first
};

struct WindowState {
    // The panel lock holds the window: the unlock panel is up, the editing areas are disabled
    // and no edit reaches the stores or the processor until the panel lock password is typed.
    bool locked = false;
    HowlFinderState finder;
};

}  // namespace zt
