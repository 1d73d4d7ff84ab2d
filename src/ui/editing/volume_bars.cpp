#include "ui/editing/volume_bars.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "eqgraph/nearest.h"
#include "ui/editing/edit_writes.h"
#include "ui/editing/editing_parts.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"

namespace zt {
namespace {

// Left edge of a range marker for a volume 0..84 on the scale of the system page.
int MarkerLeft(int volume) {
    return static_cast<int>(
        std::nearbyint(volume * VolumeBars::kPixelsPerStep + VolumeBars::kLeftmost));
}

}  // namespace

const VolumeGroup* VolumeBars::GroupOf(const QObject* control) const {
    if (!control) return nullptr;
    for (const VolumeGroup& group : parts_.controls.volumeGroups) {
        if (control == group.normal || control == group.start || control == group.maximum ||
            control == group.startMarker || control == group.maximumMarker) {
            return &group;
        }
    }
    return nullptr;
}

bool VolumeBars::IsVolumeBar(const TrackBar* bar) const {
    return bar && GroupOf(bar);
}

void VolumeBars::OnVolumeBarChange(TrackBar* bar) {
    const VolumeGroup* group = GroupOf(bar);
    if (!group) return;
    auto* pane = qobject_cast<StatusPane*>(parts_.Pane(bar->tag()));
    const int role = bar == group->normal ? 0 : bar == group->start ? 1 : 2;
    const int previous = previous_[bar];
    // A normal volume rises one step per change however far it is dragged; it falls freely.
    if (bar == group->normal && bar->value() > previous + 1 && !parts_.path.showing()) {
        bar->setValue(previous + 1);  // the change this raises does the rest
        return;
    }
    VolumeLimits(group->normal, group->start, group->maximum, role, pane);
    previous_[bar] = bar->value();
    if (group->startMarker && group->start) {
        group->startMarker->move(MarkerLeft(group->start->value()), group->startMarker->y());
    }
    if (group->maximumMarker && group->maximum) {
        group->maximumMarker->move(MarkerLeft(group->maximum->value()), group->maximumMarker->y());
    }
    if (bar != group->normal && pane) {
        if (auto* label = qobject_cast<QLabel*>(group->label)) {
            label->setText(QString::number(bar->value()));
        }
    }
    writes_.Write(bar->tag(), bar->value());
}

void VolumeBars::ShowPosition(TrackBar* bar, int value) {
    const int before = bar->value();
    bar->setValue(value);
    // A bar that moved ran its change handler through its signal.
    if (bar->value() == before) OnVolumeBarChange(bar);
}

void VolumeBars::VolumeLimits(TrackBar* normal, TrackBar* start, TrackBar* maximum, int moved,
                              StatusPane* pane) {
    if (!normal || !start || !maximum) return;
    TrackBar* bars[] = {normal, start, maximum};
    if (moved < 0 || moved > 2) return;
    if (!parts_.path.showing()) {
        if (moved < 2) {
            if (bars[moved]->value() > maximum->value()) bars[moved]->setValue(maximum->value());
        } else {
            if (start->value() > maximum->value()) start->setValue(maximum->value());
            if (normal->value() > maximum->value()) normal->setValue(maximum->value());
        }
    }
    if (pane) pane->setCaption(QString::number(bars[moved]->value()));
}

void VolumeBars::ConnectRangeHandles(QObject* context) {
    for (const VolumeGroup& group : parts_.controls.volumeGroups) {
        for (RangeHandle* handle : {group.startMarker, group.maximumMarker}) {
            if (!handle) continue;
            QObject::connect(handle, &RangeHandle::pressed, context,
                             [this, handle](QPoint at, Qt::MouseButton button) {
                                 OnHandlePress(handle, at, button);
                             });
            QObject::connect(handle, &RangeHandle::moved, context,
                             [this, handle](QPoint at) { OnHandleMove(handle, at); });
            QObject::connect(handle, &RangeHandle::released, context,
                             [this, handle] { OnHandleRelease(handle); });
        }
    }
}

void VolumeBars::OnHandlePress(RangeHandle* handle, QPoint position, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    parts_.BeginHeldGesture(handle);
    if (!parts_.path.TakesEdits()) return;
    drag_ = {handle, position};
}

void VolumeBars::OnHandleMove(RangeHandle* handle, QPoint position) {
    if (drag_.handle != handle) return;
    int left = std::clamp(handle->x(), kLeftmost, kRightmost);
    if (position.x() != drag_.grabPoint.x()) left += position.x() - drag_.grabPoint.x();
    handle->move(left, handle->y());
    const VolumeGroup* group = GroupOf(handle);
    if (group && group->label) group->label->show();
    if (auto* bar = qobject_cast<TrackBar*>(parts_.Bound(handle->tag()))) {
        // The bar's change handler stores and sends the value and places the handles again.
        bar->setValue(static_cast<int>(Nearest((left - kLeftmost) / kPixelsPerStep)));
    }
}

void VolumeBars::OnHandleRelease(RangeHandle* handle) {
    parts_.EndHeldGesture(handle);
    if (!drag_.handle) return;
    drag_ = {};
    for (const VolumeGroup& group : parts_.controls.volumeGroups) {
        if (group.label) group.label->hide();
    }
}

}  // namespace zt
