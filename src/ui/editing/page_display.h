#pragma once
// The page refresh: the way back from the stores to the controls after a download, a channel
// switch, a mode change or an EQ reset. It moves bars and runs the button and selector handlers
// with sending suppressed, so nothing of it reaches the processor.

class QWidget;

namespace zt {

struct ButtonLooks;
struct EditingParts;
class InputHandlers;
class LockCheck;
class ModeListSource;
class TrackBar;
class ValueSetter;
class VolumeBars;

class PageDisplay {
public:
    PageDisplay(EditingParts& parts, InputHandlers& handlers, ValueSetter& setter,
                VolumeBars& volumes, ButtonLooks& looks, const ModeListSource& modes)
        : parts_(parts),
          handlers_(handlers),
          setter_(setter),
          volumes_(volumes),
          looks_(looks),
          modes_(modes) {}

    // The panel lock check that ends every refresh; none without one.
    void SetLockCheck(LockCheck* lock) { lock_ = lock; }

    // Shows the stored values of a logical page (100: every page) without sending anything.
    void RefreshPage(int page);

private:
    void RefreshControls(int page);
    void RefreshControl(QWidget* control, int page, int slot, int value);
    // Moves a bar to `value` and makes sure its pane shows it, moved or not; `always` runs the
    // bar's change handler even when the bar moved.
    void ShowBarPosition(TrackBar* bar, int value, bool always);
    void ReaddressRightSide();
    void RefreshRightSide();
    void RefreshSidesAndMode();
    void RefreshSideButtons();
    void RefreshEqPass();
    void RefreshSystemSwitches();
    // The mode list with its current index and name, and the quick-load buttons of the mode.
    void RefreshModeControls();

    EditingParts& parts_;
    InputHandlers& handlers_;
    ValueSetter& setter_;
    VolumeBars& volumes_;
    ButtonLooks& looks_;
    const ModeListSource& modes_;
    LockCheck* lock_ = nullptr;
};

}  // namespace zt
