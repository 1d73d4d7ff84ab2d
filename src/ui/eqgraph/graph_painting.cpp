#include "ui/eqgraph/graph_painting.h"

#include <QPainter>
#include <array>
#include <vector>

#include "eqgraph/cardinal_spline.h"
#include "eqgraph/graph_grid.h"

namespace zt {

QImage PaintGridBackground(QSize size, double pixelRatio, const GraphMapping& mapping) {
    QImage background(size * pixelRatio, QImage::Format_RGB32);
    background.setDevicePixelRatio(pixelRatio);
    background.fill(QColor(kGraphBackground));
    QPainter p(&background);
    for (const GridLine& line : GridLines(mapping)) {
        const QColor colour(line.tone == GridTone::Major ? kGridMajor : kGridMinor);
        // A line of width w covers the w pixels a pen of that width centred on it would.
        const int back = line.width / 2;
        QRect r;
        if (line.x1 == line.x2) {
            r = QRect(line.x1 - back, line.y1, line.width, line.y2 - line.y1);
        } else {
            r = QRect(line.x1, line.y1 - back, line.x2 - line.x1, line.width);
        }
        p.fillRect(r, colour);
    }
    return background;
}

QPainterPath CurvePath(const CurvePoints& points) {
    std::array<SplinePoint, kCurveSplinePoints> through;
    for (int j = 0; j < kCurveSplinePoints; ++j) {
        through[j] = {static_cast<double>(points[j].x), static_cast<double>(points[j].y)};
    }
    std::vector<BezierSegment> segments;
    CardinalSpline(through, kCurveTension, segments);
    QPainterPath path(QPointF(through[0].x, through[0].y));
    path.reserve(static_cast<int>(segments.size()) * 3 + 1);
    for (const BezierSegment& s : segments) {
        path.cubicTo(s.control1.x, s.control1.y, s.control2.x, s.control2.y, s.end.x, s.end.y);
    }
    return path;
}

QList<QPainterPath> StrokePieces(const QPainterPath& curve) {
    constexpr int kSegmentsPerPiece = 24;
    QList<QPainterPath> pieces;
    if (curve.elementCount() == 0) return pieces;
    QPainterPath piece(curve.elementAt(0));
    int segments = 0;
    for (int i = 1; i + 2 < curve.elementCount(); i += 3) {
        if (curve.elementAt(i).type != QPainterPath::CurveToElement) continue;
        piece.cubicTo(curve.elementAt(i), curve.elementAt(i + 1), curve.elementAt(i + 2));
        if (++segments == kSegmentsPerPiece) {
            pieces.append(piece);
            piece = QPainterPath(curve.elementAt(i + 2));
            segments = 0;
        }
    }
    if (segments > 0) pieces.append(piece);
    return pieces;
}

void PaintCurve(QImage& bitmap, const QList<QPainterPath>& pieces, const QColor& colour) {
    QPainter p(&bitmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, kCurvePenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const QPainterPath& piece : pieces) p.drawPath(piece);
}

}  // namespace zt
