// The graph's picture against the one it replaced and against the exact stroke.
//
// Before, the curve was Qt's path stroker run over the spline's cubic Bezier segments (in
// pieces of 24), and every marker painted its anti-aliased circles on its own widget over the
// picture. Now the spline is flattened into chords and filled as a thin polygon, and the
// markers' faces are copied into the picture. Both are drawn here from the same curve points
// (device pixels) and marker places, at two window sizes; the test program runs once more with
// QT_SCALE_FACTOR=2 for the second pixel ratio.
//
// Thresholds, in levels of one 8-bit colour channel:
// - Pixels farther than the pen's reach plus 1.5 pixels from the curve are the same in both
//   pictures up to 3 levels (a marker face copied from a premultiplied picture rounds once
//   more than one painted in place).
// - On the curve's anti-aliased edge both drawings estimate how much of a pixel the pen
//   covers. The exact cover comes from 16 x 16 samples per pixel of the distance to the
//   spline. The new picture stays within 40 levels of it: along the curve its chords stray at
//   most 0.05 pixels, 12 of the 238 levels between background and orange; at the tip of the
//   narrowest peak (Q 128), where the curve turns round within a pixel, the chords cut the
//   turn by up to a sixth of a pixel. The old stroker's offset curves are approximations of
//   their own, so the two pictures may differ by up to 72 levels on an edge pixel, and by 10
//   on average over the edge.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "eqgraph/cardinal_spline.h"
#include "graph_window.h"
#include "ui/eqgraph/curve_layer.h"

namespace zt::test {
namespace {

constexpr int kSamples = 16;  // per pixel and axis, for the exact cover

struct Segment {
    SplinePoint a, b;
};

// The spline through the curve points, in chords of at most a quarter pixel.
std::vector<Segment> FineSpline(const std::vector<SplinePoint>& through) {
    std::vector<BezierSegment> beziers;
    CardinalSpline(through, kCurveTension, beziers);
    std::vector<Segment> chords;
    SplinePoint from = through[0];
    for (const BezierSegment& s : beziers) {
        const double length = std::hypot(s.control1.x - from.x, s.control1.y - from.y) +
                              std::hypot(s.control2.x - s.control1.x, s.control2.y - s.control1.y) +
                              std::hypot(s.end.x - s.control2.x, s.end.y - s.control2.y);
        const int n = std::clamp(static_cast<int>(std::ceil(length * 4)), 8, 4096);
        SplinePoint previous = from;
        for (int k = 1; k <= n; ++k) {
            const double t = static_cast<double>(k) / n;
            const double u = 1 - t;
            const SplinePoint p{u * u * u * from.x + 3 * u * u * t * s.control1.x +
                                    3 * u * t * t * s.control2.x + t * t * t * s.end.x,
                                u * u * u * from.y + 3 * u * u * t * s.control1.y +
                                    3 * u * t * t * s.control2.y + t * t * t * s.end.y};
            chords.push_back({previous, p});
            previous = p;
        }
        from = s.end;
    }
    return chords;
}

double DistanceToChord(double x, double y, const Segment& s) {
    const double dx = s.b.x - s.a.x;
    const double dy = s.b.y - s.a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((x - s.a.x) * dx + (y - s.a.y) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (s.a.x + t * dx), y - (s.a.y + t * dy));
}

// Distance from every pixel centre to the spline, and the exact cover of the pen, for the
// pixels within `reach` of it; the chords run left to right, so a column needs only its own.
struct ExactStroke {
    ExactStroke(const std::vector<Segment>& chords, QSize size, double halfWidth, double reach)
        : width(size.width()),
          distance(size.width() * size.height(), 1e9),
          cover(size.width() * size.height(), 0.0) {
        for (const Segment& s : chords) {
            const int x0 =
                std::max(0, static_cast<int>(std::floor(std::min(s.a.x, s.b.x) - reach)));
            const int x1 = std::min(size.width() - 1,
                                    static_cast<int>(std::ceil(std::max(s.a.x, s.b.x) + reach)));
            const int y0 =
                std::max(0, static_cast<int>(std::floor(std::min(s.a.y, s.b.y) - reach)));
            const int y1 = std::min(size.height() - 1,
                                    static_cast<int>(std::ceil(std::max(s.a.y, s.b.y) + reach)));
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    double& d = distance[y * width + x];
                    d = std::min(d, DistanceToChord(x + 0.5, y + 0.5, s));
                }
            }
        }
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const double d = distance[y * width + x];
                if (d > halfWidth + 0.75) continue;
                if (d < halfWidth - 0.75) {
                    cover[y * width + x] = 1.0;
                    continue;
                }
                cover[y * width + x] = SampledCover(chords, x, y, halfWidth);
            }
        }
    }

    static double SampledCover(const std::vector<Segment>& chords, int x, int y, double h) {
        // The chords run left to right: those ending left of the pixel's reach come first.
        std::vector<const Segment*> near;
        auto s = std::lower_bound(chords.begin(), chords.end(), x - h - 1,
                                  [](const Segment& c, double v) { return c.b.x < v; });
        for (; s != chords.end() && s->a.x <= x + h + 2; ++s) {
            if (std::max(s->a.y, s->b.y) < y - h - 1 || std::min(s->a.y, s->b.y) > y + h + 2) {
                continue;
            }
            near.push_back(&*s);
        }
        int inside = 0;
        for (int j = 0; j < kSamples; ++j) {
            for (int i = 0; i < kSamples; ++i) {
                const double sx = x + (i + 0.5) / kSamples;
                const double sy = y + (j + 0.5) / kSamples;
                for (const Segment* s : near) {
                    if (DistanceToChord(sx, sy, *s) <= h) {
                        ++inside;
                        break;
                    }
                }
            }
        }
        return static_cast<double>(inside) / (kSamples * kSamples);
    }

    int width;
    std::vector<double> distance;
    std::vector<double> cover;
};

int ChannelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QRgb Blend(QRgb under, QColor over, double cover) {
    auto mix = [&](int u, int o) { return static_cast<int>(std::lround(u + (o - u) * cover)); };
    return qRgb(mix(qRed(under), over.red()), mix(qGreen(under), over.green()),
                mix(qBlue(under), over.blue()));
}

class CurvePicture : public GraphWindow {
protected:
    // The microphone page spread out: peaks (one at the top Q), shelves, both filters steep.
    void SpreadTheMicrophoneBands() {
        for (int band = 0; band < 20; ++band) {
            const int first = 15 + 5 * band;
            store().Set(2, first, 1 + band % 3);
            store().Set(2, first + 1, 20 + band * 17);
            store().Set(2, first + 2, 60 + (band * 37) % 120);
            store().Set(2, first + 3, band == 9 ? 100 : (band * 13) % 100);
            store().Set(2, first + 4, (band * 7) % 40);
        }
        store().Set(2, 15 + 5 * 4, 0);  // band 5 bypassed: a hollow ring on the curve
        store().Set(2, 9, 9);
        store().Set(2, 10, 40);
        store().Set(2, 11, 11);
        store().Set(2, 12, 300);
    }

    // The picture as the old drawing made it, from the graph's own curve points and markers.
    QImage PictureBefore(double ratio) {
        QImage before = graph().background().copy();
        before.setDevicePixelRatio(1.0);
        QPainter p(&before);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(graph().curveColour(), kCurvePenWidth * ratio, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        const std::vector<SplinePoint> through = Through();
        std::vector<BezierSegment> segments;
        CardinalSpline(through, kCurveTension, segments);
        QPainterPath piece(QPointF(through[0].x, through[0].y));
        int inPiece = 0;
        for (const BezierSegment& s : segments) {
            piece.cubicTo(s.control1.x, s.control1.y, s.control2.x, s.control2.y, s.end.x, s.end.y);
            if (++inPiece == 24) {
                p.drawPath(piece);
                piece = QPainterPath(QPointF(s.end.x, s.end.y));
                inPiece = 0;
            }
        }
        if (inPiece > 0) p.drawPath(piece);
        for (const EqMarker* marker : panel().markers) {
            if (marker->isHidden()) continue;
            p.save();
            p.translate(marker->x() * ratio, marker->y() * ratio);
            p.scale(ratio, ratio);
            EqMarker::PaintFace(p, marker->look());
            p.restore();
        }
        return before;
    }

    std::vector<SplinePoint> Through() {
        std::vector<SplinePoint> through;
        for (int j = 0; j < kCurveSplinePoints; ++j) {
            through.push_back({static_cast<double>(graph().curve()[j].x),
                               static_cast<double>(graph().curve()[j].y)});
        }
        return through;
    }

    bool UnderAMarker(int x, int y, double ratio) {
        for (const EqMarker* marker : panel().markers) {
            if (marker->isHidden()) continue;
            const QRectF face(marker->x() * ratio - 1, marker->y() * ratio - 1,
                              EqMarker::kSize * ratio + 2, EqMarker::kSize * ratio + 2);
            if (face.contains(x + 0.5, y + 0.5)) return true;
        }
        return false;
    }
};

TEST_F(CurvePicture, DiffersFromTheOldDrawingOnlyByAntiAliasingNoise) {
    // The page first: showing it refreshes its controls, the bands then change only the store.
    app().pageSwitcher().OnTabClicked(kTabMicA);
    SpreadTheMicrophoneBands();
    for (const QSize windowSize : {QSize(), QSize(1920, 1080)}) {
        if (windowSize.isValid()) ResizeWindow(windowSize);
        graph().DrawEqCurve(kAllItems, 2);
        graph().DrawEqCurve(9, 2);  // the label of the band at the top Q
        QApplication::processEvents();
        // ZT_SCREENSHOT_DIR=folder keeps the window as it looks, for a person to judge.
        const QString shots = qEnvironmentVariable("ZT_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            window().grab().save(QStringLiteral("%1/graph-%2x%3-ratio-%4.png")
                                     .arg(shots)
                                     .arg(window().width())
                                     .arg(window().height())
                                     .arg(bitmap().devicePixelRatio()));
        }
        const QImage& now = bitmap();
        const double ratio = now.devicePixelRatio();
        SCOPED_TRACE(testing::Message() << "picture " << now.width() << " x " << now.height()
                                        << " at pixel ratio " << ratio);
        const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
        if (!scale.isEmpty()) {
            EXPECT_DOUBLE_EQ(ratio, scale.toDouble());
        }

        const QImage before = PictureBefore(ratio);
        const double halfWidth = kCurvePenWidth * ratio / 2;
        const double edge = halfWidth + 1.5;
        const ExactStroke exact(FineSpline(Through()), now.size(), halfWidth, edge + 1);
        const QColor orange = graph().curveColour();
        const QImage& grid = graph().background();

        int worstEdge = 0, worstElsewhere = 0, worstExact = 0;
        long edgePixels = 0, edgeSum = 0;
        for (int y = 0; y < now.height(); ++y) {
            for (int x = 0; x < now.width(); ++x) {
                const int change = ChannelDifference(now.pixel(x, y), before.pixel(x, y));
                if (exact.distance[y * exact.width + x] > edge) {
                    worstElsewhere = std::max(worstElsewhere, change);
                    continue;
                }
                worstEdge = std::max(worstEdge, change);
                edgeSum += change;
                ++edgePixels;
                if (!UnderAMarker(x, y, ratio)) {
                    const QRgb truth =
                        Blend(grid.pixel(x, y), orange, exact.cover[y * exact.width + x]);
                    worstExact = std::max(worstExact, ChannelDifference(now.pixel(x, y), truth));
                }
            }
        }
        ASSERT_GT(edgePixels, now.width()) << "the curve crosses the whole picture";
        EXPECT_LE(worstElsewhere, 3);
        EXPECT_LE(worstExact, 40);
        EXPECT_LE(worstEdge, 72);
        EXPECT_LE(static_cast<double>(edgeSum) / edgePixels, 10.0);
    }
}

