#include "ui/widgets/swapping.h"

#include <QPainter>
#include <QTabWidget>

#include "ui/widgets/look.h"

namespace zt {

bool SwapCaptionAndHint(QWidget* widget) {
    SwappingControl* swapping = SwappingOf(widget);
    ControlProps* props = PropsOf(widget);
    if (!swapping || !props) return false;
    const QString shown = swapping->caption();
    swapping->setCaption(props->hint());
    props->setHint(shown);
    return true;
}

SwappingLabel::SwappingLabel(const QString& caption, const QString& otherLanguage, QWidget* parent)
    : QLabel(caption, parent) {
    setHint(otherLanguage);
    setFont(look::Font(look::kSmallText));
}

SwappingGroupBox::SwappingGroupBox(const QString& caption, const QString& otherLanguage,
                                   QWidget* parent)
    : QGroupBox(caption, parent) {
    setHint(otherLanguage);
    setFont(look::Font(look::kNormalText, true));
}

void SwappingGroupBox::setCaption(const QString& caption) {
    setTitle(caption);
    update();
}

void SwappingGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const int titleHeight = metrics.height();
    const QRectF frame = QRectF(rect()).adjusted(0.5, titleHeight / 2.0, -0.5, -0.5);
    painter.setPen(QPen(QColor(look::kGroupFrame), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, 4, 4);
    if (title().isEmpty()) return;
    const int titleWidth = metrics.horizontalAdvance(title()) + 8;
    const QRect titleRect(8, 0, titleWidth, titleHeight);
    painter.fillRect(titleRect, palette().color(QPalette::Window));
    painter.setPen(QColor(isEnabled() ? look::kAccentDark : look::kDisabledText));
    painter.setFont(font());
    painter.drawText(titleRect, Qt::AlignCenter, title());
}

SwappingPushButton::SwappingPushButton(const QString& caption, const QString& otherLanguage,
                                       QWidget* parent)
    : QPushButton(caption, parent) {
    setHint(otherLanguage);
    setFont(look::Font(look::kNormalText));
}

SwappingToolButton::SwappingToolButton(const QString& caption, const QString& otherLanguage,
                                       QWidget* parent)
    : QToolButton(parent) {
    setText(caption);
    setHint(otherLanguage);
    setFont(look::Font(look::kLargeText, true));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void SwappingToolButton::setSelectedLook(bool selected) {
    selected_ = selected;
    update();
}

void SwappingToolButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor accent(look::kAccent);
    if (selected_) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(isEnabled() ? accent : QColor(look::kAccentLight));
        painter.drawRoundedRect(face, 3, 3);
        painter.setPen(Qt::white);
    } else {
        if (underMouse() && isEnabled()) {
            painter.setPen(QPen(accent, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(face, 3, 3);
        }
        painter.setPen(isEnabled() ? accent : QColor(look::kDisabledText));
    }
    painter.setFont(CaptionFont());
    painter.drawText(CaptionArea(), Qt::AlignCenter, text());
}

QRectF SwappingToolButton::CaptionArea() const {
    return QRectF(rect()).adjusted(3, 0.5, -3, -0.5);
}

QFont SwappingToolButton::CaptionFont() const {
    return FittedCaptionFont(font(), text(), CaptionArea().size());
}

SwappingSheet::SwappingSheet(const QString& caption, const QString& otherLanguage, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setHint(otherLanguage);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void SwappingSheet::setCaption(const QString& caption) {
    caption_ = caption;
    // A sheet of a tab widget sits in the widget's stack; its tab shows the caption.
    for (QWidget* up = parentWidget(); up; up = up->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
            const int index = tabs->indexOf(this);
            if (index >= 0) tabs->setTabText(index, caption);
            break;
        }
    }
}

}  // namespace zt
