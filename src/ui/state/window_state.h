#pragma once
// What the window is in beyond the parameter stores, held here and shown by the widgets; no
// widget's visibility or text stands for it.

#include <array>
#include <vector>

#include "params/param_address.h"
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

    // Per logical page: the channel's EQ pass is on (the processor passes the signal through
    // that channel's EQ unchanged). Set by the EQ pass button and by the page refresh from the
    // page's EQ pass slot.
    std::array<bool, kPageCount> eqPass{};

    bool EqPassOn(int page) const { return page >= 0 && page < kPageCount && eqPass[page]; }
    void SetEqPass(int page, bool on) {
        if (page >= 0 && page < kPageCount) eqPass[page] = on;
    }
};

}  // namespace zt
