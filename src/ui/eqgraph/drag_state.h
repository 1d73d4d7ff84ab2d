#pragma once
// The one drag state of the EQ graph's markers, shared by the six range handles of the system
// page.

#include <QPoint>

namespace zt {

struct DragState {
    bool dragging = false;  // from a left press on a marker (or range handle) to its release
    int grabbed = -1;       // marker index 0..21 (a range handle: its address), -1 none
    QPoint grabPoint;       // pointer position in the grabbed control's own coordinates
    bool qMode = false;     // a right press on a band marker until the right button is released
    QPoint lastStep;        // pointer position on Image1 at the last Q step
    int editedItem = -1;    // marker index of the last moved marker
    float newFrequencyIndex = 0;
    float newGainStep = 0;
    float lastFrequencyIndex = 0;
    float lastGainStep = 0;
};

}  // namespace zt
