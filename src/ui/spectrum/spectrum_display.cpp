#include "ui/spectrum/spectrum_display.h"

#include <QPainter>
#include <cmath>

#include "eqgraph/graph_mapping.h"
#include "ui/eqgraph/drag_state.h"

namespace zt {

SpectrumDisplay::SpectrumDisplay(GraphRepaint& graph, const DragState& drag)
    : graph_(graph), drag_(drag) {
    bars_.reserve(kSpectrumNominalBars * 2);
}

void SpectrumDisplay::SetAnalyserOn(bool on) {
    if (on && !analyserOn()) analysis_.Clear();
    feed_.SetAnalyserOn(on);
}

void SpectrumDisplay::PaintBehindCurve(QPainter& painter, const GraphMapping& mapping) {
    if (!analyserOn()) return;
    const int height = static_cast<int>(std::lround(mapping.height));
    LayOutSpectrumBars(analysis_,
                       {static_cast<int>(std::lround(mapping.width)), height, lowTrigger_}, bars_);
    const QColor colour = QColor::fromRgb(kSpectrumBarColour);
    for (const SpectrumBar& bar : bars_) {
        painter.fillRect(bar.left, bar.top, bar.right - bar.left, height - bar.top, colour);
    }
}

void SpectrumDisplay::OnTimer1Tick() {
    feed_.SetDragging(drag_.dragging);
    if (drag_.dragging || !analyserOn()) return;
    ++tickCounter_;
    if (tickCounter_ == kSpectrumAnalysisTick) analysis_.Analyse(feed_.NewestBlock());
    if (tickCounter_ >= kSpectrumCycleTicks) {
        tickCounter_ = 0;
        graph_.RepaintCached();
    }
}

}  // namespace zt
