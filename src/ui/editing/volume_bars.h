#pragma once
// The three volume groups of the system page (music, microphone, effect): the normal, start and
// maximum bars with their limits, the normal volume's one-step rise, and the range handles that
// mark the start and maximum on the scale and drag them. A handle's drag has a state of its own;
// the EQ graph's markers and the spectrum behind them know nothing of it.

#include <QPoint>
#include <unordered_map>

#include "params/param_address.h"

class QObject;

namespace zt {

struct EditingParts;
struct VolumeGroup;
class EditWrites;
class RangeHandle;
class StatusPane;
class TrackBar;

class VolumeBars {
public:
    // The handle's left edge at the bar's raw 0 and at its end, and pixels per raw step.
    static constexpr int kLeftmost = 53;
    static constexpr int kRightmost = 211;
    static constexpr double kPixelsPerStep = 1.89;

    VolumeBars(EditingParts& parts, EditWrites& writes) : parts_(parts), writes_(writes) {}

    bool IsVolumeBar(const TrackBar* bar) const;
    // The change of a volume bar: limits, the markers, the label and the write.
    void OnVolumeBarChange(TrackBar* bar);
    // Moves a volume bar to `value` as a refresh shows it: its change runs even when the bar
    // stands at the value already, so that its pane and markers show it.
    void ShowPosition(TrackBar* bar, int value);
    // Keeps a volume group's start and normal bars at or below its maximum bar.
    void VolumeLimits(TrackBar* normal, TrackBar* start, TrackBar* maximum, int moved,
                      StatusPane* pane);

    // Connects the range handles once: a drag moves the handle's bar and is one gesture of
    // the edit history. `context` receives the connections.
    void ConnectRangeHandles(QObject* context);
    bool dragging() const { return drag_.handle != nullptr; }

private:
    const VolumeGroup* GroupOf(const QObject* barOrHandle) const;
    void OnHandlePress(RangeHandle* handle, QPoint position, Qt::MouseButton button);
    void OnHandleMove(RangeHandle* handle, QPoint position);
    void OnHandleRelease(RangeHandle* handle);

    struct HandleDrag {
        const RangeHandle* handle = nullptr;  // the handle the left button holds
        QPoint grabPoint;                     // where it was grabbed, in its own coordinates
    };

    EditingParts& parts_;
    EditWrites& writes_;
    HandleDrag drag_;
    // Each bar's position after its last change: the normal volume rises one step from it.
    std::unordered_map<const TrackBar*, int> previous_;
};

}  // namespace zt
