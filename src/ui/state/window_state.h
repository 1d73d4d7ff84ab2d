#pragma once
// What the window is in beyond the parameter stores, held here and shown by the widgets; no
// widget's visibility or text stands for it.

#include <array>
#include <vector>

#include "eqgraph/room_fit.h"
#include "params/param_address.h"
#include "spectrum/howl_feed.h"
#include "spectrum/measured_response.h"

namespace zt {

// The feedback finder: whether it listens, and the howls it marks on the EQ graph now.
struct HowlFinderState {
    bool on = false;
    std::vector<HowlMark> marks;  // loudest first
};

// The room measurement: the response measured or loaded last, how it is smoothed and fitted,
// and which of its curves the EQ graph shows behind the EQ curve.
struct RoomState {
    MeasuredResponse measured;  // empty: none yet
    Smoothing smoothing = Smoothing::Sixth;
    RoomFitSettings fit;
    bool houseCurve = false;  // the target is fit.target; flat otherwise
    bool showMeasured = true;
    bool showPredicted = true;
};

struct WindowState {
    // The panel lock holds the window: the unlock panel is up, the editing areas are disabled
    // and no edit reaches the stores or the processor until the panel lock password is typed.
    bool locked = false;
    // The access code opened the Hint tab: its page may be shown and factory modes saved.
    bool hintTabOpen = false;
    HowlFinderState finder;
    RoomState room;

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
