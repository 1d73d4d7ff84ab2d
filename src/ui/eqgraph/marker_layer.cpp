#include "ui/eqgraph/marker_layer.h"

#include <QPainter>
#include <cmath>

namespace zt {
namespace {

QImage DrawFace(EqMarker::Look look, double ratio) {
    const int side = static_cast<int>(std::ceil(EqMarker::kSize * ratio));
    QImage face(side, side, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    face.setDevicePixelRatio(ratio);
    {
        QPainter p(&face);
        EqMarker::PaintFace(p, look);
    }
    // Copied pixel for pixel onto the device-pixel bitmap.
    face.setDevicePixelRatio(1.0);
    return face;
}

}  // namespace

void MarkerLayer::Reset(double pixelRatio) {
    ratio_ = pixelRatio;
    bandFace_ = DrawFace(EqMarker::Look::Band, pixelRatio);
    bypassedFace_ = DrawFace(EqMarker::Look::Bypassed, pixelRatio);
    held_.fill(Held{});
}

const QImage& MarkerLayer::Face(EqMarker::Look look) const {
    return look == EqMarker::Look::Bypassed ? bypassedFace_ : bandFace_;
}

QRegion MarkerLayer::Sync(const std::array<EqMarker*, kEqMarkerCount>& markers) {
    QRegion changed;
    for (int i = 0; i < kEqMarkerCount; ++i) {
        const EqMarker* marker = markers[i];
        Held wanted;
        if (marker && !marker->isHidden() && marker->inLayer()) {
            const QPoint at(static_cast<int>(std::lround(marker->x() * ratio_)),
                            static_cast<int>(std::lround(marker->y() * ratio_)));
            wanted = {QRect(at, Face(marker->look()).size()), marker->look()};
        }
        Held& held = held_[i];
        if (held.rect == wanted.rect && (held.rect.isEmpty() || held.look == wanted.look)) {
            continue;
        }
        changed += held.rect;
        changed += wanted.rect;
        held = wanted;
    }
    return changed;
}

void MarkerLayer::Paint(QPainter& painter, const QRegion& deviceRegion) const {
    for (const Held& held : held_) {
        if (held.rect.isEmpty() || !deviceRegion.intersects(held.rect)) continue;
        // Only inside the region: outside it the bitmap already shows this face, and a second
        // copy would darken its anti-aliased edge.
        for (const QRect& part : deviceRegion) {
            const QRect clip = part & held.rect;
            if (clip.isEmpty()) continue;
            painter.setClipRect(clip);
            painter.drawImage(held.rect.topLeft(), Face(held.look));
        }
    }
    painter.setClipping(false);
}

}  // namespace zt
