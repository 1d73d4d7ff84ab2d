#pragma once
// What another display may add to the EQ graph (the spectrum analyser): bars painted over the
// grid and behind the curve on every redraw, following the curve, and work on the window's tick.

class QPainter;

namespace zt {

struct GraphMapping;

class GraphUnderlay {
public:
    virtual ~GraphUnderlay() = default;
    // Called on every redraw after the grid is restored and before the curve is drawn.
    // `painter` draws on Image1's bitmap in logical pixels (the bitmap is sharp at the
    // screen's pixel ratio); `mapping` is the plot's size and its frequency and gain mappings.
    virtual void PaintBehindCurve(QPainter& painter, const GraphMapping& mapping) = 0;
    // Called after every new computation of the EQ curve, before anything is painted; true
    // when the display changed with the curve, so that the whole picture is painted again.
    virtual bool FollowCurve() { return false; }
    // Whether the display wants the window's 10 ms tick now; it tells the graph
    // (EqGraph::TicksWantedChanged) when that changes.
    virtual bool WantsTicks() const { return false; }
    // Called on every tick (10 ms) while any display wants them, after the EQ graph's own work.
    // A display that has something new to show calls EqGraph::RepaintCached().
    virtual void OnTimer1Tick() {}
};

}  // namespace zt
