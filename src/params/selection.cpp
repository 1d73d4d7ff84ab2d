#include "params/selection.h"

namespace zt {
namespace {

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// Slots 12..15 of an output page are shared by both sides of a stereo output.
int SharedOutputPage(const SelectionState& sel) {
    if (InRange(sel.outputPage, 6, 11)) return 6 + sel.outputScene;
    if (InRange(sel.outputPage, 12, 17)) return 12 + sel.outputScene;
    return sel.outputPage;
}

// Slots 10 and 11 belong to one side; the logical page names the side.
int PerSideOutputPage(const SelectionState& sel, int page) {
    if (InRange(page, 7, 8)) return 6 + sel.outputScene;
    if (InRange(page, 9, 11)) return 9 + sel.outputScene;
    if (InRange(page, 12, 14)) return 12 + sel.outputScene;
    if (InRange(page, 15, 17)) return 15 + sel.outputScene;
    return SharedOutputPage(sel);
}

int TranslatePage(const SelectionState& sel, int page, int slot) {
    if (page == 2 || page == 3) return sel.micPage;
    if (page == 4 || page == 24) return sel.effectPage == 5 ? page : sel.effectPage;
    if (InRange(page, 6, 23)) {
        if (InRange(slot, 12, 15)) return SharedOutputPage(sel);
        if (slot == 10 || slot == 11) return PerSideOutputPage(sel, page);
        return sel.outputPage;
    }
    if (InRange(page, 25, 27)) return sel.hiddenPage;
    return page;
}

}  // namespace

int RedirectMusicSlot(const SelectionState& selection, int page, int slot) {
    if (page == 0 && selection.musicEqSet == 2 && InRange(slot, 10, 84)) return slot + 75;
    return slot;
}

ParamAddress ToDeviceAddress(const SelectionState& selection, ParamAddress logical) {
    if (logical < 0) return logical;
    const int slot = SlotOf(logical);
    const int page = TranslatePage(selection, PageOf(logical), slot);
    return MakeAddress(page, RedirectMusicSlot(selection, page, slot));
}

std::optional<int> RightSideControlPage(const SelectionState& selection) {
    if (InRange(selection.outputPage, 6, 11)) return 9;
    if (InRange(selection.outputPage, 12, 17)) return 15;
    return std::nullopt;
}

}  // namespace zt
