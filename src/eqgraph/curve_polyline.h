#pragma once
// The EQ curve as straight pieces: the cubic Bezier segments of its spline flattened into a
// polyline fine enough that no one sees the corners, and the thin polygon around that polyline
// that a fill turns into the stroked curve (round joins, round caps). The painter then has no
// curves to offset and fills one polygon of straight edges.
//
// Coordinates are device pixels. The polyline runs left to right: every x is at least the x of
// the vertex before it, as the curve's own points are (their x grows with the grid index).

#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

#include "eqgraph/cardinal_spline.h"

namespace zt {

// A chord may stray this far from the curve it stands for (device pixels), and turn by this
// much from the chord before it (radians): the round joins and the true curve then differ by
// far less than one anti-aliasing step.
inline constexpr double kCurveFlatness = 0.05;
inline constexpr double kCurveChordTurn = 0.2;
// No segment is cut into more chords than this; steeper ones lie beyond the plot anyway.
inline constexpr int kMostChordsPerSegment = 64;

// Replaces `polyline` with `start` and the flattened `segments` (each segment ends on its end
// point). A segment whose control points all lie above `top` or all below `bottom` is one
// chord: it cannot be seen, only its neighbours' joins must stay right.
void FlattenSpline(SplinePoint start, std::span<const BezierSegment> segments, double top,
                   double bottom, std::vector<SplinePoint>& polyline);

// Replaces `miters` with one vector per polyline vertex: the vertex plus the vector times the
// half width is the stroke's edge on the left of the direction of travel, minus it the edge
// on the right. It bisects the two chords that meet there (a miter; with turns as small as the
// flattening leaves, it lies on the round join). End vertices take their one chord's normal.
void StrokeMiters(std::span<const SplinePoint> polyline, std::vector<SplinePoint>& miters);

// Points of the round cap at `end` of a chord of normal `normal` (unit), from the left edge
// around the far side to the right edge, both edges left out; `heading` is +1 at the end of the
// polyline and -1 at its start (where the cap goes around the back).
inline constexpr int kCapSteps = 8;
template <typename Point>
void AppendRoundCap(SplinePoint end, SplinePoint normal, double halfWidth, double heading,
                    std::vector<Point>& outline) {
    const SplinePoint forward{-normal.y * heading, normal.x * heading};
    for (int k = 1; k < kCapSteps; ++k) {
        const double a = 3.14159265358979323846 * k / kCapSteps;
        const double c = std::cos(a) * halfWidth * heading;
        const double s = std::sin(a) * halfWidth;
        outline.emplace_back(end.x + normal.x * c + forward.x * s,
                             end.y + normal.y * c + forward.y * s);
    }
}

// Replaces `outline` with the polygon of the stroke along vertices first..last (inclusive) of
// the polyline: the left edge forward, the right edge back. Where the range reaches an end of
// the polyline, the polygon rounds it off with a cap; where it stops inside, it closes straight
// across, so a caller that draws a piece must keep that cut outside what it shows. Filled with
// the non-zero rule, it covers exactly what a round-joined pen of twice `halfWidth` would.
template <typename Point>
void StrokeOutline(std::span<const SplinePoint> polyline, std::span<const SplinePoint> miters,
                   std::size_t first, std::size_t last, double halfWidth,
                   std::vector<Point>& outline) {
    outline.clear();
    if (polyline.size() < 2 || first >= last || last >= polyline.size()) return;
    for (std::size_t i = first; i <= last; ++i) {
        outline.emplace_back(polyline[i].x + miters[i].x * halfWidth,
                             polyline[i].y + miters[i].y * halfWidth);
    }
    if (last + 1 == polyline.size()) {
        AppendRoundCap(polyline[last], miters[last], halfWidth, 1.0, outline);
    }
    for (std::size_t i = last + 1; i-- > first;) {
        outline.emplace_back(polyline[i].x - miters[i].x * halfWidth,
                             polyline[i].y - miters[i].y * halfWidth);
    }
    if (first == 0) AppendRoundCap(polyline[0], miters[0], halfWidth, -1.0, outline);
}

// Index of the last vertex left of `x` (0 when there is none): a piece that shows columns from
// x on starts there. The polyline's x never falls, so this is a binary search.
std::size_t LastVertexBefore(std::span<const SplinePoint> polyline, double x);
// Index of the first vertex right of `x` (the last vertex when there is none).
std::size_t FirstVertexAfter(std::span<const SplinePoint> polyline, double x);

// The y of the polyline at `x` (linear between the vertices around it; the end vertices' y
// beyond the ends). The polyline must not be empty.
double PolylineYAt(std::span<const SplinePoint> polyline, double x);

}  // namespace zt
