#pragma once
// The change handlers of the parameter controls: each serves a whole family of controls and
// ends, for every value it changes, in a write through the edit path, directly or through set
// value. The page refresh runs the button and selector handlers too, with sending suppressed.

#include <Qt>

namespace zt {

struct ButtonLooks;
struct EditingParts;
struct KeyPress;
class BitmapButton;
class EditWrites;
class OutputEnabling;
class Selector;
class SpinButtons;
class TrackBar;
class TypeLabel;
class ValueEdit;
class ValueSetter;

class InputHandlers {
public:
    InputHandlers(EditingParts& parts, EditWrites& writes, ValueSetter& setter, ButtonLooks& looks,
                  OutputEnabling& outputs)
        : parts_(parts), writes_(writes), setter_(setter), looks_(looks), outputs_(outputs) {}

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
    // A phase or mute button, as its kind says.
    void OnToggleClick(BitmapButton* button);
    void OnEqPassClick(BitmapButton* button);
    void OnAutoManualClick(BitmapButton* button);
    void OnSwitchClick(BitmapButton* button);

private:
    void MakeCurrent(ValueEdit* edit, bool focus);
    void RunTypeSelector(Selector* selector, int item);

    EditingParts& parts_;
    EditWrites& writes_;
    ValueSetter& setter_;
    ButtonLooks& looks_;
    OutputEnabling& outputs_;
};

}  // namespace zt
