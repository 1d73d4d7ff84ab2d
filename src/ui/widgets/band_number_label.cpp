#include "ui/widgets/band_number_label.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/look.h"

namespace zt {

BandNumberLabel::BandNumberLabel(int number, QWidget* parent)
    : QLabel(QString::number(number), parent) {
    setAlignment(Qt::AlignCenter);
    setFont(look::Font(look::kNormalText, true));
    setCursor(Qt::PointingHandCursor);
}

void BandNumberLabel::setOpaque(bool opaque) {
    opaque_ = opaque;
    update();
}

void BandNumberLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void BandNumberLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (opaque_) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(look::kAccent));
        painter.drawRoundedRect(face, 3, 3);
    }
    painter.setPen(QColor(opaque_ ? QColor(Qt::white) : QColor(look::kAccentDark)));
    painter.setFont(font());
    painter.drawText(face, Qt::AlignCenter, text());
}

}  // namespace zt
