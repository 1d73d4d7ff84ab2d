#include "eqgraph/drag_rules.h"

#include <algorithm>
#include <array>

#include "eqgraph/eq_point_list.h"
#include "eqgraph/nearest.h"
#include "params/page_table.h"
#include "params/value_scales.h"

namespace zt {
namespace {

using M = MarkerMovement;

// Sheets 0 music, 1 microphone, 2 effect, 3 output, 4 hint, 5 and 6 empty, 7 system, 8 dynamic
// EQ. The filters (20, 21) always come after the bands.
constexpr std::array<SheetMovement, 9> kSheetMovements{{
    {15, M::Horizontal, 22},
    {20, M::Horizontal, 20},
    {7, M::Horizontal, 7},
    {10, M::Horizontal, 10},
    {5, M::Fixed, 5},
    {22, M::Free, 0},
    {22, M::Free, 0},
    {22, M::Free, 0},
    {3, M::Fixed, 3},
}};

}  // namespace

SheetMovement MovementOfSheet(int sheet) {
    if (sheet < 0 || sheet >= static_cast<int>(kSheetMovements.size())) return {};
    return kSheetMovements[sheet];
}

MarkerMovement MovementOf(int sheet, int marker) {
    const SheetMovement rules = MovementOfSheet(sheet);
    return marker < rules.freeBelow ? MarkerMovement::Free : rules.others;
}

bool LockedByEqPass(int sheet, int marker) {
    return marker >= 0 && marker < MovementOfSheet(sheet).passLockBelow;
}

bool EqPassHoldsItem(int page, int item) {
    // Each page's sheet has the number of the page's EQ family.
    const int sheet = PageKind(MakeAddress(page, 0));
    return LockedByEqPass(sheet, MarkerOfItem(item, EqGraphLayoutOf(page).bands));
}

bool EditingLockedOut(int sheet, bool automaticMode) {
    return sheet == kOutputSheet && automaticMode;
}

DragOutcome DragStep(const MarkerDrag& drag, const GraphMapping& m) {
    const int half = drag.size / 2;
    DragOutcome out;
    out.left = drag.left + drag.dx;
    out.top = drag.top + drag.dy;

    // The centre stays inside the plot vertically, and at or right of the lowest frequency.
    out.top = std::clamp(out.top, -half, std::max(-half, NearestPixel(m.height - half)));
    if (out.left < m.XOfFrequency(kDragLowestHz) - half) {
        out.left = NearestPixel(m.XOfFrequency(kDragLowestHz)) - half;
    }

    // Compared before it becomes a whole number: far right of the plot the frequency would not
    // fit one.
    const double hz = Nearest(m.FrequencyOfX(out.left + half));
    out.frequencyHz = static_cast<int>(std::min(hz, static_cast<double>(kDragHighestHz)));
    if (hz > kDragHighestHz) out.left = NearestPixel(m.XOfFrequency(kDragHighestHz) - half);
    double gain = m.GainOfY(out.top + half);
    gain = std::clamp(gain, static_cast<double>(kGainBottom), static_cast<double>(kGainTop));
    if (drag.sheet == kDynamicEqSheet && gain < kDynamicEqLowestGain) {
        gain = kDynamicEqLowestGain;
        out.top = NearestPixel(m.YOfGain(kDynamicEqLowestGain) - half);
    }
    out.gainDb = gain;
    out.frequencyIndex = static_cast<float>(ParseValue(kKindFrequency, out.frequencyHz));
    out.gainStep = static_cast<float>(Nearest((gain + 24.0) * 5.0));
    return out;
}

}  // namespace zt
