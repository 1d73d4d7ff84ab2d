// The graph's bitmaps at the screen's pixel ratio: the same grid in logical pixels, drawn with
// as many device pixels as the screen has; the curve drawn again only where it changed.
#include "ui/eqgraph/graph_painting.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "eqgraph/nearest.h"
#include "ui/eqgraph/curve_layer.h"

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

// Curve points of a plot at `ratio` device pixels per pixel: waves, a narrow peak near 1 kHz
// and a low-pass falling far below the plot.
CurvePoints WavyCurve(double ratio, int peakShift = 0) {
    CurvePoints points;
    const double step = 883.0 / 462;
    for (int j = 0; j < ResponseGrid::PointCount; ++j) {
        double y = 89 + 25 * std::sin(j / 17.0);
        const int peak = 273 + peakShift;
        if (std::abs(j - peak) < 6) y -= 60.0 / (1 + std::abs(j - peak));
        if (j > 420) y += (j - 420) * (j - 420) * 0.9;
        points[j] = {static_cast<int>(Nearest(j * step * ratio)),
                     static_cast<int>(Nearest(y * ratio))};
    }
    return points;
}

QImage Blank(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kGraphBackground);
    return image;
}

void PaintCurve(CurveLayer& layer, QImage& image, const QRegion& region) {
    QPainter p(&image);
    for (const QRect& r : region) {
        p.fillRect(r, QColor(kGraphBackground));
        layer.Paint(p, r, QColor(255, 102, 0));
    }
}

// The picture a drag step leaves (the old picture drawn again only where the layer says the
// curve changed) is the picture of the new curve drawn whole, pixel for pixel.
TEST(CurveLayerTest, DrawingTheChangedPartGivesTheWholeNewPicture) {
    for (const double ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QSize size(std::lround(883 * ratio), std::lround(268 * ratio));
        const QRect whole(QPoint(0, 0), size);
        struct Case {
            const char* what;
            void (*change)(CurvePoints&, double);
            double mostOfThePicture;  // share of the picture the change may cover
        };
        const Case cases[] = {
            {"one point", [](CurvePoints& c, double r) { c[120].y += std::lround(3 * r); }, 0.03},
            {"the peak moves", [](CurvePoints& c, double r) { c = WavyCurve(r, 9); }, 0.15},
            {"the first point", [](CurvePoints& c, double) { c[0].y -= 4; }, 0.03},
            {"the last point drawn", [](CurvePoints& c, double) { c[461].y -= 5; }, 0.03},
            {"point 462, not drawn", [](CurvePoints& c, double) { c[462].y -= 5; }, 0.0},
            {"everything",
             [](CurvePoints& c, double) {
                 for (auto& p : c) p.y += 7;
             },
             1.0},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            CurveLayer layer;
            layer.Reset(size, ratio);
            CurvePoints points = WavyCurve(ratio);
            EXPECT_EQ(layer.SetCurve(points), QRegion(whole)) << "a first curve is all new";
            QImage picture = Blank(size);
            PaintCurve(layer, picture, whole);

            c.change(points, ratio);
            const QRegion changed = layer.SetCurve(points);
            PaintCurve(layer, picture, changed);
            QImage expected = Blank(size);
            PaintCurve(layer, expected, whole);
            ASSERT_EQ(picture, expected);

            long area = 0;
            for (const QRect& r : changed) area += static_cast<long>(r.width()) * r.height();
            EXPECT_LE(area, c.mostOfThePicture * size.width() * size.height());
        }
    }
}

TEST(CurveLayerTest, CurveGoesThroughItsPointsWithThePensWidth) {
    // A flat line on the edge between rows 99 and 100 (device pixels at ratio 2): the pen's 3.6
    // pixels cover rows 99 and 100 and most of 98 and 101; rows further off stay background.
    CurvePoints points;
    for (int j = 0; j < ResponseGrid::PointCount; ++j) points[j] = {4 * j, 100};
    CurveLayer layer;
    const QSize size(1766, 536);
    layer.Reset(size, 2.0);
    layer.SetCurve(points);
    QImage picture = Blank(size);
    PaintCurve(layer, picture, QRect(QPoint(0, 0), size));
    const int x = 900;
    EXPECT_EQ(picture.pixel(x, 96), kGraphBackground);
    EXPECT_EQ(picture.pixel(x, 99), QColor(255, 102, 0).rgb());
    EXPECT_EQ(picture.pixel(x, 100), QColor(255, 102, 0).rgb());
    EXPECT_NE(picture.pixel(x, 98), kGraphBackground) << "the edge is anti-aliased";
    EXPECT_EQ(picture.pixel(x, 104), kGraphBackground);
    EXPECT_DOUBLE_EQ(layer.YAt(x), 100.0);
}

}  // namespace
}  // namespace zt
