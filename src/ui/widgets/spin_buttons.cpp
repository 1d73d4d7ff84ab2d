#include "ui/widgets/spin_buttons.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPainterPath>

#include "ui/widgets/look.h"

namespace zt {

namespace {

// One half of the spin buttons: a small face with an arrow pointing up or down.
class SpinHalf : public QAbstractButton {
public:
    SpinHalf(bool up, QWidget* parent) : QAbstractButton(parent), up_(up) {
        setAutoRepeat(true);
        setAutoRepeatDelay(400);
        setAutoRepeatInterval(80);
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const bool enabled = isEnabled();
        painter.setPen(QPen(QColor(enabled && underMouse() ? look::kAccent : look::kFrame), 1));
        painter.setBrush(isDown() ? QColor(look::kAccent) : QColor(look::kFaceShade));
        painter.drawRoundedRect(face, 1.5, 1.5);

        const qreal w = std::min(face.width() - 6, 7.0);
        const qreal h = std::min(face.height() - 3, w / 2 + 0.5);
        const QPointF c = face.center();
        QPainterPath arrow;
        if (up_) {
            arrow.moveTo(c.x() - w / 2, c.y() + h / 2);
            arrow.lineTo(c.x() + w / 2, c.y() + h / 2);
            arrow.lineTo(c.x(), c.y() - h / 2);
        } else {
            arrow.moveTo(c.x() - w / 2, c.y() - h / 2);
            arrow.lineTo(c.x() + w / 2, c.y() - h / 2);
            arrow.lineTo(c.x(), c.y() + h / 2);
        }
        arrow.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(isDown() ? QColor(Qt::white)
                                  : QColor(enabled ? look::kText : look::kDisabledText));
        painter.drawPath(arrow);
    }

private:
    bool up_;
};

}  // namespace

SpinButtons::SpinButtons(QWidget* parent)
    : QWidget(parent), up_(new SpinHalf(true, this)), down_(new SpinHalf(false, this)) {
    connect(up_, &QAbstractButton::clicked, this, &SpinButtons::upClicked);
    connect(down_, &QAbstractButton::clicked, this, &SpinButtons::downClicked);
}

void SpinButtons::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace zt
