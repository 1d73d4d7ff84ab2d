#include "ui/eqgraph/graph_painting.h"

#include <QPainter>

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

}  // namespace zt
