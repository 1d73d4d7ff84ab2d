#pragma once
// The EQ graph wired in the composition root: the graph on Image1, the point editing with
// the mouse, and the tick of the displays behind the curve. The graph follows every EQ change
// through the edit path's changed events. Another display reaches the graph through
// graph().AddUnderlay.

#include <memory>

#include "ui/editing/binding_lookup.h"
#include "ui/eqgraph/drag_state.h"
#include "ui/eqgraph/eq_graph.h"
#include "ui/eqgraph/point_editing.h"
#include "ui/window/window_hooks.h"

namespace zt {

class ControlBinding;
class ControlRegistry;
class Editor;
class ParamStore;
class TForm1;
struct ChannelState;
struct EditorState;
struct WindowState;

class EqGraphSide : public Timer1Work {
public:
    // What the graph works with; every part outlives it.
    struct Parts {
        TForm1& window;
        ControlRegistry& registry;
        ControlBinding& binding;
        const ParamStore& store;
        const EditorState& editorState;
        const WindowState& windowState;
        const ChannelState& channel;
        WindowServices& services;  // the graph and the Timer1 work it fills
    };

    // Creates the graph (grid and axis labels at Image1's size) and fills the window's graph
    // and Timer1 services.
    EqGraphSide(const Parts& parts, Editor& editor);
    ~EqGraphSide() override;

    // After the editor is attached: connects the mouse handlers.
    void Attach();

    bool WantsTicks() const override { return graph_.UnderlaysWantTicks(); }
    // One tick: a pending drag value and a requested redraw are drawn now, and the displays
    // behind the curve do their work.
    void OnTimer1Tick() override;

    EqGraph& graph() { return graph_; }
    PointEditing& pointEditing() { return editing_; }
    Editor& editor() { return editor_; }
    const DragState& drag() const { return drag_; }

private:
    void RedrawAfterRebuild();

    WindowServices& services_;
    const ChannelState& channel_;
    Editor& editor_;
    ControlBindingLookup lookup_;
    DragState drag_;
    EqGraph graph_;
    PointEditing editing_;
};

}  // namespace zt
