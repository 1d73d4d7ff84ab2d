#include "ui/window/window_chrome.h"

#include <QLinearGradient>
#include <QPainter>
#include "ui/widgets/look.h"

namespace zt {
TitleStripImage::TitleStripImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);  // dragging it moves the window
}

void TitleStripImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient face(0, 0, 0, height());
    face.setColorAt(0.0, QColor(64, 66, 72));
    face.setColorAt(1.0, QColor(38, 40, 44));
    p.fillRect(rect(), face);
    // A thin accent line under the strip ties it to the orange of the tabs.
    p.fillRect(QRect(0, height() - 2, width(), 2), QColor(look::kAccent));
}

WindowButton::WindowButton(Glyph glyph, QWidget* parent) : QAbstractButton(parent), glyph_(glyph) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    resize(sizeHint());
}

void WindowButton::setGlyph(Glyph glyph) {
    glyph_ = glyph;
    update();
}

void WindowButton::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void WindowButton::leaveEvent(QEvent*) {
    hovered_ = false;
    update();
}

void WindowButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (isDown() || hovered_) {
        const QColor face = glyph_ == Glyph::Close ? QColor(212, 48, 40) : QColor(look::kAccent);
        p.fillRect(rect().adjusted(0, 0, 0, -2), isDown() ? face.darker(120) : face);
    }
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::SquareCap));
    p.setBrush(Qt::NoBrush);
    const QPointF c(width() / 2.0, (height() - 2) / 2.0);
    const double r = 4.5;
    switch (glyph_) {
        case Glyph::Minimise:
            p.drawLine(QPointF(c.x() - r, c.y() + r - 1), QPointF(c.x() + r, c.y() + r - 1));
            break;
        case Glyph::Maximise:
            p.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
            break;
        case Glyph::Restore:
            p.drawRect(QRectF(c.x() - r, c.y() - r + 2.5, 2 * r - 2.5, 2 * r - 2.5));
            p.drawPolyline(QPolygonF(
                {QPointF(c.x() - r + 2.5, c.y() - r + 2.5), QPointF(c.x() - r + 2.5, c.y() - r),
                 QPointF(c.x() + r, c.y() - r), QPointF(c.x() + r, c.y() + r - 2.5),
                 QPointF(c.x() + r - 2.5, c.y() + r - 2.5)}));
            break;
        case Glyph::Close:
            p.drawLine(QPointF(c.x() - r, c.y() - r), QPointF(c.x() + r, c.y() + r));
            p.drawLine(QPointF(c.x() - r, c.y() + r), QPointF(c.x() + r, c.y() - r));
            break;
    }
}

}  // namespace zt

namespace zt {

LinkLookButton::LinkLookButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    QFont f = font();
    f.setPixelSize(13);
    f.setBold(true);
    setFont(f);
}

void LinkLookButton::setLinkedLook(bool linked) {
    linked_ = linked;
    update();
}

QColor LinkLookButton::captionColour() const {
    return linked_ ? QColor(look::kAccent) : QColor(Qt::black);
}

void LinkLookButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool down = isDown();
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, down ? QColor(236, 236, 236) : QColor(255, 255, 255));
    fill.setColorAt(1, down ? QColor(224, 224, 224) : QColor(238, 238, 238));
    const QColor frame = linked_ ? QColor(look::kAccent)
                                 : (underMouse() ? QColor(look::kAccent) : QColor(170, 170, 170));
    p.setPen(QPen(frame, linked_ ? 1.5 : 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(face, 4, 4);

    // The link picture: two rings, joined while linked and apart while not.
    const QColor ink = captionColour();
    const double cy = face.center().y();
    const double x0 = face.left() + 9;
    p.setPen(QPen(ink, 1.6));
    p.setBrush(Qt::NoBrush);
    const double gap = linked_ ? 0.0 : 3.0;
    p.drawRoundedRect(QRectF(x0 - 4, cy - 3, 8, 6), 3, 3);
    p.drawRoundedRect(QRectF(x0 + 2 + gap, cy - 3, 8, 6), 3, 3);

    p.setPen(ink);
    p.setFont(CaptionFont());
    p.drawText(CaptionArea(), Qt::AlignCenter, text());
}

QRectF LinkLookButton::CaptionArea() const {
    return QRectF(rect()).adjusted(20.5, 0.5, -4.5, -0.5);
}

QFont LinkLookButton::CaptionFont() const {
    return FittedCaptionFont(font(), text(), CaptionArea().size());
}

}  // namespace zt
