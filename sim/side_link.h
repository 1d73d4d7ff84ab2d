#pragma once
// Sides edited together. The processor pairs the left and right sides of the music EQ, the
// microphones and the main and surround outputs; while a pair's side address holds 1, both sides
// are one: every write to the left side lands on the right side's slot as well, and entering or
// leaving the together state makes the right side equal to the left.

#include <cstdint>

#include "params/param_address.h"
#include "params/side_pairs.h"

namespace zt {

// Stores an ordinary write of the editor: the value itself, its mirror on the right side while
// the pair is together, and the copy of left onto right when a side address enters or leaves 1.
void StoreSideLinked(PageMemory& memory, ParamAddress address, int32_t value);

}  // namespace zt
