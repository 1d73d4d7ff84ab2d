#include "sim/side_link.h"

namespace zt {
namespace {

constexpr int kTogether = kSidesTogether;

void CopyLeftOntoRight(PageMemory& memory, const SidePair& pair) {
    for (int k = 0; k < pair.pageCount; ++k) {
        const int left = pair.firstLeftPage + k;
        const int right = left + pair.rightPageOffset;
        for (int slot = pair.firstSlot; slot <= pair.lastSlot; ++slot) {
            memory.Set(right, slot + pair.slotOffset, memory.Get(left, slot));
        }
    }
}

}  // namespace

void StoreSideLinked(PageMemory& memory, ParamAddress address, int32_t value) {
    const int32_t previous = memory.Get(address);
    memory.Set(address, value);
    for (const SidePair& pair : kSidePairs) {
        if (address == pair.sideAddress) {
            if (value == kTogether || previous == kTogether) CopyLeftOntoRight(memory, pair);
        } else if (memory.Get(pair.sideAddress) == kTogether) {
            const ParamAddress mirror = MirroredAddress(pair, address);
            if (mirror >= 0) memory.Set(mirror, value);
        }
    }
}

}  // namespace zt
