#pragma once
// Where EQ bands and crossover filters sit on the logical pages that carry EQ controls.

#include "params/param_address.h"

namespace zt {

// An address's EQ item and field. Items are numbered as the points of the EQ graph: bands
// 0..n-1, then the high-pass as item n and the low-pass as item n + 1. Field 255 means the
// address is no EQ slot.
struct EqSlot {
    int item = 0;
    int field = kNoEqField;
    static constexpr int kNoEqField = 255;
    bool isEq() const { return field != kNoEqField; }
    bool operator==(const EqSlot&) const = default;
};

EqSlot EqSlotInfo(ParamAddress logical);

}  // namespace zt
