#include "ui/editing/wheel_stepping.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

#include "ui/editing/editing_parts.h"
#include "ui/editing/value_setter.h"

namespace zt {
namespace {

constexpr int kWheelNotch = 120;

// The window's mouse wheel: while a value edit is selected for stepping, a turn steps it and
// the wheel goes no further.
class WheelFilter : public QObject {
public:
    WheelFilter(WheelStepping& stepping, QWidget* window)
        : QObject(window), stepping_(stepping), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || !watched->isWidgetType()) return false;
        if (static_cast<QWidget*>(watched)->window() != window_) return false;
        return stepping_.Step(static_cast<QWheelEvent*>(event)->angleDelta().y());
    }

private:
    WheelStepping& stepping_;
    QWidget* window_;
};

}  // namespace

WheelStepping::~WheelStepping() {
    // The window may outlive the stepping; the filter goes with it.
    delete filter_;
}

void WheelStepping::Watch(QWidget* window) {
    if (!window || !qApp || filter_) return;
    filter_ = new WheelFilter(*this, window);  // removes itself when deleted
    qApp->installEventFilter(filter_);
}

bool WheelStepping::Step(int angleDelta) {
    EditState& state = parts_.state;
    ValueEdit* edit = parts_.shared.currentValueEdit;
    if (!state.wheelStepping || !edit || edit == parts_.controls.example ||
        !parts_.path.TakesEdits()) {
        return false;
    }
    auto gesture = parts_.Gesture(edit);
    state.wheelRemainder += angleDelta;
    while (state.wheelRemainder >= kWheelNotch) {
        state.wheelRemainder -= kWheelNotch;
        setter_.CommitTypedValue(kStepUp);
    }
    while (state.wheelRemainder <= -kWheelNotch) {
        state.wheelRemainder += kWheelNotch;
        setter_.CommitTypedValue(kStepDown);
    }
    return true;
}

void WheelStepping::End() {
    parts_.state.wheelStepping = false;
    parts_.state.wheelRemainder = 0;
}

}  // namespace zt
