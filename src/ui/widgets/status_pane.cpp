#include "ui/widgets/status_pane.h"

#include <QPainter>

#include "ui/widgets/look.h"

namespace zt {

StatusPane::StatusPane(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setFont(look::Font(look::kSmallText));
}

void StatusPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(QColor(look::kGroupFrame), 1));
    painter.setBrush(QColor(look::kPaneFace));
    painter.drawRoundedRect(face, 2, 2);
    painter.setPen(QColor(isEnabled() ? look::kText : look::kDisabledText));
    painter.setFont(font());
    painter.drawText(face.adjusted(2, 0, -2, 0), alignment(), text());
}

}  // namespace zt
