#pragma once
// The layout of every sheet: its name, its caption and the items built on it.

#include <span>

#include "ui/sheets/sheet_items.h"

namespace zt::sheets {

struct SheetSpec {
    int index = 0;  // page index in its container
    const char* name = "";
    Text caption;
    std::span<const SheetItem> items;
};

// The sheets of FormPageItem, by index 0..8.
std::span<const SheetSpec> PageSheetSpecs();

// The three sheets of the right column, by index.
std::span<const SheetSpec> RightColumnSpecs();

// The band columns of the EQ band boxes and the dynamic-EQ band panels.
inline constexpr int kBandColumnHeight = 206;
inline constexpr int kBandLegendWidth = 36;

}  // namespace zt::sheets
