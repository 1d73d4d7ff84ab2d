#include "ui/catalogue/catalogue.h"

#include <algorithm>
#include <map>

#include "params/page_table.h"
#include "ui/catalogue/band_names.h"
#include "ui/catalogue/page_tables.h"

namespace zt::catalogue {

namespace {

using Table = std::map<ParamAddress, SlotBinding>;

SlotBinding& At(Table& table, int page, int slot) {
    const ParamAddress address = MakeAddress(page, slot);
    SlotBinding& entry = table[address];
    entry.address = address;
    return entry;
}

void AddPageRows(Table& table, const PageTable& page) {
    for (const ParamRow& row : page.rows) {
        SlotBinding& entry = At(table, page.page, row.slot);
        entry.control = row.name;
        if (row.pane) entry.pane = row.pane;
        if (row.spin) entry.companions[0] = row.spin;
    }
}

void AddBandBlock(Table& table, const EqBandBlock& block) {
    for (int band = 1; band <= block.bands; ++band) {
        const EqBandNames names = NamesOfBand(block, band);
        const int base = block.firstSlot + 5 * (band - 1);
        SlotBinding& type = At(table, block.page, base);
        type.control = names.modeBox;
        std::copy(names.typeLabels.begin(), names.typeLabels.end(), type.companions.begin());
        At(table, block.page, base + 1).control = names.frequencyEdit;
        SlotBinding& gain = At(table, block.page, base + 2);
        gain.control = names.gainEdit;
        gain.companions[0] = names.gainBar;
        At(table, block.page, base + 3).control = names.qEdit;
        At(table, block.page, base + 4).control = names.qEdit;
        At(table, block.page, base + block.spinField).companions[0] = names.qSpin;
    }
}

void AddDeqBlock(Table& table, const DeqBandBlock& block) {
    for (int band = 1; band <= block.bands; ++band) {
        const DeqBandNames names = NamesOfDeqBand(band);
        const int base = block.bandStep * (band - 1);
        SlotBinding& trigger = At(table, block.page, base + 1);
        trigger.control = names.triggerBox;
        std::copy(names.triggerButtons.begin(), names.triggerButtons.end(),
                  trigger.companions.begin());
        SlotBinding& type = At(table, block.page, base + 2);
        type.control = names.modeBox;
        std::copy(names.typeLabels.begin(), names.typeLabels.end(), type.companions.begin());
        At(table, block.page, base + 3).control = names.frequencyEdit;
        SlotBinding& gain = At(table, block.page, base + 4);
        gain.control = names.gainEdit;
        gain.companions[0] = names.gainBar;
        SlotBinding& q = At(table, block.page, base + 5);
        q.control = names.qEdit;
        q.companions[0] = names.qSpin;
        At(table, block.page, base + 6).control = names.qEdit;
        for (const ParamRow& row : block.limiterRows) {
            const DeqLimiterNames limiter = NamesOfDeqLimiterRow(row, band);
            SlotBinding& entry = At(table, block.page, base + row.slot);
            entry.control = limiter.bar;
            entry.pane = limiter.pane;
        }
    }
}

}  // namespace

std::vector<SlotBinding> CatalogueBindings() {
    Table table;
    for (const PageTable& page : PageTables()) AddPageRows(table, page);
    for (const EqBandBlock& block : EqBandBlocks()) AddBandBlock(table, block);
    AddDeqBlock(table, DynamicEqBlock());
    std::vector<SlotBinding> bindings;
    bindings.reserve(table.size());
    for (auto& [address, entry] : table) bindings.push_back(std::move(entry));
    return bindings;
}

int EqPassSlot(int page) {
    const PageLayout& layout = PageLayoutOf(page);
    if (layout.bandCount == 0 || layout.kind == 8) return -1;
    return layout.firstBandSlot - 1;
}

}  // namespace zt::catalogue
