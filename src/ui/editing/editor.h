#pragma once
// The editing side of the main window: set value and commit typed value, every change handler of
// the parameter controls, control action, the channel mode buttons and volume bars, and the page
// refresh that shows the stores in the controls without sending anything.
//
// The handlers serve whole families of controls; each finds its parameter from the control's own
// tag and hint and goes from an address to its controls through ControlBinding. Attach connects
// them once at start-up by walking the registered controls.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <set>

#include "params/param_model.h"
#include "ui/binding/editor_state.h"
#include "ui/editing/edit_state.h"
#include "ui/editing/editing_ports.h"
#include "ui/editing/editor_controls.h"
#include "ui/state/edit_path.h"
#include "ui/state/navigator.h"
#include "ui/state/window_state.h"
#include "ui/window/window_hooks.h"

class QWidget;

namespace zt {

class ControlRegistry;
class Language;
class SpinButtons;
class TypeLabel;
struct ChannelState;
struct KeyPress;

// Step keys of set value and commit typed value.
inline constexpr int kStepNone = 0;
inline constexpr int kStepUp = 1;
inline constexpr int kStepDown = 11;

// Codes of control action.
enum ControlActionCode {
    kActionTab = 10,
    kActionToggle = 11,
    kActionPhase = 14,
    kActionAutoManual = 16,
    kActionScene = 17,
    kActionSwitch = 18,
    kActionSide = 19,
    kActionLinkButtons = 20,
    kActionTypeLabel = 21,
    kActionTrigger = 23,
};

class Editor : public PageRefresher, public PageSwitchEditing {
public:
    // `path` is the one way values change; `navigator` the one way the view changes, whose
    // channel state the editor reads; `shared` is the state binding starts (BindControls points
    // its edit references); `window` the window's state, whose EQ pass states the editor keeps.
    Editor(ParamModel& model, EditPath& path, Navigator& navigator, const ModeListSource& modes,
           EditorState& shared, WindowState& window);
    ~Editor() override;

    // Optional collaborators; without them the redraw and the lock check are skipped.
    void SetEqRedraw(EqRedraw* redraw) { redraw_ = redraw; }
    void SetLockCheck(LockCheck* lock) { lock_ = lock; }
    // The language of the words among the values shown ("Atk x 2"); English without one.
    void SetLanguage(const Language* language) { language_ = language; }
    // The plain message box of a typed value without a kind.
    void SetPlainMessage(std::function<void(const QString&)> show) { message_ = std::move(show); }
    // The look of the link button (control action 20): true linked, false unlinked.
    void SetLinkButtonLook(std::function<void(bool)> look) { linkLook_ = std::move(look); }
    // The edit history: every handler runs as a gesture of it, and every write is noted.
    void SetRecorder(EditRecorder* recorder) {
        recorder_ = recorder;
        path_.SetRecorder(recorder);
    }
    EditRecorder* recorder() const { return recorder_; }
    // While set, every write the handlers make waits for the processor's acknowledgement of the
    // one before (a replayed step of many values).
    void SetPacedWrites(bool paced) { pacedWrites_ = paced; }

    // Resolves the controls the handlers address and connects every handler; runs once, after
    // BindControls. `window` is the main window, whose mouse wheel steps the current value edit.
    void Attach(const ControlRegistry& registry, const BindingLookup& binding,
                const ControlLists& lists, QWidget* window);

    // --- Values ---
    // Shows raw value `raw` in a value edit, value pane or EQ type selector, limits it, moves the
    // companion track bar, stores it and, unless silent, writes it.
    void SetValue(QWidget* control, int key, bool silent, double raw);
    // Sets a parameter as the user would: through set value on the control that shows it, so
    // that the control, both stores and the processor follow, or with write parameter where no
    // control does or where the control limits the value more than `value` needs.
    void SetParameter(ParamAddress a, int value);
    // Parses the current value edit's text and sets it, stepped by `key`.
    void CommitTypedValue(int key);
    // Keeps a volume group's start and normal bars at or below its maximum bar.
    void VolumeLimits(TrackBar* normal, TrackBar* start, TrackBar* maximum, int moved,
                      StatusPane* pane);

    // --- Control action and edit selection ---
    int ControlAction(QWidget* control, int code);
    int EditSelection(QWidget* edit, int family);
    void OutputEnabling(int manual);
    void ResetButtonUpdate();

