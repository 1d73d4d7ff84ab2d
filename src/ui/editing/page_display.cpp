#include "ui/editing/page_display.h"

#include <optional>

#include "params/page_table.h"
#include "params/selection.h"
#include "ui/editing/button_looks.h"
#include "ui/editing/editing_parts.h"
#include "ui/editing/input_handlers.h"
#include "ui/editing/value_setter.h"
#include "ui/editing/volume_bars.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {
namespace {

constexpr int kRefreshedPages[] = {0, 1, 2, 4, 5, 6, 25, 26, 27, 28, 29, 30};

// A side state follows its store slot: 1 there means together; leaving together returns to the
// left side, while a right side survives.
void FollowSide(int& side, int stored) {
    if (stored == 1) {
        side = 1;
    } else if (side == 1) {
        side = 0;
    }
}

}  // namespace

void PageDisplay::RefreshPage(int page) {
    // Every page is shown anew only when the whole image came from outside (a download, a
    // loaded mode, a loaded preset file, the start-up's reset): no edit before it can be undone.
    if (page == kAllPages && parts_.recorder) parts_.recorder->ClearHistory();
    parts_.shared.refreshInProgress = true;
    std::optional<EditPath::ShowOnly> showing(std::in_place, parts_.path);

    parts_.model.RebuildParamStore();
    ReaddressRightSide();
    const int scene = parts_.model.image().Get(0x00A1);
    parts_.model.selection().outputScene = scene >= 0 && scene < 3 ? scene : 0;

    for (int each : kRefreshedPages) {
        if (each == page || page == kAllPages) RefreshControls(each);
    }
    RefreshRightSide();
    RefreshSidesAndMode();
    RefreshSideButtons();
    RefreshEqPass();
    BitmapButton* mode = parts_.controls.autoManualButtons[parts_.channel.manualFlag == 0 ? 0 : 1];
    if (mode) handlers_.OnAutoManualClick(mode);
    looks_.scenes.Show(parts_.model.selection().outputScene);
    RefreshSystemSwitches();
    RefreshModeControls();

    parts_.shared.refreshInProgress = false;
    parts_.Redraw(kAllPages, parts_.channel.selectedPage);
    showing.reset();
    if (lock_) lock_->CheckPanelLock();
}

void PageDisplay::ReaddressRightSide() {
    const std::optional<int> page = RightSideControlPage(parts_.model.selection());
    if (!page) return;
    if (parts_.controls.rightDelayBar)
        parts_.controls.rightDelayBar->setTag(MakeAddress(*page, 10));
    if (parts_.controls.rightDelayPane)
        parts_.controls.rightDelayPane->setTag(MakeAddress(*page, 10));
    if (parts_.controls.rightMute) parts_.controls.rightMute->setTag(MakeAddress(*page, 11));
}

void PageDisplay::RefreshControls(int page) {
    const int slotCount = PageSlotCount(page);
    for (int slot = 0; slot < slotCount; ++slot) {
        QWidget* control = parts_.Bound(MakeAddress(page, slot));
        // The hidden edit has no address of its own: showing a value in it would only move that
        // value into the slot of its tag.
        if (!control || control == parts_.controls.example) continue;
        RefreshControl(control, page, slot, parts_.model.store().Get(page, slot));
    }
}

void PageDisplay::RefreshControl(QWidget* control, int page, int slot, int value) {
    if (auto* bar = qobject_cast<TrackBar*>(control)) {
        // The output levels' panes depend on the channel shown, so they are rewritten whenever
        // the page is shown.
        ShowBarPosition(bar, value, page == 6);
    } else if (auto* button = qobject_cast<BitmapButton*>(control)) {
        looks_.toggles.Set(button, value == 0);
        handlers_.OnToggleClick(button);
    } else if (auto* selector = qobject_cast<Selector*>(control)) {
        selector->setCurrentIndex(value);
        QWidget* first = parts_.Companion(MakeAddress(page, slot), 0);
        if (qobject_cast<TypeLabel*>(first) || qobject_cast<BitmapButton*>(first)) {
            handlers_.OnTypeSelectorChange(selector);
        }
    } else if (auto* edit = qobject_cast<ValueEdit*>(control)) {
        setter_.SetValue(edit, kStepNone, true, value);
    }
}

