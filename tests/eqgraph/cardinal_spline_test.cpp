#include "eqgraph/cardinal_spline.h"

#include <gtest/gtest.h>

#include "tests/eqgraph/curve_test_support.h"

#include <vector>

namespace zt {
namespace {

const std::vector<SplinePoint> kZigzag{{0, 10}, {4, 2}, {9, 14}, {13, 5}, {20, 11}, {24, 0}};

TEST(CardinalSplineTest, PassesThroughEveryPoint) {
    std::vector<BezierSegment> segments;
    CardinalSpline(kZigzag, 0.4, segments);
    ASSERT_EQ(segments.size(), kZigzag.size() - 1);
    SplinePoint from = kZigzag[0];
    for (size_t i = 0; i < segments.size(); ++i) {
        EXPECT_EQ(segments[i].end, kZigzag[i + 1]);
        const SplinePoint start = At(from, segments[i], 0.0);
        EXPECT_DOUBLE_EQ(start.x, kZigzag[i].x);
        EXPECT_DOUBLE_EQ(start.y, kZigzag[i].y);
        from = segments[i].end;
    }
}

TEST(CardinalSplineTest, TangentsFollowTheNeighboursAndTheTension) {
    // Interior point i leaves along tension x (P[i+1] - P[i-1]) and the curve is smooth there:
    // the control points on either side are mirror images.
    std::vector<BezierSegment> segments;
    const double tension = 0.4;
    CardinalSpline(kZigzag, tension, segments);
    for (size_t i = 1; i + 1 < kZigzag.size(); ++i) {
        const SplinePoint& p = kZigzag[i];
        const SplinePoint& in = segments[i - 1].control2;
        const SplinePoint& out = segments[i].control1;
        EXPECT_NEAR(out.x - p.x, tension * (kZigzag[i + 1].x - kZigzag[i - 1].x) / 3, 1e-12);
        EXPECT_NEAR(out.y - p.y, tension * (kZigzag[i + 1].y - kZigzag[i - 1].y) / 3, 1e-12);
        EXPECT_NEAR(out.x - p.x, p.x - in.x, 1e-12);
        EXPECT_NEAR(out.y - p.y, p.y - in.y, 1e-12);
    }
    // The ends take the missing neighbour as the end point itself.
    EXPECT_NEAR(segments[0].control1.y - kZigzag[0].y, tension * (kZigzag[1].y - kZigzag[0].y) / 3,
                1e-12);
}

TEST(CardinalSplineTest, HalfwayPointsOfKnownSplines) {
    std::vector<BezierSegment> segments;
    // Tension 0.5 is the Catmull-Rom spline: halfway between P1 and P2 it reads
    // (-P0 + 9 P1 + 9 P2 - P3) / 16.
    CardinalSpline(kZigzag, 0.5, segments);
    const SplinePoint mid = At(kZigzag[1], segments[1], 0.5);
    EXPECT_NEAR(mid.y, (-kZigzag[0].y + 9 * kZigzag[1].y + 9 * kZigzag[2].y - kZigzag[3].y) / 16,
                1e-12);
    // Tension 0 draws straight lines; points on a line stay on it at any tension.
    CardinalSpline(kZigzag, 0.0, segments);
    const SplinePoint straight = At(kZigzag[2], segments[2], 0.25);
    const SplinePoint& a = kZigzag[2];
    const SplinePoint& b = kZigzag[3];
    EXPECT_NEAR((straight.y - a.y) * (b.x - a.x), (straight.x - a.x) * (b.y - a.y), 1e-9);
    EXPECT_GT(straight.x, a.x);
    EXPECT_LT(straight.x, b.x);
    const std::vector<SplinePoint> line{{0, 0}, {2, 1}, {4, 2}, {6, 3}};
    CardinalSpline(line, 0.4, segments);
    for (size_t i = 0; i < segments.size(); ++i) {
        for (double t : {0.2, 0.5, 0.9}) {
            const SplinePoint p = At(line[i], segments[i], t);
            EXPECT_NEAR(p.y, p.x / 2, 1e-12);
        }
    }
}

TEST(CardinalSplineTest, TooFewPointsGiveNoSegments) {
    std::vector<BezierSegment> segments{{}};
    CardinalSpline(std::vector<SplinePoint>{{1, 1}}, 0.4, segments);
    EXPECT_TRUE(segments.empty());
    CardinalSpline({}, 0.4, segments);
    EXPECT_TRUE(segments.empty());
}

}  // namespace
}  // namespace zt
