#include "ui/widgets/bitmap_button.h"

#include <QPainter>
#include <algorithm>

#include "ui/widgets/look.h"

namespace zt {

BitmapButton::BitmapButton(QWidget* parent) : QAbstractButton(parent) {
    setFont(look::Font(look::kNormalText));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

BitmapButton::BitmapButton(const QString& caption, QWidget* parent) : BitmapButton(parent) {
    setText(caption);
}

void BitmapButton::setShowsPressed(bool pressed) {
    showsPressed_ = pressed;
    update();
}

void BitmapButton::setDisabledShowsPressed(bool pressed) {
    disabledShowsPressed_ = pressed;
    update();
}

void BitmapButton::setPicture(Picture picture) {
    picture_ = picture;
    update();
}

void BitmapButton::TakePicturesOf(const BitmapButton& model) {
    setPicture(model.picture_);
}

QSize BitmapButton::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()) + 16, 22);
}

QString BitmapButton::CaptionText() const {
    return picture_ == Picture::Phase ? QString() : text();
}

QRectF BitmapButton::CaptionArea() const {
    // Inside the frame, with a pixel and a half of air on either side.
    return QRectF(rect()).adjusted(3, 1.5, -3, -1.5);
}

QFont BitmapButton::CaptionFont() const {
    return FittedCaptionFont(font(), CaptionText(), CaptionArea().size());
}

bool BitmapButton::PressedNow() const {
    if (!isEnabled()) return disabledShowsPressed_;
    return showsPressed_ || isDown();
}

namespace {

struct Colours {
    QColor faceTop, faceBottom, frame, ink;
};

Colours ColoursFor(bool pressed, bool enabled, bool hovered) {
    if (!enabled) {
        return pressed ? Colours{QColor(look::kAccentLight), QColor(look::kAccentLight),
                                 QColor(look::kAccentLight).darker(115), QColor(Qt::white)}
                       : Colours{QColor(look::kDisabledFace), QColor(look::kDisabledFace),
                                 QColor(look::kGroupFrame), QColor(look::kDisabledText)};
    }
    if (pressed) {
        return Colours{QColor(look::kAccent).lighter(110), QColor(look::kAccent),
                       QColor(look::kAccentDark), QColor(Qt::white)};
    }
    return Colours{QColor(look::kFace), QColor(look::kFaceShade),
                   QColor(hovered ? look::kAccent : look::kFrame), QColor(look::kText)};
}

// The phase symbol: a circle crossed by a slanted stroke, drawn to fit narrow buttons.
void DrawPhaseSymbol(QPainter& painter, const QRectF& area, const QColor& ink) {
    const qreal size = std::min(area.width(), area.height()) - 5;
    const QRectF circle(area.center().x() - size / 2, area.center().y() - size / 2, size, size);
    painter.setPen(QPen(ink, 1.3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle);
    painter.drawLine(QPointF(circle.left() - 0.5, circle.bottom() + 1.5),
                     QPointF(circle.right() + 0.5, circle.top() - 1.5));
}

// The switch lamp: a round light, lit when pressed.
void DrawLamp(QPainter& painter, const QRectF& area, bool lit, bool enabled) {
    const qreal size = std::min(area.width(), area.height()) - 6;
    const QRectF lamp(area.center().x() - size / 2, area.center().y() - size / 2, size, size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit ? QColor(Qt::white) : QColor(enabled ? look::kFrame : look::kGroupFrame));
    painter.drawEllipse(lamp);
}

}  // namespace

void BitmapButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool pressed = PressedNow();
    const Colours colours = ColoursFor(pressed, isEnabled(), underMouse());

    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, colours.faceTop);
    gradient.setColorAt(1, colours.faceBottom);
    painter.setPen(QPen(colours.frame, 1));
    painter.setBrush(gradient);
    const qreal radius = picture_ == Picture::Phase ? 2 : 3;
    painter.drawRoundedRect(face, radius, radius);

    const QRectF inner =
        face.adjusted(1, 1, -1, -1).translated(pressed ? 0.5 : 0, pressed ? 0.5 : 0);
    switch (picture_) {
        case Picture::Phase:
            DrawPhaseSymbol(painter, inner, colours.ink);
            break;
        case Picture::Lamp:
            DrawLamp(painter, inner, pressed, isEnabled());
            break;
        case Picture::Key:
            break;
    }
    if (const QString caption = CaptionText(); !caption.isEmpty()) {
        painter.setPen(colours.ink);
        painter.setFont(CaptionFont());
        painter.drawText(CaptionArea().translated(pressed ? 0.5 : 0, pressed ? 0.5 : 0),
                         Qt::AlignCenter, caption);
    }
}

}  // namespace zt
