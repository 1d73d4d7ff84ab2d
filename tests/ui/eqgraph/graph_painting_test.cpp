// The graph's bitmaps at the screen's pixel ratio: the same grid in logical pixels, drawn with
// as many device pixels as the screen has.
#include "ui/eqgraph/graph_painting.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zt {
namespace {

TEST(GraphPaintingTest, GridIsDrawnAtThePixelRatio) {
    const GraphMapping mapping{883, 268};
    for (const double ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage grid = PaintGridBackground(QSize(883, 268), ratio, mapping);
        EXPECT_EQ(grid.size(), QSize(std::lround(883 * ratio), std::lround(268 * ratio)));
        EXPECT_EQ(grid.deviceIndependentSize().toSize(), QSize(883, 268));
        // The 1 kHz line covers logical x 521 and 522: 2 x ratio device pixels, sharp edges.
        const int y = std::lround(120 * ratio);
        int covered = 0;
        for (int x = 0; x < grid.width(); ++x) {
            const QRgb p = grid.pixel(x, y);
            if (x >= 515 * ratio && x < 530 * ratio) {
                ASSERT_TRUE(p == kGridMajor || p == kGraphBackground) << x;
                covered += p == kGridMajor;
            }
        }
        EXPECT_EQ(covered, std::lround(2 * ratio));
        EXPECT_EQ(grid.pixel(std::lround(521 * ratio), y), kGridMajor);
    }
}

TEST(GraphPaintingTest, CurvePathIsOneBezierSegmentPerStep) {
    CurvePoints points;
    for (int j = 0; j < ResponseGrid::PointCount; ++j) points[j] = {2 * j, 89 + (j % 7)};
    const QPainterPath path = CurvePath(points);
    ASSERT_EQ(path.elementCount(), 1 + 3 * (kCurveSplinePoints - 1));
    EXPECT_TRUE(path.elementAt(0).isMoveTo());
    EXPECT_EQ(path.elementAt(1).type, QPainterPath::CurveToElement);
    for (int j = 1; j < kCurveSplinePoints; ++j) {
        ASSERT_EQ(QPointF(path.elementAt(3 * j)), QPointF(points[j].x, points[j].y)) << j;
    }
    EXPECT_EQ(path.currentPosition(), QPointF(points[461].x, points[461].y))
        << "point 462 is not drawn";
}

TEST(GraphPaintingTest, StrokePiecesShareTheirEndsAndKeepEverySegment) {
    CurvePoints points;
    for (int j = 0; j < ResponseGrid::PointCount; ++j) points[j] = {2 * j, 100 - (j % 11)};
    const QPainterPath curve = CurvePath(points);
    const QList<QPainterPath> pieces = StrokePieces(curve);
    ASSERT_GT(pieces.size(), 1);
    int segments = 0;
    QPointF end(curve.elementAt(0));
    for (const QPainterPath& piece : pieces) {
        EXPECT_EQ(QPointF(piece.elementAt(0)), end) << "each piece starts where the last ended";
        for (int i = 1; i < piece.elementCount(); ++i) {
            ASSERT_EQ(QPointF(piece.elementAt(i)), QPointF(curve.elementAt(3 * segments + i)));
        }
        segments += (piece.elementCount() - 1) / 3;
        end = piece.currentPosition();
    }
    EXPECT_EQ(segments, kCurveSplinePoints - 1);
    EXPECT_EQ(end, curve.currentPosition());
}

}  // namespace
}  // namespace zt
