// The curve as straight pieces: the flattened spline stays within its tolerance of the true
// curve and keeps every point it runs through; the thin polygon around it is the stroke.
#include "eqgraph/curve_polyline.h"

#include <gtest/gtest.h>

#include "tests/eqgraph/curve_test_support.h"

#include <cmath>
#include <vector>

namespace zt {
namespace {

double DistanceToChord(SplinePoint p, SplinePoint a, SplinePoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    t = std::fmin(1, std::fmax(0, t));
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Curve points as the graph makes them: a step of two pixels, a narrow peak, a steep fall
// far below the plot.
std::vector<SplinePoint> GraphLikePoints() {
    std::vector<SplinePoint> points;
    for (int j = 0; j < 120; ++j) {
        double y = 90 + 20 * std::sin(j / 9.0);
        if (j >= 50 && j <= 54) y -= (j == 52 ? 85 : j == 51 || j == 53 ? 40 : 10);
        if (j > 100) y += (j - 100) * (j - 100) * 8.0;
        points.push_back({2.0 * j, std::round(y)});
    }
    return points;
}

struct Flattened {
    std::vector<BezierSegment> segments;
    std::vector<SplinePoint> polyline;
};

Flattened Flatten(const std::vector<SplinePoint>& points, double top, double bottom) {
    Flattened f;
    CardinalSpline(points, 0.4, f.segments);
    FlattenSpline(points[0], f.segments, top, bottom, f.polyline);
    return f;
}

TEST(CurvePolylineTest, ChordsFollowTheSplineWithinTheTolerance) {
    const std::vector<SplinePoint> points = GraphLikePoints();
    const Flattened f = Flatten(points, -1e9, 1e9);
    ASSERT_EQ(f.polyline.front(), points.front());
    // Every spline point is a vertex, in order, and x never falls.
    std::size_t vertex = 0;
    for (const SplinePoint& p : points) {
        while (vertex < f.polyline.size() && !(f.polyline[vertex] == p)) ++vertex;
        ASSERT_LT(vertex, f.polyline.size());
    }
    EXPECT_EQ(f.polyline.back(), points.back());
    for (std::size_t i = 1; i < f.polyline.size(); ++i) {
        ASSERT_GE(f.polyline[i].x, f.polyline[i - 1].x) << i;
    }
    // Every sample of every segment lies within the flatness of the chords between its ends,
    // unless the segment was cut into the most chords (its steep drop lies far off).
    SplinePoint from = points[0];
    std::size_t first = 0;
    for (const BezierSegment& s : f.segments) {
        std::size_t last = first;
        while (!(f.polyline[last] == s.end) || last == first) ++last;
        if (last - first < static_cast<std::size_t>(kMostChordsPerSegment)) {
            for (int k = 0; k <= 200; ++k) {
                const SplinePoint p = At(from, s, k / 200.0);
                double nearest = 1e9;
                for (std::size_t i = first; i < last; ++i) {
                    nearest =
                        std::fmin(nearest, DistanceToChord(p, f.polyline[i], f.polyline[i + 1]));
                }
                ASSERT_LE(nearest, kCurveFlatness + 1e-9) << "segment ending at " << s.end.x;
            }
        }
        from = s.end;
        first = last;
    }
}

TEST(CurvePolylineTest, SegmentsOutOfSightAreOneChordEach) {
    const std::vector<SplinePoint> points = GraphLikePoints();
    const Flattened all = Flatten(points, -1e9, 1e9);
    const Flattened visible = Flatten(points, 0, 300);
    EXPECT_LT(visible.polyline.size(), all.polyline.size());
    // The steep fall beyond y 300 keeps only the spline points themselves.
    for (const SplinePoint& p : visible.polyline) {
        if (p.x > 230) {
            ASSERT_EQ(p.x, std::round(p.x)) << "only spline points out of sight";
        }
    }
}

double Area(const std::vector<SplinePoint>& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const SplinePoint& a = polygon[i];
        const SplinePoint& b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::abs(twice) / 2;
}

TEST(CurvePolylineTest, OutlineOfAStraightLineIsABarWithRoundEnds) {
    const std::vector<SplinePoint> line{{0, 5}, {4, 5}, {10, 5}};
    std::vector<SplinePoint> miters;
    StrokeMiters(line, miters);
    for (const SplinePoint& m : miters) EXPECT_EQ(m, (SplinePoint{0, -1}));
    std::vector<SplinePoint> outline;
    StrokeOutline(std::span<const SplinePoint>(line), miters, 0, 2, 1.0, outline);
    EXPECT_EQ(outline.front(), (SplinePoint{0, 4}));
    // A 10 x 2 bar and two half discs of radius 1 (drawn as polygons of 8 steps).
    const double caps = 8 * std::sin(3.14159265358979 / 8);  // area of the 16-gon of radius 1
    EXPECT_NEAR(Area(outline), 20 + caps, 1e-9);
    // A piece from inside the line closes straight across where it is cut.
    StrokeOutline(std::span<const SplinePoint>(line), miters, 1, 2, 1.0, outline);
    EXPECT_NEAR(Area(outline), 12 + caps / 2, 1e-9);
}

TEST(CurvePolylineTest, MitersKeepTheHalfWidthFromBothChords) {
    // A right-angled turn: the miter reaches sqrt(2) half widths along the bisector, so both
    // edges keep their distance from their chords.
    const std::vector<SplinePoint> line{{0, 0}, {10, 0}, {10, 10}};
    std::vector<SplinePoint> miters;
    StrokeMiters(line, miters);
    EXPECT_NEAR(miters[1].x, 1.0, 1e-12);
    EXPECT_NEAR(miters[1].y, -1.0, 1e-12);
    // Chords of no length take a neighbour's direction.
    const std::vector<SplinePoint> repeated{{0, 0}, {0, 0}, {5, 0}, {5, 0}};
    StrokeMiters(repeated, miters);
    for (const SplinePoint& m : miters) EXPECT_EQ(m, (SplinePoint{0, -1}));
}

TEST(CurvePolylineTest, VerticesAroundAColumnAndTheLineBetweenThem) {
    const std::vector<SplinePoint> line{{0, 0}, {2, 4}, {2, 6}, {5, 0}};
    EXPECT_EQ(LastVertexBefore(line, -1), 0u);
    EXPECT_EQ(LastVertexBefore(line, 2), 0u);
    EXPECT_EQ(LastVertexBefore(line, 2.5), 2u);
    EXPECT_EQ(FirstVertexAfter(line, 2), 3u);
    EXPECT_EQ(FirstVertexAfter(line, 1), 1u);
    EXPECT_EQ(FirstVertexAfter(line, 9), 3u);
    EXPECT_DOUBLE_EQ(PolylineYAt(line, 1), 2.0);
    EXPECT_DOUBLE_EQ(PolylineYAt(line, 3.5), 3.0);
    EXPECT_DOUBLE_EQ(PolylineYAt(line, -3), 0.0);
    EXPECT_DOUBLE_EQ(PolylineYAt(line, 8), 0.0);
}

}  // namespace
}  // namespace zt
