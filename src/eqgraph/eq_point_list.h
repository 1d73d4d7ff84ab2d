#pragma once
// The items of the EQ graph for one channel page: its EQ bands, then its high-pass and
// low-pass filters, loaded from the ParamStore, each with the response it was last drawn with.

#include <array>

#include "eqgraph/response_grid.h"
#include "params/page_table.h"
#include "params/param_address.h"

namespace zt {

inline constexpr int kEqItemCapacity = 22;  // up to 20 bands, the high-pass, the low-pass
inline constexpr int kHighPassEntry = 20;   // marker and control entry of the high-pass
inline constexpr int kLowPassEntry = 21;    // and of the low-pass
inline constexpr int kAllItems = 100;       // item number of a full load or redraw
inline constexpr int kFirstPageWithoutGraph = 28;

// Frequency drawn for a high-pass switched off by frequency index 0.
inline constexpr float kHighPassOffHz = 19.0f;

struct EqPoint {
    int type = 0;            // PointTypeCode (the low byte is drawn)
    float frequency = 0.0f;  // Hz
    float gain = 0.0f;       // dB; 0 for the filters
    float q = 0.0f;          // Q of a PEQ, slope of a shelf
    ResponseArray response{};
    // The slots whose controls show the item's frequency index, gain step and Q; -1 where
    // the item has none (the filters' gain and Q). A filter's frequency is shown by the value
    // pane of its frequency bar, a band's by its frequency edit.
    ParamAddress frequencySlot = -1;
    ParamAddress gainSlot = -1;
    ParamAddress qSlot = -1;
    bool frequencyOnPane = false;
};

// How the graph reads a page: its bands and, where it draws them, its filters.
struct EqGraphLayout {
    int bands = 0;
    int firstBandSlot = 0;
    int bandStep = 5;
    CrossoverSlots highPass;  // !exists(): drawn without filters
    CrossoverSlots lowPass;
    bool hasFilters() const { return highPass.exists() && lowPass.exists(); }
};

// Pages 7..23 and 26..27 have band layouts but no crossover type boxes of their own, so they
// are drawn without filters; pages from 28 on are not drawn.
EqGraphLayout EqGraphLayoutOf(int page);

struct EqPointList {
    std::array<EqPoint, kEqItemCapacity> items;
    int lastItem = -1;  // LastItem: the last item in use
    int page = -1;      // page of the last load
};

// The item index of the high-pass (bands) and low-pass (bands + 1) on a page with filters.
// Returns (bands - 1) + 100 x (2 with filters, else 0); -1 for a page that is not drawn.
int LoadEqPoints(int item, int page, const ParamStore& store, EqPointList& list);

// LastItem from a LoadEqPoints result.
constexpr int LastItemOf(int loaded) {
    return loaded % 100 + loaded / 100;
}

// The marker (0..21) that shows item `item` of a page with `bands` bands.
int MarkerOfItem(int item, int bands);

}  // namespace zt
