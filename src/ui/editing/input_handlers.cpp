#include "ui/editing/input_handlers.h"

#include <QGroupBox>

#include "eqgraph/eq_point_list.h"
#include "params/eq_slots.h"
#include "params/page_table.h"
#include "params/value_scales.h"
#include "ui/editing/button_looks.h"
#include "ui/editing/edit_writes.h"
#include "ui/editing/editing_parts.h"
#include "ui/editing/output_enabling.h"
#include "ui/editing/value_setter.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {

void InputHandlers::MakeCurrent(ValueEdit* edit, bool focus) {
    // The focus moves first, so that the edit being left still commits its own typed text.
    if (focus) edit->setFocus(Qt::OtherFocusReason);
    parts_.shared.currentValueEdit = edit;
}

void InputHandlers::OnTrackBarChange(TrackBar* bar) {
    if (parts_.state.trackBarUpdate) return;
    if (writes_.HeldByEqPass(bar->tag())) return writes_.ShowStoredAgain(bar->tag());
    if (auto* pane = qobject_cast<StatusPane*>(parts_.Pane(bar->tag()))) {
        setter_.SetValue(pane, kStepNone, false, bar->value());
    }
    parts_.shared.currentValueEdit = parts_.controls.example;
}

void InputHandlers::OnGainBarChange(TrackBar* bar) {
    if (parts_.state.trackBarUpdate) return;
    if (writes_.HeldByEqPass(bar->tag())) return writes_.ShowStoredAgain(bar->tag());
    if (auto* edit = qobject_cast<ValueEdit*>(parts_.Bound(bar->tag()))) {
        parts_.shared.currentValueEdit = edit;
        setter_.SetValue(edit, kStepNone, false, bar->value());
    }
}

void InputHandlers::OnValueEditClick(ValueEdit* clicked) {
    auto* edit = qobject_cast<ValueEdit*>(parts_.Bound(clicked->tag()));
    if (!edit) return;
    parts_.state.wheelStepping = true;
    MakeCurrent(edit, true);
    parts_.state.lastGoodText = edit->text();
    // Showing the edit's value again stores it and selects its band, but sends nothing.
    {
        const EditPath::ShowOnly showing(parts_.path);
        setter_.CommitTypedValue(kStepNone);
    }
    // Like any numeric field: the click selects the whole value, so typing replaces it.
    edit->selectAll();
}

