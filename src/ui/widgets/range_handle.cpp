#include "ui/widgets/range_handle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/widgets/look.h"

namespace zt {

RangeHandle::RangeHandle(Mark mark, QWidget* parent) : QWidget(parent), mark_(mark) {
    setCursor(Qt::SizeHorCursor);
    resize(8, 8);
}

void RangeHandle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    if (mark_ == Mark::Start) {
        shape.moveTo(r.center().x(), r.top());
        shape.lineTo(r.right(), r.bottom());
        shape.lineTo(r.left(), r.bottom());
    } else {
        shape.moveTo(r.left(), r.top());
        shape.lineTo(r.right(), r.top());
        shape.lineTo(r.center().x(), r.bottom());
    }
    shape.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? QColor(mark_ == Mark::Start ? look::kAccent : look::kAccentDark)
                                 : QColor(look::kDisabledText));
    painter.drawPath(shape);
}

void RangeHandle::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint(), event->button());
}

void RangeHandle::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->position().toPoint());
}

void RangeHandle::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->position().toPoint(), event->button());
}

}  // namespace zt
