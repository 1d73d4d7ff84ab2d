#pragma once
// What every unit of the editing side works with: the stores and the edit path, the state the
// editing side shares with binding and the window, the controls it addresses and the lookups
// from an address to its controls. The owner (Editor) builds it once; each unit holds a
// reference to it.

#include <QPointer>

#include "params/param_model.h"
#include "ui/binding/editor_state.h"
#include "ui/editing/edit_state.h"
#include "ui/editing/editing_ports.h"
#include "ui/editing/editor_controls.h"
#include "ui/state/edit_path.h"
#include "ui/state/window_state.h"

class QObject;
class QWidget;

namespace zt {

struct ChannelState;

// The crossover selectors' kinds: the high pass and the low pass filter of a page.
inline constexpr int kHighPassSelectorKind = 20;
inline constexpr int kLowPassSelectorKind = 21;

// The value kind the catalogue gave a control (a ValueKind, a pane kind, a crossover
// selector's kind): 0 without one.
int ValueKindOf(const QWidget* control);

struct EditingParts {
    EditingParts(ParamModel& model, EditPath& path, EditorState& shared, WindowState& window,
                 ChannelState& channel)
        : model(model), path(path), shared(shared), window(window), channel(channel) {}

    ParamModel& model;
    EditPath& path;
    EditorState& shared;
    WindowState& window;
    ChannelState& channel;

    // Set when the editor is attached; null before.
    const BindingLookup* binding = nullptr;
    EditorControls controls;
    EditState state;

    // Optional collaborators; without them nothing is recorded or redrawn.
    EditRecorder* recorder = nullptr;
    EqRedraw* redraw = nullptr;
    // While set, every write waits for the processor's acknowledgement of the one before.
    bool pacedWrites = false;

    // From a logical address to the control that shows it, its track bar's pane and its
    // companions 0..3; null where nothing is bound.
    QWidget* Bound(ParamAddress a) const;
    QWidget* Pane(ParamAddress a) const;
    QWidget* Companion(ParamAddress a, int entry) const;

    // A gesture of the edit history for as long as the result lives; nothing while a refresh
    // shows stored values.
    GestureScope Gesture(const void* stepSource = nullptr) const;
    // A gesture held by a control from the mouse press to the release (a track bar's handle, a
    // range handle of the system page): the whole drag is one gesture.
    void BeginHeldGesture(QObject* holder);
    void EndHeldGesture(QObject* holder);

    // Redraws an item of the EQ graph; the graph is drawn once at the end of a refresh, not for
    // every control it moves.
    void Redraw(int item, int page) const;

private:
    QPointer<QObject> holder_;  // the control the mouse holds while a held gesture is open
};

}  // namespace zt