void InputHandlers::OnValueEditKeyPress(ValueEdit* edit, KeyPress* press) {
    parts_.shared.currentValueEdit = edit;
    parts_.state.editChanged = true;
    const QChar c = press->character;
    const bool allowed = c == QLatin1Char('\b') || c == QLatin1Char('\r') ||
                         c == QLatin1Char('-') || c == QLatin1Char('.') ||
                         (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    if (!allowed) press->swallowed = true;
    if (c == QLatin1Char('\r')) OnValueEditLeave();
}

void InputHandlers::OnValueEditKeyDown(ValueEdit* edit, int key, Qt::KeyboardModifiers modifiers) {
    if (!parts_.shared.currentValueEdit ||
        parts_.shared.currentValueEdit == parts_.controls.example)
        return;
    parts_.state.editChanged = true;
    // With Shift, Ctrl or Alt the arrows edit the text (Shift selects) instead of stepping.
    if (modifiers &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return;
    }
    const bool upDown = key == Qt::Key_Up || key == Qt::Key_Down;
    const bool leftRight = key == Qt::Key_Left || key == Qt::Key_Right;
    // A band's frequency and gain edits share the arrows: left and right step the frequency,
    // up and down the gain, whichever of the two has the focus.
    const int kind = ValueKindOf(edit);
    if (kind == kKindFrequency && upDown) {
        if (auto* gain = qobject_cast<ValueEdit*>(parts_.Bound(edit->tag() + 1)))
            OnValueEditClick(gain);
    } else if (kind == kKindGain && leftRight) {
        if (auto* frequency = qobject_cast<ValueEdit*>(parts_.Bound(edit->tag() - 1))) {
            OnValueEditClick(frequency);
        }
    }
    if (key == Qt::Key_Up || key == Qt::Key_Right) setter_.CommitTypedValue(kStepUp);
    if (key == Qt::Key_Down || key == Qt::Key_Left) setter_.CommitTypedValue(kStepDown);
}

void InputHandlers::OnValueEditLeave() {
    ValueEdit* edit = parts_.shared.currentValueEdit;
    if (edit && edit->text().isEmpty()) return setter_.RestoreLastGoodText();
    if (parts_.state.editChanged) setter_.CommitTypedValue(kStepNone);
    parts_.state.editChanged = false;
}

void InputHandlers::OnSpinButton(SpinButtons* spin, bool up) {
    QWidget* control = parts_.Bound(spin->tag());
    if (auto* edit = qobject_cast<ValueEdit*>(control)) {
        MakeCurrent(edit, true);
        setter_.CommitTypedValue(up ? kStepUp : kStepDown);
    } else if (auto* bar = qobject_cast<TrackBar*>(control)) {
        bar->setValue(bar->value() + (up ? 1 : -1));
    }
}

void InputHandlers::RunTypeSelector(Selector* selector, int item) {
    const ParamAddress a = selector->tag();
    if (writes_.HeldByEqPass(a)) return writes_.ShowStoredAgain(a);
    if (item >= 0 && item <= 3) {
        QWidget* companion = parts_.Companion(a, item);
        if (qobject_cast<BitmapButton*>(companion)) {
            if (auto* chosen =
                    qobject_cast<BitmapButton*>(parts_.Companion(a, std::min(item, 2)))) {
                looks_.triggers.Show(looks_.triggers.GroupOf(chosen), chosen->tag());
            }
        } else if (auto* label = qobject_cast<TypeLabel*>(companion)) {
            looks_.typeLabels.Show(label->tag(), looks_.typeLabels.TypeOf(label));
        }
    }
    if (parts_.path.showing() || item < 0) return;
    writes_.Write(a, item);
    if (qobject_cast<TypeLabel*>(parts_.Companion(a, 0))) {
        // The Q field the new type uses, shown within that type's limit.
        const ParamAddress q = a + (item < 2 ? kFieldQ : kFieldShelfQ);
        if (auto* edit = qobject_cast<ValueEdit*>(parts_.Bound(q))) {
            parts_.shared.currentValueEdit = edit;
            setter_.SetValue(edit, kStepNone, true, parts_.model.store().Get(q));
        }
    }
    writes_.RecordWrite(a, item);
}

void InputHandlers::OnTypeSelectorChange(Selector* selector) {
    RunTypeSelector(selector, selector->currentIndex());
}

void InputHandlers::OnTypeLabelClick(TypeLabel* label) {
    auto* selector = qobject_cast<Selector*>(parts_.Bound(label->tag()));
    if (!selector) return;
    const int item = looks_.typeLabels.TypeOf(label);
    if (item < 0) return;
    selector->setCurrentIndex(item);
    RunTypeSelector(selector, item);
}

void InputHandlers::OnTriggerButtonClick(BitmapButton* button) {
    const Selector* group = looks_.triggers.GroupOf(button);
    if (auto* selector = group ? qobject_cast<Selector*>(parts_.Bound(group->tag())) : nullptr) {
        selector->setCurrentIndex(button->tag());
        RunTypeSelector(selector, button->tag());
    }
}

void InputHandlers::OnCrossoverSelectorChange(Selector* selector) {
    const ParamAddress a = selector->tag();
    if (writes_.HeldByEqPass(a)) return writes_.ShowStoredAgain(a);
    writes_.Write(a, selector->currentIndex());
    // The graph items of the two filters follow the bands of the page.
    const int bands = PageLayoutOf(PageOf(a)).bandCount;
    const bool lowPass = ValueKindOf(selector) == kLowPassSelectorKind;
    parts_.Redraw(lowPass ? bands + 1 : bands, parts_.channel.selectedPage);
}

void InputHandlers::OnPlainSelectorChange(Selector* selector) {
    writes_.Write(selector->tag(), selector->currentIndex());
}

void InputHandlers::OnToggleClick(BitmapButton* button) {
    const int v = looks_.toggles.Turn(button);
    writes_.Write(button->tag(), v);
}

void InputHandlers::OnEqPassClick(BitmapButton* button) {
    const int v = looks_.toggles.Turn(button);
    const int page = PageOf(button->tag());
    parts_.window.SetEqPass(page, v != 0);
    writes_.Write(button->tag(), v);
    if (parts_.controls.eqPassLabel) parts_.controls.eqPassLabel->setVisible(v != 0);
    outputs_.UpdateResetButton();
    // The graph shows what the processor does: the flat line, or the bands' curve again.
    parts_.Redraw(kAllItems, page);
}

void InputHandlers::OnAutoManualClick(BitmapButton* button) {
    const int v = looks_.autoManual.IndexOf(button);
    if (v < 0) return;
    looks_.autoManual.Show(v);
    writes_.Write(0x00A0, v);
    parts_.channel.manualFlag = v;
    outputs_.Enable(v == 1);
}

void InputHandlers::OnSwitchClick(BitmapButton* button) {
    const ParamAddress a = button->tag();
    const SwitchPair* pair = looks_.switches.PairOf(a);
    if (pair && a == 0x1E08 && pair->second) {
        // The user / manager pair stays disabled after the choice; the chosen one still reads as
        // selected.
        pair->first->setDisabledShowsPressed(button == pair->first);
        pair->second->setDisabledShowsPressed(button == pair->second);
        if (parts_.controls.userManagerGroup) parts_.controls.userManagerGroup->setEnabled(false);
    }
    writes_.Write(a, looks_.switches.Choose(button));
}

}  // namespace zt
