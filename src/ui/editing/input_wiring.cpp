#include "ui/editing/input_wiring.h"

#include <algorithm>

#include "params/page_table.h"
#include "ui/editing/band_selection.h"
#include "ui/editing/button_looks.h"
#include "ui/editing/editing_parts.h"
#include "ui/editing/input_handlers.h"
#include "ui/editing/volume_bars.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {

void InputWiring::Connect(const ControlRegistry& registry, QObject* context) {
    for (QWidget* control : registry.InCreationOrder()) {
        if (auto* bar = qobject_cast<TrackBar*>(control)) {
            ConnectTrackBar(bar, context);
        } else if (auto* edit = qobject_cast<ValueEdit*>(control)) {
            ConnectValueEdit(edit, context);
        } else if (auto* spin = qobject_cast<SpinButtons*>(control)) {
            QObject::connect(spin, &SpinButtons::upClicked, context, [this, spin] {
                auto gesture = parts_.Gesture(spin);
                handlers_.OnSpinButton(spin, true);
            });
            QObject::connect(spin, &SpinButtons::downClicked, context, [this, spin] {
                auto gesture = parts_.Gesture(spin);
                handlers_.OnSpinButton(spin, false);
            });
        } else if (auto* selector = qobject_cast<Selector*>(control)) {
            ConnectSelector(selector, context);
        } else if (auto* label = qobject_cast<TypeLabel*>(control)) {
            QObject::connect(label, &TypeLabel::clicked, context, [this, label] {
                auto gesture = parts_.Gesture();
                handlers_.OnTypeLabelClick(label);
            });
        } else if (auto* button = qobject_cast<BitmapButton*>(control)) {
            ConnectBitmapButton(button, context);
        }
    }
    volumes_.ConnectRangeHandles(context);
    for (int box = 0; box < 3; ++box) {
        if (QAbstractSlider* bar = parts_.controls.bandScrollBars[box]) {
            QObject::connect(bar, &QAbstractSlider::valueChanged, context,
                             [this, box](int position) { bands_.OnBandScroll(box, position); });
        }
    }
}

void InputWiring::ConnectTrackBar(TrackBar* bar, QObject* context) {
    // A drag of the handle is one gesture from press to release, however many values it passes;
    // outside a drag (keys, the wheel, clicks beside the handle) the bar steps.
    QObject::connect(bar, &QAbstractSlider::sliderPressed, context,
                     [this, bar] { parts_.BeginHeldGesture(bar); });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, context,
                     [this, bar] { parts_.EndHeldGesture(bar); });
    void (InputHandlers::*handler)(TrackBar*) = &InputHandlers::OnGainBarChange;
    if (volumes_.IsVolumeBar(bar)) {
        QObject::connect(bar, &QAbstractSlider::valueChanged, context, [this, bar] {
            auto gesture = parts_.Gesture(bar);
            volumes_.OnVolumeBarChange(bar);
        });
        return;
    }
    if (parts_.Bound(bar->tag()) == bar || bar == parts_.controls.rightDelayBar) {
        handler = &InputHandlers::OnTrackBarChange;
    }
    // Otherwise band gain bars, and the bars of the point editor panel that carry no address.
    QObject::connect(bar, &QAbstractSlider::valueChanged, context, [this, bar, handler] {
        auto gesture = parts_.Gesture(bar);
        (handlers_.*handler)(bar);
    });
}

void InputWiring::ConnectValueEdit(ValueEdit* edit, QObject* context) {
    QObject::connect(edit, &PlainEdit::clicked, context, [this, edit] {
        auto gesture = parts_.Gesture();
        handlers_.OnValueEditClick(edit);
    });
    QObject::connect(edit, &PlainEdit::keyPressed, context, [this, edit](KeyPress* press) {
        auto gesture = parts_.Gesture();
        handlers_.OnValueEditKeyPress(edit, press);
    });
    QObject::connect(edit, &PlainEdit::keyDown, context,
                     [this, edit](int key, Qt::KeyboardModifiers modifiers) {
                         const bool step = key == Qt::Key_Up || key == Qt::Key_Down ||
                                           key == Qt::Key_Left || key == Qt::Key_Right;
                         auto gesture = parts_.Gesture(step ? edit : nullptr);
                         handlers_.OnValueEditKeyDown(edit, key, modifiers);
                     });
    QObject::connect(edit, &PlainEdit::left, context, [this] {
        auto gesture = parts_.Gesture();
        handlers_.OnValueEditLeave();
    });
}

void InputWiring::ConnectSelector(Selector* selector, QObject* context) {
    const ParamAddress a = selector->tag();
    const bool bound = parts_.Bound(a) == selector;
    QWidget* first = parts_.Companion(a, 0);
    const int kind = ValueKindOf(selector);
    void (InputHandlers::*handler)(Selector*) = nullptr;
    if (bound && (qobject_cast<TypeLabel*>(first) || qobject_cast<BitmapButton*>(first))) {
        handler = &InputHandlers::OnTypeSelectorChange;
    } else if (kind == kHighPassSelectorKind || kind == kLowPassSelectorKind) {
        handler = &InputHandlers::OnCrossoverSelectorChange;
    } else if (bound && PageOf(a) == kSystemPage && selector != parts_.controls.modeBox) {
        // The input choices of the system page; the mode list has handlers of its own.
        handler = &InputHandlers::OnPlainSelectorChange;
    }
    if (!handler) return;
    QObject::connect(selector, &QComboBox::activated, context, [this, selector, handler] {
        auto gesture = parts_.Gesture();
        (handlers_.*handler)(selector);
    });
}

void InputWiring::ConnectBitmapButton(BitmapButton* button, QObject* context) {
    const EditorControls& c = parts_.controls;
    auto on = [&](void (InputHandlers::*handler)(BitmapButton*)) {
        QObject::connect(button, &QAbstractButton::clicked, context, [this, button, handler] {
            auto gesture = parts_.Gesture();
            (handlers_.*handler)(button);
        });
    };
    auto in = [button](const auto& list) {
        return std::find(list.begin(), list.end(), button) != list.end();
    };
    if (in(c.sceneButtons) || in(c.sideButtons) || button == c.eqResetButton) return;
    if (in(c.autoManualButtons)) return on(&InputHandlers::OnAutoManualClick);
    if (button == c.eqPassButton) return on(&InputHandlers::OnEqPassClick);
    for (const SwitchPair& pair : c.switches) {
        if (button == pair.first || button == pair.second) {
            return on(&InputHandlers::OnSwitchClick);
        }
    }
    if (looks_.triggers.GroupOf(button)) return on(&InputHandlers::OnTriggerButtonClick);
    const bool mute = button == c.leftMute || button == c.rightMute;
    if (!mute && parts_.Bound(button->tag()) != button) return;
    // The output's two mutes aside, every bound toggle is a phase button.
    looks_.toggles.Note(button, mute ? ToggleLooks::Kind::Mute : ToggleLooks::Kind::Phase);
    on(&InputHandlers::OnToggleClick);
}

}  // namespace zt
