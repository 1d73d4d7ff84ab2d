#include "ui/spectrum/howl_marker.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace zt {
namespace {

constexpr int kPadding = 4;
constexpr int kBoxHeight = 16;
constexpr int kPointHeight = 6;
constexpr int kRowHeight = kBoxHeight + kPointHeight + 2;
constexpr int kTop = 4;
const QColor kHowlRed(210, 30, 30);
const QColor kFadedRed(210, 120, 120);

}  // namespace

HowlMarker::HowlMarker(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
}

void HowlMarker::Show(const QString& text, int pointX, int row, bool current) {
    const bool changed = text != text_ || current != current_;
    text_ = text;
    current_ = current;
    const int width = QFontMetrics(font()).horizontalAdvance(text) + 2 * kPadding;
    // The flag stays inside the plot; its point follows the frequency.
    const int parentWidth = parentWidget() ? parentWidget()->width() : width;
    const int left = std::clamp(pointX - width / 2, 0, std::max(0, parentWidth - width));
    pointOffset_ = pointX - left;
    setGeometry(left, kTop + row * kRowHeight, width, kBoxHeight + kPointHeight);
    setToolTip(text);
    if (isHidden()) show();
    if (changed) update();
}

void HowlMarker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = current_ ? kHowlRed : kFadedRed;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(0, 0, width(), kBoxHeight), 3, 3);
    const int x = std::clamp(pointOffset_, 0, width());
    painter.drawPolygon(
        QPolygon({QPoint(x - kPointHeight, kBoxHeight - 1),
                  QPoint(x + kPointHeight, kBoxHeight - 1), QPoint(x, kBoxHeight + kPointHeight)}));
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, width(), kBoxHeight), Qt::AlignCenter, text_);
}

void HowlMarker::contextMenuEvent(QContextMenuEvent* event) {
    if (menu_) menu_(event->globalPos());
    event->accept();
}

}  // namespace zt