// A drag repaints only what changed; what it leaves is the picture a full redraw gives.
TEST_F(CurvePicture, DragStepsLeaveThePictureAFullRedrawGives) {
    // The page first: showing it refreshes its controls, the bands then change only the store.
    app().pageSwitcher().OnTabClicked(kTabMicA);
    SpreadTheMicrophoneBands();
    graph().DrawEqCurve(kAllItems, 2);
    PointEditing& editing = app().eqGraph().pointEditing();
    for (const int marker : {5, 9, 20}) {
        SCOPED_TRACE(marker);
        editing.OnMarkerPress(marker, {7, 7}, Qt::LeftButton);
        for (const QPoint to : {QPoint(20, 7), QPoint(30, -25), QPoint(-10, 40), QPoint(8, 8)}) {
            editing.OnMarkerMove(marker, to);
            QApplication::processEvents();
            // The dragged marker paints itself; the picture holds every other one.
            EXPECT_FALSE(panel().markers[marker]->inLayer());
            const QImage stepped = bitmap().copy();
            graph().RepaintCached();
            ASSERT_EQ(stepped, bitmap());
        }
        editing.OnMarkerRelease(marker, Qt::LeftButton);
        EXPECT_TRUE(panel().markers[marker]->inLayer()) << "placed again on release";
        const QImage released = bitmap().copy();
        graph().RepaintCached();
        ASSERT_EQ(released, bitmap());
    }
}

}  // namespace
}  // namespace zt::test
