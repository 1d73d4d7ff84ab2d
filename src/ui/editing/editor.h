#pragma once
// The editing side of the main window, as a thin owner of its units: the value path (set value,
// commit typed value), the change handlers, the looks of the button groups, the volume bars,
// the band selection, the page refresh and wheel stepping. It builds them over one set of
// parts, wires them once when attached, and keeps the buttons that change what the shared
// controls stand for (scene, side, effect sub-page, hint path, EQ reset), which choose through
// the navigator.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "params/param_model.h"
#include "ui/binding/editor_state.h"
#include "ui/editing/band_selection.h"
#include "ui/editing/button_looks.h"
#include "ui/editing/edit_state.h"
#include "ui/editing/edit_writes.h"
#include "ui/editing/editing_parts.h"
#include "ui/editing/editing_ports.h"
#include "ui/editing/editor_controls.h"
#include "ui/editing/input_handlers.h"
#include "ui/editing/input_wiring.h"
#include "ui/editing/output_enabling.h"
#include "ui/editing/page_display.h"
#include "ui/editing/value_setter.h"
#include "ui/editing/volume_bars.h"
#include "ui/editing/wheel_stepping.h"
#include "ui/state/edit_path.h"
#include "ui/state/navigator.h"
#include "ui/state/window_state.h"
#include "ui/window/window_hooks.h"

class QWidget;

namespace zt {

class ControlRegistry;
class Language;
struct ChannelState;

class Editor : public PageRefresher, public PageSwitchEditing {
public:
    // `path` is the one way values change; `navigator` the one way the view changes, whose
    // channel state the editor reads; `shared` is the state binding starts (BindControls points
    // its edit references); `window` the window's state, whose EQ pass states the editor keeps.
    Editor(ParamModel& model, EditPath& path, Navigator& navigator, const ModeListSource& modes,
           EditorState& shared, WindowState& window);
    ~Editor() override;

    // Optional collaborators; without them the redraw and the lock check are skipped.
    void SetEqRedraw(EqRedraw* redraw) { parts_.redraw = redraw; }
    void SetLockCheck(LockCheck* lock) { display_.SetLockCheck(lock); }
    // The language of the words among the values shown ("Atk x 2"); English without one.
    void SetLanguage(const Language* language) { setter_.SetLanguage(language); }
    // The plain message box of a typed value without a kind.
    void SetPlainMessage(std::function<void(const QString&)> show) {
        setter_.SetPlainMessage(std::move(show));
    }
    // The edit history: every handler runs as a gesture of it, and every write is noted.
    void SetRecorder(EditRecorder* recorder) {
        parts_.recorder = recorder;
        parts_.path.SetRecorder(recorder);
    }
    EditRecorder* recorder() const { return parts_.recorder; }
    // While set, every write the handlers make waits for the processor's acknowledgement of the
    // one before (a replayed step of many values).
    void SetPacedWrites(bool paced) { parts_.pacedWrites = paced; }

    // Resolves the controls the handlers address and connects every handler; runs once, after
    // BindControls. `window` is the main window, whose mouse wheel steps the current value edit.
    void Attach(const ControlRegistry& registry, const BindingLookup& binding,
                const ControlLists& lists, QWidget* window);

    // --- Values ---
    void SetValue(QWidget* control, int key, bool silent, double raw) {
        setter_.SetValue(control, key, silent, raw);
    }
    void SetParameter(ParamAddress a, int value) { setter_.SetParameter(a, value); }
    void CommitTypedValue(int key) { setter_.CommitTypedValue(key); }

    // --- Units ---
    InputHandlers& inputs() { return handlers_; }
    ButtonLooks& looks() { return looks_; }
    VolumeBars& volumes() { return volumes_; }
    void OnValueEditClick(ValueEdit* edit) { handlers_.OnValueEditClick(edit); }
    void OnSpinButton(SpinButtons* spin, bool up) { handlers_.OnSpinButton(spin, up); }

    // --- Buttons that change what the shared controls stand for ---
    void OnSceneClick(BitmapButton* button);
    void OnSideClick(BitmapButton* button);
    void OnEqResetClick();
    void OnEffectSubPageClick(SwappingToolButton* button);
    void OnHintPathClick(SwappingToolButton* button);

    // --- Page refresh ---
    // Shows the stored values of a logical page (100: every page) without sending anything.
    void RefreshPage(int page) override { display_.RefreshPage(page); }
    // Select channel for the current tab, the refresh of its page and one redraw.
    void ReselectAndRefresh();
    // The effect tab of a page switch shows the effect sub-page chosen last.
    void ReselectEffectSubPage() override;

    // --- Mouse wheel ---
    bool WheelStep(int angleDelta) { return wheel_.Step(angleDelta); }
    void EndWheelStepping() override { wheel_.End(); }

    // Whether a user's edit may change the stores and the processor now (not while the panel
    // lock holds the window).
    bool TakesEdits() const { return parts_.path.TakesEdits(); }
    EditPath& path() { return parts_.path; }

    const EditState& state() const { return parts_.state; }
    const EditorState& editorState() const { return parts_.shared; }
    const LastWrittenParameter& lastWritten() const { return parts_.state.lastWritten; }
    const EditorControls& controls() const { return parts_.controls; }

private:
    void ResolveControls(const ControlRegistry& registry, const ControlLists& lists);
    void ConnectChoiceButtons(const ControlRegistry& registry);
    // The effect and hint buttons, and the effect sheet, show the view the navigator holds.
    void ShowViewLooks();

    Navigator& navigator_;
    EditingParts parts_;
    ButtonLooks looks_;
    BandSelection bands_;
    EditWrites writes_;
    VolumeBars volumes_;
    ValueSetter setter_;
    OutputEnabling outputs_;
    InputHandlers handlers_;
    PageDisplay display_;
    WheelStepping wheel_;
    InputWiring wiring_;
    // Receiver of every connection the editor makes; it goes first, so that no handler outlives
    // its unit.
    std::unique_ptr<QObject> connections_ = std::make_unique<QObject>();
};

}  // namespace zt
