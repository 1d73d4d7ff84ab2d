#pragma once
// What another display may add to the EQ graph (the spectrum analyser): bars painted over the
// grid and behind the curve on every redraw, and work on every Timer1 tick.

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
    // Called on every Timer1 tick (10 ms), after the EQ graph's own work. A display that has
    // something new to show calls EqGraph::RepaintCached().
    virtual void OnTimer1Tick() {}
};

}  // namespace zt
