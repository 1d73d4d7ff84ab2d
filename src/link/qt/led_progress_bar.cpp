#include "link/qt/led_progress_bar.h"

#include <QPainter>
#include <algorithm>

namespace zt {

LedProgressBar::LedProgressBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("RzProgressStatus1"));
    setAutoFillBackground(false);
}

void LedProgressBar::SetPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == percent_) return;
    percent_ = percent;
    update();
}

int LedProgressBar::litSegments() const {
    return (percent_ * kSegments + 50) / 100;
}

void LedProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, Qt::white);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(face.adjusted(0, 0, -1, -1));

    // Segments with a one-pixel gap, spread over the inner width.
    const QRect inner = face.adjusted(2, 2, -2, -2);
    const int lit = litSegments();
    const QColor dim = QColor(243, 152, 0, 38);
    for (int i = 0; i < kSegments; ++i) {
        const int left = inner.left() + inner.width() * i / kSegments;
        const int right = inner.left() + inner.width() * (i + 1) / kSegments - 1;
        const QRect segment(QPoint(left, inner.top()),
                            QPoint(std::max(left, right - 1), inner.bottom()));
        painter.fillRect(segment, i < lit ? LitColor() : dim);
    }
}

}  // namespace zt
