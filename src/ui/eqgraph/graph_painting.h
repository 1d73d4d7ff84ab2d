#pragma once
// Painting of the EQ graph's bitmaps: the grid background and the curve.

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QSize>

#include "eqgraph/eq_curve.h"
#include "eqgraph/graph_mapping.h"

namespace zt {

inline constexpr QRgb kGraphBackground = 0xFFEEEEEE;  // RGB(238,238,238)
inline constexpr QRgb kGridMajor = 0xFFD2D2D2;        // RGB(210,210,210)
inline constexpr QRgb kGridMinor = 0xFFDCDCDC;        // RGB(220,220,220)
inline constexpr double kCurveTension = 0.4;
inline constexpr double kCurvePenWidth = 1.8;
// The spline runs through the first 462 of the 463 curve points.
inline constexpr int kCurveSplinePoints = ResponseGrid::GridSteps;

// A background of `size` logical pixels at `pixelRatio` device pixels each, holding the grid
// of the mapping.
QImage PaintGridBackground(QSize size, double pixelRatio, const GraphMapping& mapping);

// The cardinal spline with tension 0.4 through curve points 0..461, as cubic Bezier segments.
QPainterPath CurvePath(const CurvePoints& points);

// The curve cut into pieces of a few dozen segments that share their end points. Qt's
// anti-aliasing rasterizer slows down sharply on one long path of tiny curves (it overflows its
// cell pool and renders in bands); stroked piece by piece the same curve costs less than half.
QList<QPainterPath> StrokePieces(const QPainterPath& curve);

// Strokes the pieces anti-aliased with the curve pen of `colour`.
void PaintCurve(QImage& bitmap, const QList<QPainterPath>& pieces, const QColor& colour);

}  // namespace zt
