#pragma once
// What the graph's tests measure curves against: the graph at its design size, and a point of a
// cubic Bezier piece computed straight from its definition.

#include "eqgraph/cardinal_spline.h"
#include "eqgraph/graph_mapping.h"

namespace zt {

// The graph at the size the window was designed for.
inline constexpr GraphMapping kDesign{883, 268};

// The point at parameter t of the piece from `from` along `s`.
inline SplinePoint At(const SplinePoint& from, const BezierSegment& s, double t) {
    const double u = 1 - t;
    auto mix = [&](double a, double b, double c, double d) {
        return u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d;
    };
    return {mix(from.x, s.control1.x, s.control2.x, s.end.x),
            mix(from.y, s.control1.y, s.control2.y, s.end.y)};
}

}  // namespace zt
