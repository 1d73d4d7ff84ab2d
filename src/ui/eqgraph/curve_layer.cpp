#include "ui/eqgraph/curve_layer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "eqgraph/curve_polyline.h"

namespace zt {
namespace {

// Changed segments are gathered into bands of about this many device columns: narrow enough
// that a band's height follows the curve, wide enough that there are few of them.
constexpr int kBandColumns = 64;
// The curve is filled in pieces of at most this many device columns. The rasterizer's cell pool
// is small; one long outline overflows it and makes it start again with a bigger one, while
// pieces this size fit.
constexpr int kPieceColumns = 128;

}  // namespace

void CurveLayer::Reset(QSize deviceSize, double pixelRatio) {
    size_ = deviceSize;
    ratio_ = pixelRatio;
    halfWidth_ = kCurvePenWidth * pixelRatio / 2;
    through_.clear();
    segments_.clear();
    polyline_.clear();
    miters_.clear();
}

QRect CurveLayer::SegmentBounds(const SplinePoint& start, const BezierSegment& s) const {
    // The pen reaches its half width from the polyline, a little more where two chords meet at
    // a miter, and anti-aliasing one pixel further.
    const double reach = 2 * halfWidth_ + 2;
    const double left = std::min({start.x, s.control1.x, s.control2.x, s.end.x}) - reach;
    const double right = std::max({start.x, s.control1.x, s.control2.x, s.end.x}) + reach;
    const double top = std::min({start.y, s.control1.y, s.control2.y, s.end.y}) - reach;
    const double bottom = std::max({start.y, s.control1.y, s.control2.y, s.end.y}) + reach;
    const QRect picture(QPoint(0, 0), size_);
    // Far beyond the picture the numbers need not fit an int.
    const auto clampX = [&](double v) { return std::clamp(v, -1.0, size_.width() + 1.0); };
    const auto clampY = [&](double v) { return std::clamp(v, -1.0, size_.height() + 1.0); };
    const QRect bounds(QPoint(static_cast<int>(std::floor(clampX(left))),
                              static_cast<int>(std::floor(clampY(top)))),
                       QPoint(static_cast<int>(std::ceil(clampX(right))),
                              static_cast<int>(std::ceil(clampY(bottom)))));
    return bounds & picture;
}

QRegion CurveLayer::SetCurve(const CurvePoints& points) {
    std::vector<SplinePoint> through(kCurveSplinePoints);
    for (int j = 0; j < kCurveSplinePoints; ++j) {
        through[j] = {static_cast<double>(points[j].x), static_cast<double>(points[j].y)};
    }
    CardinalSpline(through, kCurveTension, newSegments_);

    QRegion changed;
    if (segments_.size() != newSegments_.size() || through_.empty()) {
        changed = QRect(QPoint(0, 0), size_);
    } else {
        QRect band;
        SplinePoint oldStart = through_[0];
        SplinePoint newStart = through[0];
        for (std::size_t s = 0; s < newSegments_.size(); ++s) {
            const BezierSegment& before = segments_[s];
            const BezierSegment& after = newSegments_[s];
            const bool same = oldStart == newStart && before.control1 == after.control1 &&
                              before.control2 == after.control2 && before.end == after.end;
            if (!same) {
                const QRect box = SegmentBounds(oldStart, before) | SegmentBounds(newStart, after);
                if (!band.isNull() && box.right() - band.left() >= kBandColumns) {
                    changed += band;
                    band = QRect();
                }
                band |= box;
            }
            oldStart = before.end;
            newStart = after.end;
        }
        if (!band.isNull()) changed += band;
    }

    through_ = std::move(through);
    std::swap(segments_, newSegments_);
    // Segments wholly above or below the picture, beyond the reach of any join's miter, are
    // drawn as one chord each.
    const double hidden = 4 * halfWidth_ + 4;
    FlattenSpline(through_[0], segments_, -hidden, size_.height() + hidden, polyline_);
    StrokeMiters(polyline_, miters_);
    return changed;
}

void CurveLayer::Paint(QPainter& painter, const QRegion& deviceRegion, const QColor& colour) {
    if (polyline_.size() < 2) return;
    const QRegion area = deviceRegion & QRect(QPoint(0, 0), size_);
    if (area.isEmpty()) return;
    // The columns the region touches, each filled once however many of its rectangles share
    // them.
    std::vector<std::pair<int, int>> columns;
    for (const QRect& r : area) columns.emplace_back(r.left(), r.right());
    std::sort(columns.begin(), columns.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& c : columns) {
        if (!merged.empty() && c.first <= merged.back().second + 1) {
            merged.back().second = std::max(merged.back().second, c.second);
        } else {
            merged.push_back(c);
        }
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const auto& [left, right] : merged) {
        for (int x = left; x <= right; x += kPieceColumns) {
            const QRect strip(x, 0, std::min(kPieceColumns, right + 1 - x), size_.height());
            const QRegion part = area & strip;
            if (!part.isEmpty()) FillPiece(painter, part, strip);
        }
    }
    painter.restore();
}

void CurveLayer::FillPiece(QPainter& painter, const QRegion& clip, const QRect& strip) {
    // The piece's polygon reaches beyond its columns on both sides far enough that its
    // straight cuts cannot show.
    const double margin = 2 * halfWidth_ + 2;
    const std::size_t first = LastVertexBefore(polyline_, strip.left() - margin);
    const std::size_t last = FirstVertexAfter(polyline_, strip.right() + 1 + margin);
    if (last <= first) return;
    StrokeOutline(std::span<const SplinePoint>(polyline_), miters_, first, last, halfWidth_,
                  outline_);
    if (clip.rectCount() == 1) {
        painter.setClipRect(clip.boundingRect());
    } else {
        painter.setClipRegion(clip);
    }
    painter.drawPolygon(outline_.data(), static_cast<int>(outline_.size()), Qt::WindingFill);
}

double CurveLayer::YAt(double x) const {
    return polyline_.empty() ? 0.0 : PolylineYAt(polyline_, x);
}

}  // namespace zt
