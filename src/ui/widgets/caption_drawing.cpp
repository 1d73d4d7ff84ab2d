#include "ui/widgets/caption_drawing.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

namespace zt {
namespace {

bool Fits(const QFont& font, const QStringList& lines, const QSizeF& area) {
    const QFontMetricsF metrics(font);
    if (lines.size() * metrics.height() > area.height() + 0.5) return false;
    return std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
        return metrics.horizontalAdvance(line) <= area.width();
    });
}

}  // namespace

QFont FittedCaptionFont(const QFont& base, const QString& text, const QSizeF& area) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    QFont font = base;
    const int largest = std::max(base.pixelSize(), kMinimumCaptionPixels);
    for (int pixels = largest; pixels > kMinimumCaptionPixels; --pixels) {
        font.setPixelSize(pixels);
        if (Fits(font, lines, area)) return font;
    }
    font.setPixelSize(kMinimumCaptionPixels);
    return font;
}

}  // namespace zt
