// The change handlers of the parameter controls: each serves a whole family of controls and
// ends, for every value it changes, in write parameter, directly or through set value.

#include <QGroupBox>
#include <QTimer>

#include "eqgraph/drag_rules.h"
#include "eqgraph/eq_point_list.h"
#include "params/eq_slots.h"
#include "params/page_table.h"
#include "ui/editing/editor.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {

void Editor::Write(ParamAddress a, int value) {
    if (!path_.Set(a, value, pacedWrites_ ? EditPath::Send::Paced : EditPath::Send::Now)) {
        ShowStoredAgain(a);
    }
}

void Editor::ShowStoredAgain(ParamAddress a) {
    // A refused write leaves the stores as they were; a control a gesture moved before it was
    // refused shows the stored value again once the gesture's handlers are done.
    if (!context_) return;
    const bool pending = !refusedPages_.empty();
    refusedPages_.insert(PageOf(a));
    if (pending) return;
    QTimer::singleShot(0, context_.get(), [this] {
        const std::set<int> pages = std::move(refusedPages_);
        refusedPages_.clear();
        for (int page : pages) RefreshPage(page);
    });
}

bool Editor::HeldByEqPass(ParamAddress a) const {
    // What only shows a value again (a click selecting a field) sends nothing and is no edit.
    if (path_.showing()) return false;
    const int page = PageOf(a);
    if (!window_.EqPassOn(page)) return false;
    const EqSlot slot = EqSlotInfo(a);
    return slot.isEq() && EqPassHoldsItem(page, slot.item);
}

GestureScope Editor::Gesture(const void* stepSource) {
    return GestureScope(shared_.refreshInProgress ? nullptr : recorder_, stepSource);
}

void Editor::BeginHeldGesture(QObject* holder) {
    if (holder_ || !recorder_ || shared_.refreshInProgress) return;
    holder_ = holder;
    recorder_->BeginGesture(nullptr);
}

void Editor::EndHeldGesture(QObject* holder) {
    if (!holder_ || holder_ != holder) return;
    holder_ = nullptr;
    if (recorder_) recorder_->EndGesture();
}

void Editor::RecordWrite(ParamAddress a, int value) {
    state_.lastWritten = {a, value};
}

void Editor::Redraw(int item, int page) {
    // The graph is drawn once at the end of a refresh, not for every control it moves.
    if (redraw_ && !shared_.refreshInProgress) redraw_->DrawEqCurve(item, page);
}

void Editor::MakeCurrent(ValueEdit* edit, bool focus) {
    // The focus moves first, so that the edit being left still commits its own typed text.
    if (focus) edit->setFocus(Qt::OtherFocusReason);
    shared_.currentValueEdit = edit;
}

void Editor::OnTrackBarChange(TrackBar* bar) {
    if (state_.trackBarUpdate) return;
    if (HeldByEqPass(bar->tag())) return ShowStoredAgain(bar->tag());
    if (auto* pane = qobject_cast<StatusPane*>(Pane(bar->tag()))) {
        SetValue(pane, kStepNone, false, bar->value());
    }
    shared_.currentValueEdit = controls_.example;
}

void Editor::OnGainBarChange(TrackBar* bar) {
    if (state_.trackBarUpdate) return;
    if (HeldByEqPass(bar->tag())) return ShowStoredAgain(bar->tag());
    if (auto* edit = qobject_cast<ValueEdit*>(Bound(bar->tag()))) {
        shared_.currentValueEdit = edit;
        SetValue(edit, kStepNone, false, bar->value());
    }
}

void Editor::OnValueEditClick(ValueEdit* clicked) {
    auto* edit = qobject_cast<ValueEdit*>(Bound(clicked->tag()));
    if (!edit) return;
    state_.wheelStepping = true;
    MakeCurrent(edit, true);
    state_.lastGoodText = edit->text();
    // Showing the edit's value again stores it and selects its band, but sends nothing.
    {
        const EditPath::ShowOnly showing(path_);
        CommitTypedValue(kStepNone);
    }
    // Like any numeric field: the click selects the whole value, so typing replaces it.
    edit->selectAll();
}

