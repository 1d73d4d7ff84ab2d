#pragma once
// The EQ graph wired in the composition root: the graph on Image1, the point editing with the
// mouse, the range handles of the system page, and the Timer1 work that applies drags and
// follows every EQ change. Another display reaches the graph through graph().AddUnderlay.

#include <memory>

#include "ui/editing/binding_lookup.h"
#include "ui/eqgraph/drag_state.h"
#include "ui/eqgraph/eq_graph.h"
#include "ui/eqgraph/point_editing.h"
#include "ui/eqgraph/range_handle_drag.h"
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
    RangeHandleDrag rangeHandles_;
};

}  // namespace zt
