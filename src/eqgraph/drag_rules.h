#pragma once
// How the markers of the EQ graph may be dragged on each sheet of the page container, and
// what a drag step makes of a marker's position: the clamps of the plot and of the
// frequency and gain ranges, and the frequency index and gain step it stands for.

#include "eqgraph/graph_mapping.h"

namespace zt {

// Sheets of the page container that have rules of their own.
inline constexpr int kMusicSheet = 0;
inline constexpr int kOutputSheet = 3;
inline constexpr int kDynamicEqSheet = 8;

enum class MarkerMovement {
    Free,        // follows the pointer
    Horizontal,  // follows the pointer's x only
    Fixed,       // stays where it is; the drag still reads its position
};

// The movement table of a sheet: markers below `freeBelow` move freely, the rest up to 21
// move `others`; markers below `passLockBelow` ignore moves while the EQ pass is on.
struct SheetMovement {
    int freeBelow = 22;
    MarkerMovement others = MarkerMovement::Free;
    int passLockBelow = 0;
};

// Sheets 0 to 8; sheets without EQ bands move everything freely.
SheetMovement MovementOfSheet(int sheet);
MarkerMovement MovementOf(int sheet, int marker);
bool LockedByEqPass(int sheet, int marker);
// Whether the EQ pass, while on, holds item `item` (a band, or the high-pass and low-pass after
// the bands) of logical page `page` as it holds that item's marker on the page's sheet: the
// processor passes the signal by it, and no gesture may change it.
bool EqPassHoldsItem(int page, int item);

// Editing of the graph is locked out while the output sheet shows automatic mode.
bool EditingLockedOut(int sheet, bool automaticMode);

// Where a marker sits (its top-left corner in plot pixels) and how far the pointer moved.
struct MarkerDrag {
    int sheet = 0;
    int left = 0;
    int top = 0;
    int dx = 0;
    int dy = 0;
    int size = 14;  // markers are square
};

struct DragOutcome {
    int left = 0;  // the marker's new corner
    int top = 0;
    int frequencyHz = 0;
    double gainDb = 0;
    float frequencyIndex = 0;  // index into the frequency table
    float gainStep = 0;        // (gain + 24) x 5
};

// Lowest and highest frequency a marker's centre can be dragged to.
inline constexpr double kDragLowestHz = 19.5;
inline constexpr int kDragHighestHz = 20600;
// The dynamic EQ's bands do not go below this gain.
inline constexpr int kDynamicEqLowestGain = -12;

// One drag step of an unlocked marker; `dx` and `dy` already follow MovementOf.
DragOutcome DragStep(const MarkerDrag& drag, const GraphMapping& mapping);

}  // namespace zt
