#pragma once
// The EQ curve of a page: the sum of its items' responses, mapped to whole pixels of the plot.

#include <array>

#include "eqgraph/eq_point_list.h"
#include "eqgraph/graph_mapping.h"

namespace zt {

struct CurvePoint {
    int x = 0;
    int y = 0;
    bool operator==(const CurvePoint&) const = default;
};

using CurvePoints = std::array<CurvePoint, ResponseGrid::PointCount>;

// Point j is (nearest(j x W / 462), nearest(y(sum of the responses at j of items
// 0..lastItem))), the sum taken in item order as a 32-bit float and W / 462 held as one. With a
// pixel ratio r the points are in device pixels of a screen with r of them per pixel:
// (nearest(j x W / 462 x r), nearest(y(sum) x r)); a ratio of 1 gives the plain pixels.
void SumCurve(const EqPointList& list, const GraphMapping& mapping, CurvePoints& points,
              double pixelRatio = 1.0);

}  // namespace zt
