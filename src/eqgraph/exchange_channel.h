#pragma once
// The EQ settings of one page as the exchange reads them from a page memory: its bands, field
// by field, and its crossovers where the page has them.

#include <vector>

#include "eqgraph/eq_exchange_types.h"
#include "params/param_address.h"

namespace zt {

// The page's bands from `firstSlot` on, as many as the page has.
std::vector<ExchangeBand> ExchangeBandsAt(const PageMemory& memory, int page, int firstSlot);

// The page's bands from its first band slot, and its crossovers; the name is left empty.
ExchangeChannel ExchangeChannelAt(const PageMemory& memory, int page);

}  // namespace zt
