#pragma once
// The spectrum display on the EQ graph: blue bars of the sound at the sound-card input, behind
// the EQ curve. Every 11 Timer1 ticks the newest captured block is analysed (tick 5 of the
// cycle) and the bars are drawn on their own with the curve on top (tick 11); every redraw of
// the curve draws them too. During a marker drag nothing is analysed or taken over from the
// capture, so the bars stand still. The bars rise at once and fall back at a steady rate; while
// the analyser is on, the plot's right edge carries their decibel scale.

#include <QColor>
#include <chrono>
#include <vector>

#include "spectrum/block_analysis.h"
#include "spectrum/level_bars.h"
#include "spectrum/spectrum_feed.h"
#include "ui/eqgraph/graph_underlay.h"

namespace zt {

struct DragState;

// Draws the graph again from its cached responses: grid, bars, curve.
class GraphRepaint {
public:
    virtual ~GraphRepaint() = default;
    virtual void RepaintCached() = 0;
};

inline constexpr QRgb kSpectrumBarColour = 0xFF3E3EFF;  // RGB(62, 62, 255)
inline constexpr int kSpectrumAnalysisTick = 5;
inline constexpr int kSpectrumCycleTicks = 11;

class SpectrumDisplay : public GraphUnderlay {
public:
    SpectrumDisplay(GraphRepaint& graph, const DragState& drag);

    // The capture thread offers its blocks here.
    SpectrumFeed& feed() { return feed_; }

    // Switching on forgets earlier blocks and the last analysis: the bars show only sound
    // captured after the switch. The caller redraws the graph after switching off.
    void SetAnalyserOn(bool on);
    bool analyserOn() const { return feed_.analyserOn(); }
    // Takes effect at the next drawing.
    void SetLowTrigger(bool low) { lowTrigger_ = low; }
    bool lowTrigger() const { return lowTrigger_; }

    void PaintBehindCurve(QPainter& painter, const GraphMapping& mapping) override;
    bool WantsTicks() const override { return analyserOn(); }
    void OnTimer1Tick() override;

    const SpectrumAnalysis& analysis() const { return analysis_; }
    const SpectrumLevels& levels() const { return levels_; }
    // The bars of the last drawing.
    const std::vector<SpectrumBar>& bars() const { return bars_; }
    int tickCounter() const { return tickCounter_; }

private:
    void Analyse();

    GraphRepaint& graph_;
    const DragState& drag_;
    SpectrumFeed feed_;
    SpectrumAnalysis analysis_;
    SpectrumLevels levels_;
    std::chrono::steady_clock::time_point lastAnalysis_{};
    std::vector<SpectrumBar> bars_;
    bool lowTrigger_ = false;
    int tickCounter_ = 0;
};

}  // namespace zt
