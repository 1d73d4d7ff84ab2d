#include "params/side_pairs.h"

namespace zt {

ParamAddress MirroredAddress(const SidePair& pair, ParamAddress address) {
    const int page = PageOf(address);
    const int slot = SlotOf(address);
    if (page < pair.firstLeftPage || page >= pair.firstLeftPage + pair.pageCount) return -1;
    if (slot < pair.firstSlot || slot > pair.lastSlot) return -1;
    if (pair.keepsDelayAndMute && (slot == 10 || slot == 11)) return -1;
    return MakeAddress(page + pair.rightPageOffset, slot + pair.slotOffset);
}

}  // namespace zt
