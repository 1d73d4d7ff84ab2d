#include "eqgraph/eq_point_list.h"

#include <utility>

#include "params/value_tables.h"

namespace zt {
namespace {

// Band types from "LSEQ" on take their Q from the slope slot.
constexpr int kFirstShelfType = 2;

void LoadFilter(EqPoint& point, const ParamStore& store, int page, CrossoverSlots slots,
                int typeBase, int offIndex, float offHz) {
    const int index = store.Get(page, slots.frequencySlot);
    point.type = store.Get(page, slots.typeSlot) + typeBase;
    point.frequency = static_cast<float>(FrequencyHz(index));
    if (index == offIndex) {
        point.type = typeBase;
        point.frequency = offHz;
    }
    point.gain = 0.0f;
    point.q = 0.0f;
    point.frequencySlot = MakeAddress(page, slots.frequencySlot);
    point.gainSlot = -1;
    point.qSlot = -1;
    point.frequencyOnPane = true;
}

void LoadBand(EqPoint& point, const ParamStore& store, int page, int first) {
    const int type = store.Get(page, first + kFieldType);
    point.type = type;
    point.frequency = static_cast<float>(FrequencyHz(store.Get(page, first + kFieldFrequency)));
    point.gain = static_cast<float>(store.Get(page, first + kFieldGain)) / 5.0f - 24.0f;
    const int qField = type >= kFirstShelfType ? kFieldShelfQ : kFieldQ;
    point.q = static_cast<float>(QValue(store.Get(page, first + qField)));
    point.frequencySlot = MakeAddress(page, first + kFieldFrequency);
    point.gainSlot = MakeAddress(page, first + kFieldGain);
    point.qSlot = MakeAddress(page, first + kFieldQ);
    point.frequencyOnPane = false;
}

}  // namespace

EqGraphLayout EqGraphLayoutOf(int page) {
    if (page < 0 || page >= kFirstPageWithoutGraph) return {};
    const PageLayout& layout = PageLayoutOf(page);
    EqGraphLayout graph{layout.bandCount, layout.firstBandSlot, layout.bandStep, {}, {}};
    const bool drawsFilters = page <= 6 || page == 24;
    if (drawsFilters && layout.highPass.exists() && layout.lowPass.exists()) {
        graph.highPass = layout.highPass;
        graph.lowPass = layout.lowPass;
    }
    return graph;
}

int LoadEqPoints(int item, int page, const ParamStore& store, EqPointList& list) {
    const EqGraphLayout layout = EqGraphLayoutOf(page);
    if (layout.bands <= 0) return -1;
    list.page = page;
    const int bands = layout.bands;
    if (layout.hasFilters()) {
        EqPoint& high = list.items[bands];
        LoadFilter(high, store, page, layout.highPass, 100, 0, kHighPassOffHz);
        EqPoint& low = list.items[bands + 1];
        LoadFilter(low, store, page, layout.lowPass, 200, kFrequencyCount - 1,
                   static_cast<float>(FrequencyHz(kFrequencyCount - 1)));
        // The markers of the filters find their frequency controls in entries 20 and 21.
        for (const auto& [entry, filter] :
             {std::pair{kHighPassEntry, &high}, std::pair{kLowPassEntry, &low}}) {
            EqPoint& controls = list.items[entry];
            controls.frequencySlot = filter->frequencySlot;
            controls.gainSlot = -1;
            controls.qSlot = -1;
            controls.frequencyOnPane = true;
        }
    }
    for (int band = 0; band < bands; ++band) {
        if (item != kAllItems && item != band) continue;
        LoadBand(list.items[band], store, page, layout.firstBandSlot + layout.bandStep * band);
    }
    const int loaded = (bands - 1) + 100 * (layout.hasFilters() ? 2 : 0);
    list.lastItem = LastItemOf(loaded);
    return loaded;
}

int MarkerOfItem(int item, int bands) {
    if (item < bands) return item;
    if (item == bands) return kHighPassEntry;
    if (item == bands + 1) return kLowPassEntry;
    return -1;
}

}  // namespace zt
