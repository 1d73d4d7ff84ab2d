#include "ui/editing/editing_parts.h"

#include "ui/widgets/control_props.h"

namespace zt {

int ValueKindOf(const QWidget* control) {
    const ControlProps* props = PropsOf(const_cast<QWidget*>(control));
    return props ? props->valueKind().value_or(0) : 0;
}

QWidget* EditingParts::Bound(ParamAddress a) const {
    return binding && IsStoreAddress(a) ? binding->BoundControl(a) : nullptr;
}

QWidget* EditingParts::Pane(ParamAddress a) const {
    return binding && IsStoreAddress(a) ? binding->BoundPane(a) : nullptr;
}

QWidget* EditingParts::Companion(ParamAddress a, int entry) const {
    if (!binding || !IsStoreAddress(a) || entry < 0 || entry > 3) return nullptr;
    return binding->BoundCompanion(a, entry);
}

GestureScope EditingParts::Gesture(const void* stepSource) const {
    return GestureScope(shared.refreshInProgress ? nullptr : recorder, stepSource);
}

void EditingParts::BeginHeldGesture(QObject* holder) {
    if (holder_ || !recorder || shared.refreshInProgress) return;
    holder_ = holder;
    recorder->BeginGesture(nullptr);
}

void EditingParts::EndHeldGesture(QObject* holder) {
    if (!holder_ || holder_ != holder) return;
    holder_ = nullptr;
    if (recorder) recorder->EndGesture();
}

void EditingParts::Redraw(int item, int page) const {
    if (redraw && !shared.refreshInProgress) redraw->DrawEqCurve(item, page);
}

}  // namespace zt
