#pragma once
// Sides edited together. The processor pairs the left and right sides of the music EQ, the
// microphones and the main and surround outputs; while a pair's side address holds 1, both sides
// are one: every write to the left side lands on the right side's slot as well.

#include "params/param_address.h"

namespace zt {

inline constexpr int kSidesTogether = 1;

// One pair of sides: `pageCount` left pages from `firstLeftPage` (one per output scene), their
// right pages `rightPageOffset` further on, slots `firstSlot`..`lastSlot` of each left page
// mirrored `slotOffset` slots further on.
struct SidePair {
    ParamAddress sideAddress;
    int firstLeftPage;
    int pageCount;
    int rightPageOffset;
    int firstSlot;
    int lastSlot;
    int slotOffset;
    bool keepsDelayAndMute;  // outputs: each side keeps its own delay and mute (slots 10, 11)
};

inline constexpr SidePair kSidePairs[] = {
    {0x0008, 0, 1, 0, 10, 84, 75, false},  // music: first EQ set onto the second
    {0x020D, 2, 1, 1, 15, 114, 0, false},  // MIC A onto MIC B
    {0x00A2, 6, 3, 3, 0, 70, 0, true},     // main left onto main right, all three scenes
    {0x00A3, 12, 3, 3, 0, 70, 0, true},    // surround left onto surround right
};

// The right side's device address that a write to the device address `address` also reaches
// while its pair is together, or -1 when there is none (not a left-side slot, or a slot each
// side keeps).
ParamAddress MirroredAddress(const SidePair& pair, ParamAddress address);

}  // namespace zt