void PageDisplay::ShowBarPosition(TrackBar* bar, int value, bool always) {
    // A bar that is already at the value raises no change, and its pane (for a volume bar also
    // its group's markers) would keep what it showed before, or nothing at all: its change
    // handler runs here instead.
    if (volumes_.IsVolumeBar(bar)) return volumes_.ShowPosition(bar, value);
    const int before = bar->value();
    bar->setValue(value);
    if (!always && bar->value() != before) return;
    handlers_.OnTrackBarChange(bar);
}

void PageDisplay::RefreshRightSide() {
    const int page = parts_.model.selection().outputPage;
    int logical = 0;
    if (page >= 6 && page <= 11) logical = 9;
    if (page >= 12 && page <= 17) logical = 15;
    if (logical == 0) return;
    if (parts_.controls.rightDelayBar) {
        ShowBarPosition(parts_.controls.rightDelayBar, parts_.model.store().Get(logical, 10),
                        false);
    }
    if (parts_.controls.rightMute) {
        looks_.toggles.Set(parts_.controls.rightMute, parts_.model.store().Get(logical, 11) == 0);
        handlers_.OnToggleClick(parts_.controls.rightMute);
    }
}

void PageDisplay::RefreshSidesAndMode() {
    const ParamStore& store = parts_.model.store();
    FollowSide(parts_.model.selection().musicEqSet, store.Get(0x0008));
    FollowSide(parts_.channel.micSide, store.Get(0x020D));
    FollowSide(parts_.channel.mainSide, store.Get(0x00A2));
    FollowSide(parts_.channel.surroundSide, store.Get(0x00A3));
    parts_.channel.manualFlag = store.Get(0x00A0) != 0 ? 1 : 0;
}

void PageDisplay::RefreshSideButtons() {
    int side = -1;
    if (parts_.channel.selectedPage == 0) {
        side = parts_.model.selection().musicEqSet;
    } else if (parts_.channel.selectedPage == 2) {
        side = parts_.channel.micSide;
    } else if (parts_.channel.currentTab == kTabMain) {
        side = parts_.channel.mainSide;
    } else if (parts_.channel.currentTab == kTabSurround) {
        side = parts_.channel.surroundSide;
    }
    if (side >= 0 && side < 3 && parts_.controls.sideButtons[side]) looks_.sides.Show(side);
}

void PageDisplay::RefreshEqPass() {
    BitmapButton* button = parts_.controls.eqPassButton;
    if (!button) return;
    const int page = parts_.channel.selectedPage;
    const ParamAddress passSlot = MakeAddress(page, PageLayoutOf(page).firstBandSlot - 1);
    button->setTag(passSlot);
    // The dynamic EQ has no EQ pass: the button shows off there.
    const bool on = page != 1 && parts_.model.store().Get(passSlot) != 0;
    looks_.toggles.Set(button, !on);
    const int v = looks_.toggles.Turn(button);
    parts_.window.SetEqPass(page, v != 0);
    if (parts_.controls.eqPassLabel) parts_.controls.eqPassLabel->setVisible(v != 0);
}

void PageDisplay::RefreshSystemSwitches() {
    const ParamStore& store = parts_.model.store();
    struct Choice {
        int address;
        int pair;
    };
    // Pairs in the order user / manager, panel lock, volume switch.
    for (const Choice choice : {Choice{0x1E08, 2}, Choice{0x1E04, 1}, Choice{0x1D09, 0}}) {
        const SwitchPair& pair = parts_.controls.switches[choice.pair];
        BitmapButton* button = store.Get(choice.address) != 0 ? pair.second : pair.first;
        if (button) handlers_.OnSwitchClick(button);
    }
    if (parts_.controls.userManagerGroup) parts_.controls.userManagerGroup->setEnabled(false);
}

}  // namespace zt
