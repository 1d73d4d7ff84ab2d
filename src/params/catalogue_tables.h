#pragma once
// The parameter catalogue of the window: for every logical page that carries controls, the
// slot rows of its own controls, and the EQ band blocks.

#include <span>

#include "params/catalogue_rows.h"

namespace zt::catalogue {

// The slot rows of logical pages 0, 1, 2, 4, 5, 6, 9, 15, 25, 29 and 30, in page order.
std::span<const PageTable> PageTables();

// The EQ band blocks of pages 0, 2, 4, 5, 6 and 25.
std::span<const EqBandBlock> EqBandBlocks();

// The three bands of the dynamic-EQ page.
const DeqBandBlock& DynamicEqBlock();

}  // namespace zt::catalogue
