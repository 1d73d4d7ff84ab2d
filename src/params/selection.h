#pragma once
// Which processor page each shared set of controls stands for, and the logical-to-device
// address translation that follows from it.

#include <optional>

#include "params/param_address.h"

namespace zt {

struct SelectionState {
    int micPage = 2;      // MicPage: 2 MIC A, 3 MIC B
    int effectPage = 4;   // EffectPage: 4 echo A, 24 echo B, 5 reverb
    int outputPage = 6;   // OutputPage: 6..23, channel, side and scene
    int hiddenPage = 25;  // HiddenPage: 25, 26, 27
    int outputScene = 0;  // OutputScene: 0 sing, 1 disco, 2 decode
    int musicEqSet = 0;   // MusicEqSet: 2 redirects the music EQ bands to the second set
};

// Turns the logical address a control carries into the processor's address.
ParamAddress ToDeviceAddress(const SelectionState& selection, ParamAddress logical);

// The music page's second-set redirection alone (step 2 of the translation).
int RedirectMusicSlot(const SelectionState& selection, int page, int slot);

// The logical page the right-side delay and mute controls of the output sheet stand for after a
// store rebuild: 9 while a main output is shown, 15 while a surround output is shown; nullopt
// for the other outputs, whose controls keep the address they had.
std::optional<int> RightSideControlPage(const SelectionState& selection);

}  // namespace zt
