#include "ui/eqgraph/range_handle_drag.h"

#include <algorithm>

#include "eqgraph/nearest.h"
#include "ui/editing/editor.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/track_bar.h"

namespace zt {

RangeHandleDrag::RangeHandleDrag(Editor& editor, const BindingLookup& binding, DragState& drag)
    : editor_(editor), binding_(binding), drag_(drag) {}

void RangeHandleDrag::Connect() {
    for (const VolumeGroup& group : editor_.controls().volumeGroups) {
        for (RangeHandle* handle : {group.startMarker, group.maximumMarker}) {
            if (!handle) continue;
            QObject::connect(
                handle, &RangeHandle::pressed, this,
                [this, handle](QPoint at, Qt::MouseButton button) { OnPress(handle, at, button); });
            QObject::connect(handle, &RangeHandle::moved, this,
                             [this, handle](QPoint at) { OnMove(handle, at); });
            QObject::connect(handle, &RangeHandle::released, this, [this] { OnRelease(); });
        }
    }
}

QWidget* RangeHandleDrag::LabelOf(const RangeHandle* handle) const {
    for (const VolumeGroup& group : editor_.controls().volumeGroups) {
        if (handle == group.startMarker || handle == group.maximumMarker) return group.label;
    }
    return nullptr;
}

void RangeHandleDrag::OnPress(RangeHandle* handle, QPoint position, Qt::MouseButton button) {
    if (button != Qt::LeftButton || !editor_.TakesEdits()) return;
    drag_.grabPoint = position;
    drag_.dragging = true;
    drag_.grabbed = handle->tag();
}

void RangeHandleDrag::OnMove(RangeHandle* handle, QPoint position) {
    if (!drag_.dragging || drag_.grabbed != handle->tag()) return;
    int left = std::clamp(handle->x(), kLeftmost, kRightmost);
    if (position.x() != drag_.grabPoint.x()) left += position.x() - drag_.grabPoint.x();
    handle->move(left, handle->y());
    if (QWidget* label = LabelOf(handle)) label->show();
    if (auto* bar = qobject_cast<TrackBar*>(binding_.BoundControl(handle->tag()))) {
        // The bar's change handler stores and sends the value and places the handles again.
        bar->setValue(static_cast<int>(Nearest((left - kLeftmost) / kPixelsPerStep)));
    }
}

void RangeHandleDrag::OnRelease() {
    if (!drag_.dragging) return;
    drag_.dragging = false;
    for (const VolumeGroup& group : editor_.controls().volumeGroups) {
        if (group.label) group.label->hide();
    }
}

}  // namespace zt