    // --- Change handlers ---
    void OnTrackBarChange(TrackBar* bar);
    void OnGainBarChange(TrackBar* bar);
    void OnValueEditClick(ValueEdit* edit);
    void OnValueEditKeyPress(ValueEdit* edit, KeyPress* press);
    void OnValueEditKeyDown(ValueEdit* edit, int key,
                            Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void OnValueEditLeave();
    void OnSpinButton(SpinButtons* spin, bool up);
    void OnTypeSelectorChange(Selector* selector);
    void OnTypeLabelClick(TypeLabel* label);
    void OnTriggerButtonClick(BitmapButton* button);
    void OnCrossoverSelectorChange(Selector* selector);
    void OnPlainSelectorChange(Selector* selector);
    void OnPhaseButtonClick(BitmapButton* button);
    void OnMuteButtonClick(BitmapButton* button);
    void OnEqPassClick(BitmapButton* button);
    void OnAutoManualClick(BitmapButton* button);
    void OnSwitchClick(BitmapButton* button);

    // --- Mode buttons and volume bars ---
    void OnSceneClick(BitmapButton* button);
    void OnSideClick(BitmapButton* button);
    void OnEqResetClick();
    void OnEffectSubPageClick(SwappingToolButton* button);
    void OnHintPathClick(SwappingToolButton* button);
    void OnVolumeBarChange(TrackBar* bar);
    void OnBandScroll(int box, int position);

    // --- Page refresh ---
    // Shows the stored values of a logical page (100: every page) without sending anything.
    void RefreshPage(int page) override;
    // Select channel for the current tab, the refresh of its page and one redraw.
    void ReselectAndRefresh();
    // The effect tab of a page switch shows the effect sub-page chosen last.
    void ReselectEffectSubPage() override;

    // --- Mouse wheel ---
    // Steps the current value edit by whole wheel notches (120 units each, positive up) while a
    // click has selected it for stepping; true when the wheel event is taken.
    bool WheelStep(int angleDelta);
    // A page switch ends wheel stepping.
    void EndWheelStepping() override;

    // Whether a user's edit may change the stores and the processor now (not while the panel
    // lock holds the window).
    bool TakesEdits() const { return path_.TakesEdits(); }
    EditPath& path() { return path_; }

    const EditState& state() const { return state_; }
    const EditorState& editorState() const { return shared_; }
    const LastWrittenParameter& lastWritten() const { return state_.lastWritten; }
    const EditorControls& controls() const { return controls_; }

private:
    // Binding lookups.
    QWidget* Bound(ParamAddress a) const;
    QWidget* Pane(ParamAddress a) const;
    QWidget* Companion(ParamAddress a, int entry) const;
    void ResolveControls(const ControlRegistry& registry, const ControlLists& lists);
    void Connect(const ControlRegistry& registry);
    void ConnectTrackBar(TrackBar* bar);
    void ConnectSelector(Selector* selector);
    void ConnectBitmapButton(BitmapButton* button);

    // A gesture of the edit history for as long as the result lives; nothing while a refresh
    // shows stored values.
    GestureScope Gesture(const void* stepSource = nullptr);
    // A gesture held by a control from the mouse press to the release (a track bar's handle, a
    // range handle of the system page): the whole drag is one gesture.
    void BeginHeldGesture(QObject* holder);
    void EndHeldGesture(QObject* holder);
    void ConnectRangeHandles();

    // Pieces of the handlers.
    void Write(ParamAddress a, int value);
    void ShowStoredAgain(ParamAddress a);
    // Whether a user's gesture on the control of `a` is refused because the channel's EQ pass
    // holds its band or filter, as it holds the band's point on the graph. A refused gesture
    // stores and sends nothing; its controls show the held value again.
    bool HeldByEqPass(ParamAddress a) const;
    void RecordWrite(ParamAddress a, int value);
    void Redraw(int item, int page);
    void MakeCurrent(ValueEdit* edit, bool focus);
    void RestoreLastGoodText();
    void KeepBandVisible(int band);
    void HighlightBand(int family, int band);
    void Toggle(BitmapButton* button);
    const SwitchPair* SwitchPairOf(int address) const;
    void RunTypeSelector(Selector* selector, int item);

    // Pieces of the page refresh.
    void RefreshControls(int page);
    void RefreshControl(QWidget* control, int page, int slot, int value);
    // Moves a bar to `value` and makes sure its pane shows it, moved or not; `always` runs the
    // bar's change handler even when the bar moved.
    void ShowBarPosition(TrackBar* bar, int value, bool always);
    bool IsVolumeBar(const TrackBar* bar) const;
    void ReaddressRightSide();
    void RefreshRightSide();
    void RefreshSidesAndMode();
    void RefreshSideButtons();
    void RefreshEqPass();
    void RefreshSystemSwitches();
    void RefreshModeControls();
    // The effect and hint buttons, and the effect sheet, show the view the navigator holds.
    void ShowViewLooks();

    ParamModel& model_;
    EditPath& path_;
    const ModeListSource& modes_;
    EditorState& shared_;
    WindowState& window_;
    Navigator& navigator_;
    ChannelState& channel_;  // the navigator's
    EqRedraw* redraw_ = nullptr;
    LockCheck* lock_ = nullptr;
    const Language* language_ = nullptr;
    std::function<void(const QString&)> message_;
    std::function<void(bool)> linkLook_;
    EditRecorder* recorder_ = nullptr;
    bool pacedWrites_ = false;
    // Pages of writes refused while the window takes none, shown from the stores again.
    std::set<int> refusedPages_;
    // The control the mouse holds while a held gesture is open.
    QPointer<QObject> holder_;

    const BindingLookup* binding_ = nullptr;
    EditorControls controls_;
    EditState state_;
    // Receiver of every connection, so that the handlers end with the editor.
    std::unique_ptr<QObject> context_;
    QPointer<QObject> wheelFilter_;
};

}  // namespace zt
