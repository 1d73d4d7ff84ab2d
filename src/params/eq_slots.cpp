#include "params/eq_slots.h"

namespace zt {
namespace {

struct EqPageSlots {
    int page;
    int hpType, lpType;  // crossover slot pairs (type, type + 1); -1 if none
    int hpItem, lpItem;
    int firstBandSlot;
};

// Only the logical pages that carry EQ controls; page 1 has its own band spacing.
constexpr EqPageSlots kEqPages[] = {
    {0, 4, 6, 15, 16, 10}, {2, 9, 11, 20, 21, 15},  {4, 9, 11, 7, 8, 14},
    {5, 6, 8, 7, 8, 11},   {6, 16, 18, 10, 11, 21}, {25, -1, -1, 0, 0, 1},
};

EqSlot DynamicEqSlot(int slot) {
    for (int item = 0; item < 3; ++item) {
        const int first = 2 + 10 * item;
        if (slot >= first && slot <= first + 4) return {item, slot - first};
    }
    return {};
}

}  // namespace

EqSlot EqSlotInfo(ParamAddress logical) {
    if (!IsStoreAddress(logical)) return {};
    const int page = PageOf(logical);
    const int slot = SlotOf(logical);
    if (page == 1) return DynamicEqSlot(slot);
    for (const EqPageSlots& p : kEqPages) {
        if (p.page != page) continue;
        if (p.hpType >= 0 && (slot == p.hpType || slot == p.hpType + 1)) return {p.hpItem, 0};
        if (p.lpType >= 0 && (slot == p.lpType || slot == p.lpType + 1)) return {p.lpItem, 0};
        if (slot >= p.firstBandSlot) {
            const int offset = slot - p.firstBandSlot;
            return {offset / 5, offset % 5};
        }
        return {};
    }
    return {};
}

}  // namespace zt
