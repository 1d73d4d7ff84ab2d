#pragma once
// The editing side of the editor, wired in the composition root: the editor over the link
// engine, the binding and the window's channel selection, its undo history and the EQ exchange.
// It is the window's page refresher and the editing part of its page switch; Attach connects
// the handlers once binding has run.

#include "ui/editing/binding_lookup.h"
#include "ui/editing/editor.h"
#include "ui/editing/link_parameters.h"
#include "ui/eqgraph/edit_gesture.h"
#include "ui/exchange/eq_exchange_side.h"
#include "ui/undo/edit_history.h"
#include "ui/undo/edit_replayer.h"
#include "ui/undo/undo_controls.h"

namespace zt {

class ControlBinding;
class ControlRegistry;
class LinkEngine;
class PageSwitcher;
class TForm1;
class WindowMessages;
class EditPath;
struct EditorState;
struct WindowServices;

class EditingSide : public EqRedraw {
public:
    // What the editing side works with; every part outlives it.
    struct Parts {
        ParamModel& model;
        EditPath& path;
        LinkEngine& link;
        ControlBinding& binding;
        ControlRegistry& registry;
        EditorState& editorState;
        WindowState& windowState;
        Navigator& navigator;
        PageSwitcher& pages;
        TForm1& window;
        Language& language;
        WindowMessages& messages;
        WindowServices& services;  // its editing and the graph it redraws
    };

    explicit EditingSide(const Parts& parts);
    ~EditingSide() override;

    // After BindControls, before the start-up's EQ reset refreshes every page.
    void Attach();

    Editor& editor() { return editor_; }
    EditHistory& history() { return history_; }
    UndoControls& undoControls() { return *undoControls_; }
    // A marker drag or a run of Q steps on the EQ graph, as one step of the history.
    EditGesture& graphGesture() { return graphGesture_; }
    // The EQ exchange of the graph's context menu; made when the editor is attached.
    EqExchangeSide& exchange() { return *exchange_; }

    // Asks the EQ graph, once one is wired into the window, for a redraw: drawn when the window
    // has handled the event at hand, in one with every other change.
    void DrawEqCurve(int item, int page) override;

private:
    Parts parts_;
    LinkParameters parameters_;
    ControlBindingLookup lookup_;
    struct GraphGesture : EditGesture {
        explicit GraphGesture(EditHistory& history) : history(history) {}
        void GestureBegins() override { history.BeginGesture(nullptr); }
        void GestureEnds() override { history.EndGesture(); }
        EditHistory& history;
    };

    Editor editor_;
    EditReplayer replayer_;
    EditHistory history_;
    std::unique_ptr<UndoControls> undoControls_;
    GraphGesture graphGesture_{history_};
    std::unique_ptr<EqExchangeSide> exchange_;
};

}  // namespace zt