void Editor::OnValueEditKeyPress(ValueEdit* edit, KeyPress* press) {
    shared_.currentValueEdit = edit;
    state_.editChanged = true;
    const QChar c = press->character;
    const bool allowed = c == QLatin1Char('\b') || c == QLatin1Char('\r') ||
                         c == QLatin1Char('-') || c == QLatin1Char('.') ||
                         (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    if (!allowed) press->swallowed = true;
    if (c == QLatin1Char('\r')) OnValueEditLeave();
}

void Editor::OnValueEditKeyDown(ValueEdit* edit, int key, Qt::KeyboardModifiers modifiers) {
    if (!shared_.currentValueEdit || shared_.currentValueEdit == controls_.example) return;
    state_.editChanged = true;
    // With Shift, Ctrl or Alt the arrows edit the text (Shift selects) instead of stepping.
    if (modifiers &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return;
    }
    const bool upDown = key == Qt::Key_Up || key == Qt::Key_Down;
    const bool leftRight = key == Qt::Key_Left || key == Qt::Key_Right;
    // A band's frequency and gain edits share the arrows: left and right step the frequency,
    // up and down the gain, whichever of the two has the focus.
    if (edit->hint() == QLatin1String("2") && upDown) {
        if (auto* gain = qobject_cast<ValueEdit*>(Bound(edit->tag() + 1))) OnValueEditClick(gain);
    } else if (edit->hint() == QLatin1String("3") && leftRight) {
        if (auto* frequency = qobject_cast<ValueEdit*>(Bound(edit->tag() - 1))) {
            OnValueEditClick(frequency);
        }
    }
    if (key == Qt::Key_Up || key == Qt::Key_Right) CommitTypedValue(kStepUp);
    if (key == Qt::Key_Down || key == Qt::Key_Left) CommitTypedValue(kStepDown);
}

void Editor::OnValueEditLeave() {
    ValueEdit* edit = shared_.currentValueEdit;
    if (edit && edit->text().isEmpty()) return RestoreLastGoodText();
    if (state_.editChanged) CommitTypedValue(kStepNone);
    state_.editChanged = false;
}

void Editor::OnSpinButton(SpinButtons* spin, bool up) {
    QWidget* control = Bound(spin->tag());
    if (auto* edit = qobject_cast<ValueEdit*>(control)) {
        MakeCurrent(edit, true);
        CommitTypedValue(up ? kStepUp : kStepDown);
    } else if (auto* bar = qobject_cast<TrackBar*>(control)) {
        bar->setValue(bar->value() + (up ? 1 : -1));
    }
}

void Editor::RunTypeSelector(Selector* selector, int item) {
    const ParamAddress a = selector->tag();
    if (HeldByEqPass(a)) return ShowStoredAgain(a);
    if (item >= 0 && item <= 3) {
        QWidget* companion = Companion(a, item);
        if (qobject_cast<BitmapButton*>(companion)) {
            ControlAction(Companion(a, std::min(item, 2)), kActionTrigger);
        } else if (qobject_cast<TypeLabel*>(companion)) {
            ControlAction(Companion(a, std::min(item, 3)), kActionTypeLabel);
        }
    }
    if (path_.showing() || item < 0) return;
    Write(a, item);
    if (qobject_cast<TypeLabel*>(Companion(a, 0))) {
        // The Q field the new type uses, shown within that type's limit.
        const ParamAddress q = a + (item < 2 ? kFieldQ : kFieldShelfQ);
        if (auto* edit = qobject_cast<ValueEdit*>(Bound(q))) {
            shared_.currentValueEdit = edit;
            SetValue(edit, kStepNone, true, model_.store().Get(q));
        }
    }
    RecordWrite(a, item);
}

void Editor::OnTypeSelectorChange(Selector* selector) {
    RunTypeSelector(selector, selector->currentIndex());
}

void Editor::OnTypeLabelClick(TypeLabel* label) {
    auto* selector = qobject_cast<Selector*>(Bound(label->tag()));
    if (!selector) return;
    const int item = label->hint().toInt();
    selector->setCurrentIndex(item);
    RunTypeSelector(selector, item);
}

void Editor::OnTriggerButtonClick(BitmapButton* button) {
    for (Selector* group : controls_.triggerSelectors) {
        if (!group) continue;
        bool inGroup = false;
        for (int entry = 0; entry < 3; ++entry) inGroup |= Companion(group->tag(), entry) == button;
        if (!inGroup) continue;
        if (auto* selector = qobject_cast<Selector*>(Bound(group->tag()))) {
            selector->setCurrentIndex(button->tag());
            RunTypeSelector(selector, button->tag());
        }
        return;
    }
}

void Editor::OnCrossoverSelectorChange(Selector* selector) {
    const ParamAddress a = selector->tag();
    if (HeldByEqPass(a)) return ShowStoredAgain(a);
    Write(a, selector->currentIndex());
    // The graph items of the two filters follow the bands of the page.
    const int bands = PageLayoutOf(PageOf(a)).bandCount;
    const bool lowPass = selector->hint() == QLatin1String("21");
    Redraw(lowPass ? bands + 1 : bands, channel_.selectedPage);
}

void Editor::OnPlainSelectorChange(Selector* selector) {
    Write(selector->tag(), selector->currentIndex());
}

void Editor::OnPhaseButtonClick(BitmapButton* button) {
    const int v = ControlAction(button, kActionPhase);
    Write(button->tag(), v);
}

void Editor::OnMuteButtonClick(BitmapButton* button) {
    const int v = ControlAction(button, kActionToggle);
    Write(button->tag(), v);
}

void Editor::OnEqPassClick(BitmapButton* button) {
    const int v = ControlAction(button, kActionToggle);
    const int page = PageOf(button->tag());
    window_.SetEqPass(page, v != 0);
    Write(button->tag(), v);
    if (controls_.eqPassLabel) controls_.eqPassLabel->setVisible(v != 0);
    ResetButtonUpdate();
    // The graph shows what the processor does: the flat line, or the bands' curve again.
    Redraw(kAllItems, page);
}

void Editor::OnAutoManualClick(BitmapButton* button) {
    const int v = ControlAction(button, kActionAutoManual);
    Write(0x00A0, v);
    channel_.manualFlag = v;
    OutputEnabling(v);
}

void Editor::OnSwitchClick(BitmapButton* button) {
    const ParamAddress a = button->tag();
    const SwitchPair* pair = SwitchPairOf(a);
    if (pair && pair->assignsHints) {
        pair->first->setHint(QStringLiteral("0"));
        if (pair->second) pair->second->setHint(QStringLiteral("1"));
    }
    if (pair && a == 0x1E08 && pair->second) {
        // The user / manager pair stays disabled after the choice; the chosen one still reads as
        // selected.
        pair->first->setDisabledShowsPressed(button == pair->first);
        pair->second->setDisabledShowsPressed(button == pair->second);
        if (controls_.userManagerGroup) controls_.userManagerGroup->setEnabled(false);
    }
    const int v = ControlAction(button, kActionSwitch);
    Write(a, v);
}

}  // namespace zt
