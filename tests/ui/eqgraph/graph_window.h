#pragma once
// The whole editor window, offscreen, with the EQ graph at hand: its bitmap, its markers and
// the ParamStore it draws from.

#include <QApplication>
#include <QColor>

#include "eqgraph/band_response.h"
#include "eqgraph/nearest.h"
#include "params/value_tables.h"
#include "tests/ui/window/window_fixture.h"
#include "ui/app/eq_graph_side.h"

namespace zt::test {

class GraphWindow : public WindowFixture {
protected:
    EqGraph& graph() { return app().eqGraph().graph(); }
    const GraphPanel& panel() { return window().graph(); }
    ParamStore& store() { return app().model().store(); }
    QImage& bitmap() { return panel().image1->bitmap(); }
    // A pixel of the picture shown, or of the cached grid background behind it.
    QRgb PixelAt(int x, int y) { return PixelOf(bitmap(), x, y); }
    QRgb GridPixelAt(int x, int y) { return PixelOf(graph().background(), x, y); }
    static QRgb PixelOf(const QImage& image, int x, int y) {
        const double ratio = image.devicePixelRatio();
        return image.pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio)) | 0xFF000000;
    }
    // Gives the window a new size and lets the graph follow.
    void ResizeWindow(QSize size) {
        window().resize(size);
        QApplication::processEvents();
    }
    // The centre of a marker in plot pixels.
    QPoint MarkerCentre(int marker) {
        const EqMarker* m = panel().markers[marker];
        return m->pos() + QPoint(m->width() / 2, m->height() / 2);
    }
    static int Round(double v) { return static_cast<int>(Nearest(v)); }
};

}  // namespace zt::test
