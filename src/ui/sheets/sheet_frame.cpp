#include "ui/sheets/sheet_frame.h"

#include <QPainter>

#include "ui/widgets/look.h"

namespace zt {

void SheetFrame::setFramed(bool framed) {
    framed_ = framed;
    update();
}

void SheetFrame::paintEvent(QPaintEvent*) {
    if (!framed_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(look::kGroupFrame), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

void BandColumn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(QColor(look::kGroupFrame), 1));
    painter.drawLine(width() - 1, 4, width() - 1, height() - 4);
}

}  // namespace zt
