#include "sim/side_link.h"

namespace zt {
namespace {

constexpr int kTogether = 1;

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

ParamAddress MirroredAddress(const SidePair& pair, ParamAddress address) {
    const int page = PageOf(address);
    const int slot = SlotOf(address);
    if (page < pair.firstLeftPage || page >= pair.firstLeftPage + pair.pageCount) return -1;
    if (slot < pair.firstSlot || slot > pair.lastSlot) return -1;
    if (pair.keepsDelayAndMute && (slot == 10 || slot == 11)) return -1;
    return MakeAddress(page + pair.rightPageOffset, slot + pair.slotOffset);
}

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
