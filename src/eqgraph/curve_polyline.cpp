#include "eqgraph/curve_polyline.h"

#include <algorithm>

namespace zt {
namespace {

// A cubic whose control polygon turns more than this (radians) holds a sharp bend; it is
// halved at most this often.
constexpr double kSharpBend = 0.5;
constexpr int kMostHalvings = 8;

// Angle between two directions, 0..pi.
double TurnBetween(SplinePoint a, SplinePoint b) {
    return std::abs(std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y));
}

// Chords for one segment. For a cubic with second differences d, the chords of n equal
// parameter steps stray at most 3/4 |d| / n^2 from it; its turning is at most that of its
// control polygon.
int ChordsFor(SplinePoint p0, SplinePoint p1, SplinePoint p2, SplinePoint p3) {
    const double dx = std::max(std::abs(p0.x - 2 * p1.x + p2.x), std::abs(p1.x - 2 * p2.x + p3.x));
    const double dy = std::max(std::abs(p0.y - 2 * p1.y + p2.y), std::abs(p1.y - 2 * p2.y + p3.y));
    const double flat = std::sqrt(0.75 * std::hypot(dx, dy) / kCurveFlatness);
    const SplinePoint d1{p1.x - p0.x, p1.y - p0.y};
    const SplinePoint d2{p2.x - p1.x, p2.y - p1.y};
    const SplinePoint d3{p3.x - p2.x, p3.y - p2.y};
    const double turn = (TurnBetween(d1, d2) + TurnBetween(d2, d3)) / kCurveChordTurn;
    const double chords = std::ceil(std::max(flat, turn));
    return static_cast<int>(std::clamp(chords, 1.0, static_cast<double>(kMostChordsPerSegment)));
}

double BendOf(SplinePoint p0, SplinePoint p1, SplinePoint p2, SplinePoint p3) {
    const SplinePoint d1{p1.x - p0.x, p1.y - p0.y};
    const SplinePoint d2{p2.x - p1.x, p2.y - p1.y};
    const SplinePoint d3{p3.x - p2.x, p3.y - p2.y};
    return TurnBetween(d1, d2) + TurnBetween(d2, d3);
}

SplinePoint Mid(SplinePoint a, SplinePoint b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// Appends the chords of the cubic p0..p3 after p0. A sharp bend (the tip of a narrow peak)
// turns within a small part of the segment, which equal parameter steps barely sample: such a
// cubic is halved until its halves bend gently, so the chords crowd where the curve turns.
void AppendChords(SplinePoint p0, SplinePoint p1, SplinePoint p2, SplinePoint p3, int depth,
                  std::vector<SplinePoint>& polyline) {
    if (depth > 0 && BendOf(p0, p1, p2, p3) > kSharpBend) {
        const SplinePoint a = Mid(p0, p1);
        const SplinePoint b = Mid(p1, p2);
        const SplinePoint c = Mid(p2, p3);
        const SplinePoint ab = Mid(a, b);
        const SplinePoint bc = Mid(b, c);
        const SplinePoint middle = Mid(ab, bc);
        AppendChords(p0, a, ab, middle, depth - 1, polyline);
        AppendChords(middle, bc, c, p3, depth - 1, polyline);
        return;
    }
    const int n = ChordsFor(p0, p1, p2, p3);
    for (int k = 1; k < n; ++k) {
        const double t = static_cast<double>(k) / n;
        const double u = 1 - t;
        const double b0 = u * u * u;
        const double b1 = 3 * u * u * t;
        const double b2 = 3 * u * t * t;
        const double b3 = t * t * t;
        polyline.push_back({b0 * p0.x + b1 * p1.x + b2 * p2.x + b3 * p3.x,
                            b0 * p0.y + b1 * p1.y + b2 * p2.y + b3 * p3.y});
    }
    polyline.push_back(p3);
}

bool OutsideRows(SplinePoint p0, const BezierSegment& s, double top, double bottom) {
    const double low = std::min({p0.y, s.control1.y, s.control2.y, s.end.y});
    const double high = std::max({p0.y, s.control1.y, s.control2.y, s.end.y});
    return high < top || low > bottom;
}

// Unit normal (left of the direction of travel) of the chord from a to b; zero when a == b.
SplinePoint NormalOf(SplinePoint a, SplinePoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return {0, 0};
    return {dy / length, -dx / length};
}

}  // namespace

void FlattenSpline(SplinePoint start, std::span<const BezierSegment> segments, double top,
                   double bottom, std::vector<SplinePoint>& polyline) {
    polyline.clear();
    polyline.push_back(start);
    SplinePoint p0 = start;
    for (const BezierSegment& s : segments) {
        if (OutsideRows(p0, s, top, bottom)) {
            polyline.push_back(s.end);
        } else {
            AppendChords(p0, s.control1, s.control2, s.end, kMostHalvings, polyline);
        }
        p0 = s.end;
    }
}

void StrokeMiters(std::span<const SplinePoint> polyline, std::vector<SplinePoint>& miters) {
    const std::size_t n = polyline.size();
    miters.assign(n, SplinePoint{0, -1});
    if (n < 2) return;
    // Chord normals; a chord of no length takes its predecessor's (or the first real one's).
    std::vector<SplinePoint> normals(n - 1);
    SplinePoint last{0, 0};
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const SplinePoint normal = NormalOf(polyline[i], polyline[i + 1]);
        if (normal.x != 0 || normal.y != 0) last = normal;
        normals[i] = last;
    }
    if (last.x == 0 && last.y == 0) return;  // every vertex in one place
    for (std::size_t i = n - 1; i-- > 0;) {
        if (normals[i].x == 0 && normals[i].y == 0) normals[i] = normals[i + 1];
    }
    miters[0] = normals[0];
    miters[n - 1] = normals[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const SplinePoint a = normals[i - 1];
        const SplinePoint b = normals[i];
        const double cosine = a.x * b.x + a.y * b.y;
        // Beyond a sharp turn a miter would spike; there the later chord's edge serves.
        if (1 + cosine < 0.5) {
            miters[i] = b;
        } else {
            miters[i] = {(a.x + b.x) / (1 + cosine), (a.y + b.y) / (1 + cosine)};
        }
    }
}

std::size_t LastVertexBefore(std::span<const SplinePoint> polyline, double x) {
    const auto after = std::lower_bound(polyline.begin(), polyline.end(), x,
                                        [](const SplinePoint& p, double v) { return p.x < v; });
    if (after == polyline.begin()) return 0;
    return static_cast<std::size_t>(after - polyline.begin()) - 1;
}

std::size_t FirstVertexAfter(std::span<const SplinePoint> polyline, double x) {
    const auto after = std::upper_bound(polyline.begin(), polyline.end(), x,
                                        [](double v, const SplinePoint& p) { return v < p.x; });
    if (after == polyline.end()) return polyline.empty() ? 0 : polyline.size() - 1;
    return static_cast<std::size_t>(after - polyline.begin());
}

double PolylineYAt(std::span<const SplinePoint> polyline, double x) {
    const std::size_t i = LastVertexBefore(polyline, x);
    if (i + 1 >= polyline.size() || polyline[i].x >= x) return polyline[i].y;
    const SplinePoint a = polyline[i];
    const SplinePoint b = polyline[i + 1];
    if (b.x <= a.x) return b.y;
    const double t = std::min(1.0, (x - a.x) / (b.x - a.x));
    return a.y + (b.y - a.y) * t;
}

}  // namespace zt
