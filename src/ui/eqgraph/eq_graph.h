#pragma once
// The EQ graph on Image1: the cached grid background, the summed response of the page shown
// as an anti-aliased cardinal spline, the markers of its bands and filters, and the
// information label of the item last changed. It only reads the ParamStore; changes reach it
// as redraw requests. While a channel's EQ pass is on, the curve shows what the processor does:
// the response of the items the EQ pass leaves in play (the flat line where it holds them
// all), with the bands' own curve dimmed behind it.
//
// The picture is drawn in device pixels and kept between redraws: a redraw draws again only
// where the curve or a marker changed (the grid under it comes from the cached background),
// and Image1 shows only that part anew.

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRegion>
#include <functional>
#include <memory>
#include <vector>

#include "eqgraph/eq_curve.h"
#include "eqgraph/eq_point_list.h"
#include "eqgraph/graph_mapping.h"
#include "params/param_address.h"
#include "ui/eqgraph/axis_labels.h"
#include "ui/eqgraph/curve_layer.h"
#include "ui/eqgraph/drag_state.h"
#include "ui/eqgraph/graph_underlay.h"
#include "ui/eqgraph/marker_layer.h"
#include "ui/window/graph_panel.h"
#include "ui/window/window_hooks.h"

namespace zt {

struct EditorState;
struct WindowState;

class EqGraph : public EqGraphView {
public:
    // Creates the axis labels and draws the grid for Image1's current size (mode 0).
    EqGraph(const GraphPanel& panel, ControlRegistry& registry, const ParamStore& store,
            const EditorState& editorState, const WindowState& windowState, const DragState& drag);

    void SetCurveColour(const QColor& colour) override;
    // DrawEqCurve(item, page): item 0..99 after a change of that item, 100 everything.
    // Ignored for items above 100, pages from 28 on, and while a page refresh runs (the
    // refresh ends with a full redraw of its own).
    void DrawEqCurve(int item, int page) override;
    // A value of item `item` (0..99, or 100 for all) of page `page` changed: the graph draws it
    // once the window has handled the event at hand, together with every change before it (one
    // redraw for however many values). A drawing that covers the request in the meantime
    // (DrawEqCurve of that item or of the whole page) answers it. Nothing is asked while a page
    // refresh runs: the refresh ends with a redraw of its own.
    void RequestRedraw(int item, int page) override;
    // Draws what was requested, at once; nothing when nothing is pending.
    void DrawRequested();
    bool redrawRequested() const { return pending_.page >= 0; }

    // Whether a display behind the curve wants the window's 10 ms tick now (the analyser
    // while it is on); `changed` runs whenever that may have changed.
    bool UnderlaysWantTicks() const;
    void SetTicksWantedChanged(std::function<void()> changed) {
        ticksWantedChanged_ = std::move(changed);
    }
    void TicksWantedChanged() {
        if (ticksWantedChanged_) ticksWantedChanged_();
    }

    // Image1 has a new size: the grid is rebuilt (mode 1) and `afterRebuild` redraws.
    void RebuildGraph() override;
    void SetAfterRebuild(std::function<void()> redraw) { afterRebuild_ = std::move(redraw); }

    // Displays behind the curve (the spectrum display's bars, the room's curves), painted in
    // the order added.
    void AddUnderlay(GraphUnderlay* underlay);
    void RemoveUnderlay(GraphUnderlay* underlay);
    const std::vector<GraphUnderlay*>& underlays() const { return underlays_; }
    // Draws the whole picture again from the cached responses: the grid, the underlay, the
    // curve and the markers (for a display whose underlay changed; nothing is recomputed, no
    // marker moves).
    void RepaintCached();

    const EqPointList& points() const { return list_; }
    const GraphMapping& mapping() const { return mapping_; }
    // The curve points in device pixels of Image1's bitmap (plain pixels at a ratio of 1).
    const CurvePoints& curve() const { return curve_; }
    const CurveLayer& curveLayer() const { return curveLayer_; }
    // While the EQ pass is on: the curve the processor's signal follows, drawn in the curve's
    // colour (device pixels), and whether it is shown; the bands' curve is then dimmed.
    const CurvePoints& passCurve() const { return passCurve_; }
    bool passShown() const { return passShown_; }
    QColor dimmedCurveColour() const;
    QColor curveColour() const { return colour_; }
    const QImage& background() const { return background_; }
    // Band count of the page drawn last (0 before the first drawing).
    int bands() const { return bands_; }
    // How many times the curve was computed and drawn since the graph was made.
    int drawings() const { return drawings_; }

private:
    // Computes item `item` (or all) of `page` anew and draws; the information label shows
    // item `labelled` (all: hidden).
    void Draw(int item, int labelled, int page);
    // Moves marker `marker` so that its centre lies on (frequency, gain).
    void PlaceMarker(int marker, float frequency, float gain);
    // Places the markers of the items drawn (`item`, or all for kAllItems) and every bypassed
    // band's marker, which sits on the curve.
    void PlaceMarkers(int item);
    // Moves marker `marker` so that its centre lies on the curve at `frequency`.
    void PlaceOnCurve(int marker, float frequency);
    void RebuildBackground();
    // The pass curve of the page drawn, from the cached responses; the changed part of the
    // picture.
    QRegion SetPassCurve(bool shown);
    void ShowMarkers(int loaded);
    void ShowInfoLabel(int item);
    // Draws the picture anew within `deviceRegion` and has Image1 show that part.
    void Paint(const QRegion& deviceRegion);
    QRegion WholePicture() const;

    const GraphPanel& panel_;
    const ParamStore& store_;
    const EditorState& editorState_;
    const WindowState& windowState_;
    const DragState& drag_;
    std::unique_ptr<AxisLabels> axisLabels_;
    std::vector<GraphUnderlay*> underlays_;
    std::function<void()> afterRebuild_;
    std::function<void()> ticksWantedChanged_;
    // The redraw requested and not yet drawn (page -1: none).
    struct PendingRedraw {
        int computed = 0;  // the item whose response is computed anew, or all
        int labelled = 0;  // the item whose information label shows (all: none)
        int page = -1;
    };
    PendingRedraw pending_;
    bool drawQueued_ = false;

    GraphMapping mapping_;
    QImage background_;
    EqPointList list_;
    int bands_ = 0;
    int drawings_ = 0;
    double pixelRatio_ = 1.0;
    CurvePoints curve_{};
    CurveLayer curveLayer_;
    EqPointList passList_;
    CurvePoints passCurve_{};
    CurveLayer passLayer_;
    bool passShown_ = false;
    MarkerLayer markerLayer_;
    QColor colour_{255, 102, 0};
    QObject connections_;  // ends the markers' connections to this graph with it
};

}  // namespace zt
