#include "ui/widgets/track_bar.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <algorithm>

#include "ui/widgets/look.h"

namespace zt {

TrackBar::TrackBar(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {
    setFocusPolicy(Qt::ClickFocus);
    setPageStep(1);
}

void TrackBar::setLook(Look look) {
    look_ = look;
    update();
}

void TrackBar::setFillOrigin(int value) {
    fillOrigin_ = value;
    update();
}

void TrackBar::TakePicturesOf(const TrackBar& model) {
    look_ = model.look_;
    fillOrigin_ = model.fillOrigin_;
    update();
}

int TrackBar::ThumbLength() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    return orientation() == Qt::Horizontal ? handle.width() : handle.height();
}

namespace {

// Centre of the thumb along the bar, in widget coordinates.
QPointF HandleCentre(const QRect& handle) {
    return QRectF(handle).center();
}

QRectF GrooveRect(const QRect& widget, bool horizontal, int margin, qreal thickness) {
    if (horizontal) {
        return QRectF(margin, widget.height() / 2.0 - thickness / 2, widget.width() - 2 * margin,
                      thickness);
    }
    return QRectF(widget.width() / 2.0 - thickness / 2, margin, thickness,
                  widget.height() - 2 * margin);
}

}  // namespace

void TrackBar::paintEvent(QPaintEvent*) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    const int handleLength = horizontal ? handle.width() : handle.height();
    const bool enabled = isEnabled();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal thickness = look_ == Look::Volume ? 6 : 4;
    const QRectF groove = GrooveRect(rect(), horizontal, handleLength / 2, thickness);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(look::kGroove));
    painter.drawRoundedRect(groove, thickness / 2, thickness / 2);

    // The filled part runs from the origin value to the thumb.
    QStyleOptionSlider originOption = option;
    originOption.sliderPosition = std::clamp(fillOrigin_, minimum(), maximum());
    const QRect originHandle =
        style()->subControlRect(QStyle::CC_Slider, &originOption, QStyle::SC_SliderHandle, this);
    const QPointF from = HandleCentre(originHandle);
    const QPointF to = HandleCentre(handle);
    QRectF fill = horizontal ? QRectF(QPointF(std::min(from.x(), to.x()), groove.top()),
                                      QPointF(std::max(from.x(), to.x()), groove.bottom()))
                             : QRectF(QPointF(groove.left(), std::min(from.y(), to.y())),
                                      QPointF(groove.right(), std::max(from.y(), to.y())));
    painter.setBrush(QColor(enabled ? look::kAccent : look::kDisabledText));
    painter.drawRoundedRect(fill, thickness / 2, thickness / 2);

    // Thumb: a small raised block with a grip line across it.
    QRectF thumb = QRectF(handle).adjusted(0.5, 0.5, -0.5, -0.5);
    if (horizontal) {
        const qreal w = std::min<qreal>(thumb.width(), 11);
        const qreal h = std::min<qreal>(thumb.height(), look_ == Look::Volume ? 18 : 16);
        thumb = QRectF(thumb.center().x() - w / 2, thumb.center().y() - h / 2, w, h);
    } else {
        const qreal h = std::min<qreal>(thumb.height(), 11);
        const qreal w = std::min<qreal>(thumb.width(), 22);
        thumb = QRectF(thumb.center().x() - w / 2, thumb.center().y() - h / 2, w, h);
    }
    QLinearGradient face(thumb.topLeft(), thumb.bottomLeft());
    face.setColorAt(0, QColor(look::kFace));
    face.setColorAt(1, QColor(look::kFaceShade));
    const bool down = isSliderDown() || hasFocus();
    painter.setPen(
        QPen(QColor(enabled ? (down ? look::kAccentDark : look::kFrame) : look::kGroupFrame), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(thumb, 2, 2);
    painter.setPen(QPen(QColor(enabled ? look::kAccent : look::kDisabledText), 1.5));
    if (horizontal) {
        painter.drawLine(QPointF(thumb.center().x(), thumb.top() + 3),
                         QPointF(thumb.center().x(), thumb.bottom() - 3));
    } else {
        painter.drawLine(QPointF(thumb.left() + 3, thumb.center().y()),
                         QPointF(thumb.right() - 3, thumb.center().y()));
    }
}

}  // namespace zt
