#include "ui/widgets/type_label.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/look.h"

namespace zt {

TypeLabel::TypeLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
    setFont(look::Font(look::kSmallText, true));
    setCursor(Qt::PointingHandCursor);
}

void TypeLabel::setChosenLook(bool chosen) {
    chosen_ = chosen;
    update();
}

QColor TypeLabel::faceColour() const {
    return QColor(chosen_ ? look::kTypeChosenFace : look::kTypeOtherFace);
}

QColor TypeLabel::textColour() const {
    return QColor(chosen_ ? look::kTypeChosenText : look::kTypeOtherText);
}

void TypeLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void TypeLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill = faceColour();
    QColor ink = textColour();
    if (!isEnabled()) {
        fill = QColor(look::kDisabledFace);
        ink = QColor(look::kDisabledText);
    }
    painter.setPen(QPen(chosen_ ? QColor(look::kTypeOtherFace) : fill, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(face, 2, 2);
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(face, Qt::AlignCenter, text());
}

}  // namespace zt
