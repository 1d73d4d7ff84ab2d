#include "ui/spectrum/spectrum_scale.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "eqgraph/graph_mapping.h"
#include "spectrum/level_bars.h"

namespace zt {
namespace {

constexpr int kTickLength = 5;
constexpr int kTextGap = 2;
// The grid's grey, a little transparent: a label stays legible over a bar behind it.
constexpr QRgb kLabelBackground = 0xD0EEEEEE;

}  // namespace

std::vector<int> SpectrumScaleLevels(double floorDb) {
    std::vector<int> levels;
    for (int level = 0; level >= floorDb; level -= kSpectrumScaleStepDb) levels.push_back(level);
    return levels;
}

int SpectrumScaleRow(int levelDb, int height, double floorDb) {
    // 0 dB lies just above the plot (the ceiling stops below it): its tick takes the top row.
    return std::clamp(static_cast<int>(std::lround(SpectrumDbToY(levelDb, height, floorDb))), 0,
                      height - 1);
}

void PaintSpectrumScale(QPainter& painter, const GraphMapping& mapping, double floorDb) {
    const int width = static_cast<int>(std::lround(mapping.width));
    const int height = static_cast<int>(std::lround(mapping.height));
    if (width < 4 * kTickLength || height < 3) return;
    QFont font(QStringLiteral("Arial Narrow"));
    font.setPixelSize(11);
    painter.save();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const int level : SpectrumScaleLevels(floorDb)) {
        const int row = SpectrumScaleRow(level, height, floorDb);
        const QString text = QStringLiteral("%1dB").arg(level);
        QRect box = metrics.boundingRect(text);
        // The label sits left of its tick, centred on the tick's row but kept inside the plot.
        const int top = std::clamp(row - box.height() / 2, 0, height - box.height());
        box.moveTo(width - kTickLength - kTextGap - box.width() - 1, top);
        painter.fillRect(box, QColor::fromRgba(kLabelBackground));
        painter.setPen(QColor::fromRgba(kSpectrumScaleColour));
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
        painter.fillRect(width - kTickLength, row, kTickLength, 1,
                         QColor::fromRgba(kSpectrumScaleColour));
    }
    painter.restore();
}

}  // namespace zt
