#pragma once
// The response of one item of the EQ graph (an EQ band, the high-pass or the low-pass) as
// gains in dB on the ResponseGrid.

#include <span>

#include "eqgraph/point_type_code.h"
#include "eqgraph/prototype_response.h"
#include "eqgraph/response_grid.h"

namespace zt {

// Fills grid points 0..462 of `out` with the response of the item `code` at `frequencyHz`.
// `gainDb` is used by peaking bands and shelves, `q` is the Q of a peaking band or the slope of
// a shelf; the crossover filters use neither. Returns false and leaves `out` untouched when the
// code names no design or `out` holds fewer than 463 entries.
bool BandResponse(std::span<float> out, int frequencyHz, float gainDb, float q, PointTypeCode code);

// What an item draws before it is laid onto the grid: a prototype centred on step 231, or flat.
// Every response of an item at any frequency is this prototype laid with LayOntoGrid at
// ResponseCentreIndex(frequencyHz); the fitter of the EQ exchange computes each shape once.
enum class ItemShape { None, Flat, Prototype };
ItemShape ItemPrototype(float gainDb, float q, PointTypeCode code, PrototypeArray& proto);

// Grid index on which the centre of an item at `frequencyHz` is drawn: the frequency is
// snapped to the grid and to whole Hz first, and anything at or below 10 Hz lands on index 0.
// Frequencies above 24 000 Hz give indices past 462.
int ResponseCentreIndex(int frequencyHz);

// The Q a band is drawn with: the five largest Q values are drawn with smaller ones
// (102 as 98, 108 as 100, 114 as 101, 121 as 102, 128 as 103); every other Q is unchanged.
float QForDrawing(float q);

}  // namespace zt
