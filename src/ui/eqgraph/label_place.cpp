#include "ui/eqgraph/label_place.h"

#include <array>
#include <limits>

namespace zt {
namespace {

// Pixels between the label and its marker when it stands beside it.
constexpr int kSideGap = 3;

long long CoveredArea(const QRect& r) {
    return r.isEmpty() ? 0 : static_cast<long long>(r.width()) * r.height();
}

// What a place spoils: the area of other markers it covers and its own area outside the plot.
long long Cost(const QRect& place, const QRect& plot, std::span<const QRect> others) {
    long long cost = CoveredArea(place) - CoveredArea(place & plot);
    for (const QRect& other : others) cost += CoveredArea(place & other);
    return cost;
}

}  // namespace

QPoint PlaceBesideMarker(QRect marker, QSize label, bool aboveFirst, QRect plot,
                         std::span<const QRect> others) {
    const int centred = marker.x() - label.width() / 2 + marker.width() / 2;
    const int middle = marker.y() + marker.height() / 2 - label.height() / 2;
    const QPoint below(centred, marker.y() + marker.height());
    const QPoint above(centred, marker.y() - label.height() - 1);
    const QPoint right(marker.x() + marker.width() + kSideGap, middle);
    const QPoint left(marker.x() - label.width() - kSideGap, middle);
    const QPoint belowRight(marker.x() + marker.width(), below.y());
    const QPoint belowLeft(marker.x() - label.width(), below.y());
    const QPoint aboveRight(marker.x() + marker.width(), above.y());
    const QPoint aboveLeft(marker.x() - label.width(), above.y());
    const std::array<QPoint, 8> places =
        aboveFirst
            ? std::array{above, below, right, left, aboveRight, aboveLeft, belowRight, belowLeft}
            : std::array{below, above, right, left, belowRight, belowLeft, aboveRight, aboveLeft};
    QPoint best = places[0];
    long long least = std::numeric_limits<long long>::max();
    for (const QPoint& place : places) {
        const long long cost = Cost(QRect(place, label), plot, others);
        if (cost == 0) return place;
        if (cost < least) {
            least = cost;
            best = place;
        }
    }
    return best;
}

}  // namespace zt
