#pragma once
// The catalogue seen from the slots: for every logical address that the window shows, the
// names of its bound control, value pane and companions, derived from the page tables and the
// band blocks. Binding resolves these names once, at start-up.

#include <QString>
#include <array>
#include <vector>

#include "params/param_address.h"

namespace zt::catalogue {

inline constexpr int kCompanionCount = 4;

struct SlotBinding {
    ParamAddress address = 0;
    QString control;  // empty: no control of its own
    QString pane;
    std::array<QString, kCompanionCount> companions;
};

// Every slot the catalogue names, in ascending address order.
std::vector<SlotBinding> CatalogueBindings();

// The EQ pass slot of a page: the slot just before its first band; -1 for pages without one
// (the dynamic-EQ page and the pages without EQ bands).
int EqPassSlot(int page);

}  // namespace zt::catalogue
