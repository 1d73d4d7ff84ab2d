#pragma once
// Slots of the processor's right sides that follow the left side while a pair of sides is edited
// together: the processor stores every left-side write there too, while the window's image keeps
// the right side until the sides part (and then copies the left side onto it), so an image and
// the processor's memory may differ there without anything being lost.

#include "params/page_table.h"
#include "params/side_pairs.h"

namespace zt::test {

template <typename Memory>
bool FollowsLeftSide(const Memory& processor, int page, int slot) {
    for (const SidePair& pair : kSidePairs) {
        if (processor.Get(PageOf(pair.sideAddress), SlotOf(pair.sideAddress)) != kSidesTogether) {
            continue;
        }
        for (int k = 0; k < pair.pageCount; ++k) {
            const int left = pair.firstLeftPage + k;
            const int leftSlot = slot - pair.slotOffset;
            if (page == left + pair.rightPageOffset &&
                MirroredAddress(pair, MakeAddress(left, leftSlot)) == MakeAddress(page, slot)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace zt::test
