#pragma once
// Magnitude response of a prototype biquad on a uniform grid of normalised frequencies, and
// how that prototype is laid onto the logarithmic ResponseGrid.

#include <array>

#include "eqgraph/biquad_designs.h"
#include "eqgraph/response_grid.h"

namespace zt {

// The prototype grid has as many steps as the ResponseGrid: step j is w = j * pi / 462 before
// warping, and the centre step 231 is w = pi/2.
using PrototypeArray = std::array<float, ResponseGrid::PointCount>;
inline constexpr int kPrototypeCentreStep = ResponseGrid::GridSteps / 2;  // 231 (462 / 2 is exact)

// Shelves, high-passes and low-passes stretch the prototype's frequency axis so that their
// slopes look steeper on the graph.
enum class PrototypeWarp {
    None,    // peaking
    Shelf,   // stretch by 231 / (231 - 108), about 1.88
    Filter,  // stretch by 231 / (231 - 126), 2.2
};

// Warped prototype index m_j of step j (0..462).
double WarpedStep(int step, PrototypeWarp warp);

// Gains in dB of `design` at steps 0..461 (step 462 is never laid onto the grid and is set to
// the value of step 461). A step at which the numerator or the denominator is not a positive
// finite number (a zero of the filter on the unit circle, such as a low-pass at w = pi) takes
// the value of the step before it; a first step takes 0 dB.
void PrototypeResponse(const Biquad& design, PrototypeWarp warp, PrototypeArray& proto);

// Lays the prototype onto the grid with its centre step on grid index `centreIndex` (0 or
// more; indices above 462 are allowed and move the centre off the right edge). Grid points
// beyond either end of the prototype repeat proto[0] and proto[461].
void LayOntoGrid(const PrototypeArray& proto, int centreIndex, float* out);

}  // namespace zt
