#include "eqgraph/cardinal_spline.h"

#include <cstddef>

namespace zt {

void CardinalSpline(std::span<const SplinePoint> points, double tension,
                    std::vector<BezierSegment>& segments) {
    segments.clear();
    const std::size_t n = points.size();
    if (n < 2) return;
    segments.reserve(n - 1);
    auto tangent = [&](std::size_t i) {
        const SplinePoint& before = points[i == 0 ? 0 : i - 1];
        const SplinePoint& after = points[i + 1 < n ? i + 1 : n - 1];
        return SplinePoint{tension * (after.x - before.x), tension * (after.y - before.y)};
    };
    SplinePoint leaving = tangent(0);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const SplinePoint arriving = tangent(i + 1);
        const SplinePoint& from = points[i];
        const SplinePoint& to = points[i + 1];
        segments.push_back({{from.x + leaving.x / 3.0, from.y + leaving.y / 3.0},
                            {to.x - arriving.x / 3.0, to.y - arriving.y / 3.0},
                            to});
        leaving = arriving;
    }
}

}  // namespace zt
