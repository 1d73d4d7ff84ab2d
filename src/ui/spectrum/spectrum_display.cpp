#include "ui/spectrum/spectrum_display.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "eqgraph/graph_mapping.h"
#include "ui/eqgraph/drag_state.h"
#include "ui/spectrum/spectrum_scale.h"

namespace zt {
namespace {

// A pause longer than this (a drag, a busy moment) releases no further at once.
constexpr double kLongestRelease = 0.5;

}  // namespace

SpectrumDisplay::SpectrumDisplay(GraphRepaint& graph, const DragState& drag)
    : graph_(graph), drag_(drag) {
    bars_.reserve(kSpectrumNominalBars * 2);
}

void SpectrumDisplay::SetAnalyserOn(bool on) {
    if (on && !analyserOn()) {
        analysis_.Clear();
        levels_.Clear();
        lastAnalysis_ = {};
    }
    feed_.SetAnalyserOn(on);
}

void SpectrumDisplay::PaintBehindCurve(QPainter& painter, const GraphMapping& mapping) {
    if (!analyserOn()) return;
    const int height = static_cast<int>(std::lround(mapping.height));
    LayOutSpectrumBars(levels_, {static_cast<int>(std::lround(mapping.width)), height, lowTrigger_},
                       bars_);
    const QColor colour = QColor::fromRgb(kSpectrumBarColour);
    for (const SpectrumBar& bar : bars_) {
        painter.fillRect(bar.left, bar.top, bar.right - bar.left, height - bar.top, colour);
    }
    PaintSpectrumScale(painter, mapping,
                       lowTrigger_ ? kSpectrumLowTriggerFloorDb : kSpectrumFloorDb);
}

void SpectrumDisplay::OnTimer1Tick() {
    feed_.SetDragging(drag_.dragging);
    if (drag_.dragging) lastAnalysis_ = {};  // the bars stand still: nothing to release after
    if (drag_.dragging || !analyserOn()) return;
    ++tickCounter_;
    if (tickCounter_ == kSpectrumAnalysisTick) Analyse();
    if (tickCounter_ >= kSpectrumCycleTicks) {
        tickCounter_ = 0;
        graph_.RepaintCached();
    }
}

void SpectrumDisplay::Analyse() {
    analysis_.Analyse(feed_.NewestBlock());
    // The release runs on the time that passed, not on the ticks, which a busy window delays.
    const auto now = std::chrono::steady_clock::now();
    const double seconds = lastAnalysis_ == std::chrono::steady_clock::time_point{}
                               ? 0.0
                               : std::chrono::duration<double>(now - lastAnalysis_).count();
    lastAnalysis_ = now;
    levels_.Update(analysis_, std::min(seconds, kLongestRelease));
}

}  // namespace zt
