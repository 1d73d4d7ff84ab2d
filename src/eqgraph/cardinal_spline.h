#pragma once
// A cardinal spline through a row of points, as the cubic Bezier segments that draw it.
//
// The tangent at point i is tension x (P[i+1] - P[i-1]); at the two ends the missing
// neighbour is the end point itself. Segment i runs from P[i] to P[i+1] with the control
// points P[i] + T[i] / 3 and P[i+1] - T[i+1] / 3, so the curve passes through every point,
// tension 0 gives straight lines and tension 0.5 the Catmull-Rom spline.

#include <span>
#include <vector>

namespace zt {

struct SplinePoint {
    double x = 0;
    double y = 0;
    bool operator==(const SplinePoint&) const = default;
};

struct BezierSegment {
    SplinePoint control1;
    SplinePoint control2;
    SplinePoint end;
};

// Segments from points[0] through every point to the last; empty for fewer than two points.
// `segments` is overwritten (its storage is kept, so a caller that draws often allocates once).
void CardinalSpline(std::span<const SplinePoint> points, double tension,
                    std::vector<BezierSegment>& segments);

}  // namespace zt
