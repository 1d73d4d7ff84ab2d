#pragma once
// The EQ curve on the graph's bitmap, in device pixels: the cardinal spline through the curve
// points, flattened into a polyline and filled as the thin polygon a round pen of the curve's
// width would cover. It knows which part of the picture a new set of points changes, so that a
// drag step redraws only that part, and it fills any part of the picture on request.

#include <QColor>
#include <QPointF>
#include <QRegion>
#include <QSize>
#include <vector>

#include "eqgraph/cardinal_spline.h"
#include "eqgraph/eq_curve.h"

class QPainter;

namespace zt {

inline constexpr double kCurveTension = 0.4;
inline constexpr double kCurvePenWidth = 1.8;  // logical pixels
// The spline runs through the first 462 of the 463 curve points.
inline constexpr int kCurveSplinePoints = ResponseGrid::GridSteps;

class CurveLayer {
public:
    // A picture of `deviceSize` device pixels at `pixelRatio` of them per logical pixel; the
    // curve is forgotten, so the next SetCurve changes the whole picture.
    void Reset(QSize deviceSize, double pixelRatio);

    // Takes new curve points (device pixels) and gives the part of the picture (device pixels)
    // where the old and the new curve differ: the bounds of the spline segments that changed,
    // old and new, with the pen's reach, in narrow column bands.
    QRegion SetCurve(const CurvePoints& points);
    bool empty() const { return polyline_.empty(); }

    // Fills the curve where it crosses `deviceRegion` and nowhere else; `painter` draws in
    // device pixels, and the layer sets its clip itself.
    void Paint(QPainter& painter, const QRegion& deviceRegion, const QColor& colour);

    // The curve's y (device pixels) at device column `x`.
    double YAt(double x) const;

    const std::vector<SplinePoint>& polyline() const { return polyline_; }
    double halfWidth() const { return halfWidth_; }

private:
    QRect SegmentBounds(const SplinePoint& start, const BezierSegment& segment) const;
    void FillPiece(QPainter& painter, const QRegion& clip, const QRect& strip);

    QSize size_;
    double ratio_ = 1.0;
    double halfWidth_ = kCurvePenWidth / 2;
    std::vector<SplinePoint> through_;  // the spline's points, device pixels
    std::vector<BezierSegment> segments_;
    std::vector<BezierSegment> newSegments_;
    std::vector<SplinePoint> polyline_;
    std::vector<SplinePoint> miters_;
    std::vector<QPointF> outline_;  // scratch of one piece's polygon
};

}  // namespace zt
