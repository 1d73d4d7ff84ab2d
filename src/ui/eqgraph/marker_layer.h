#pragma once
// The markers' faces in the graph's bitmap. Each face is drawn once per look into a small
// picture at the screen's pixel ratio and copied wherever a marker stands, so a redraw that
// passes over the markers costs a few copies, not anti-aliased circles. The layer holds every
// shown marker that stands where the graph placed it; a dragged marker paints itself.

#include <QImage>
#include <QRegion>
#include <array>

#include "ui/window/graph_panel.h"

class QPainter;

namespace zt {

class MarkerLayer {
public:
    // A fresh bitmap at `pixelRatio`: faces drawn anew, nothing held.
    void Reset(double pixelRatio);

    // Brings the layer in line with the markers: a marker belongs in it while it is shown and
    // stands where the graph placed it. Gives the region (device pixels) where a face appears,
    // goes, moves or changes its look.
    QRegion Sync(const std::array<EqMarker*, kEqMarkerCount>& markers);

    // Draws the faces the layer holds within `deviceRegion`, in marker order (a later marker
    // lies on an earlier one). `painter` draws in device pixels.
    void Paint(QPainter& painter, const QRegion& deviceRegion) const;

private:
    struct Held {
        QRect rect;  // device pixels; empty while the marker is not in the layer
        EqMarker::Look look = EqMarker::Look::Band;
    };
    const QImage& Face(EqMarker::Look look) const;

    double ratio_ = 1.0;
    QImage bandFace_;
    QImage bypassedFace_;
    std::array<Held, kEqMarkerCount> held_{};
};

}  // namespace zt
