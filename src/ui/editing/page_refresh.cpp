// The page refresh: the way back from the stores to the controls after a download, a channel
// switch, a mode change or an EQ reset. It moves bars and runs the button and selector handlers
// with sending suppressed, so nothing of it reaches the processor.

#include <optional>

#include "params/page_table.h"
#include "params/selection.h"
#include "ui/editing/editor.h"
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

// The phase buttons are the narrow toggles; every other bound toggle is a mute.
bool IsPhaseButton(const BitmapButton& button) {
    return button.picture() == BitmapButton::Picture::Phase || button.width() == 15;
}

// The hint a toggle gets before its handler runs: the opposite of the state to show.
QString HintBeforeToggle(int stored) {
    return stored == 0 ? QStringLiteral("1") : QStringLiteral("0");
}

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

void Editor::RefreshPage(int page) {
    // Every page is shown anew only when the whole image came from outside (a download, a
    // loaded mode, a loaded preset file, the start-up's reset): no edit before it can be undone.
    if (page == kAllPages && recorder_) recorder_->ClearHistory();
    shared_.refreshInProgress = true;
    std::optional<EditPath::ShowOnly> showing(std::in_place, path_);

    model_.RebuildParamStore();
    ReaddressRightSide();
    const int scene = model_.image().Get(0x00A1);
    model_.selection().outputScene = scene >= 0 && scene < 3 ? scene : 0;

    for (int each : kRefreshedPages) {
        if (each == page || page == kAllPages) RefreshControls(each);
    }
    RefreshRightSide();
    RefreshSidesAndMode();
    RefreshSideButtons();
    RefreshEqPass();
    BitmapButton* mode = channel_.manualFlag == 0 ? controls_.autoButton : controls_.manualButton;
    if (mode) OnAutoManualClick(mode);
    if (BitmapButton* scene = controls_.sceneButtons[model_.selection().outputScene]) {
        ControlAction(scene, kActionScene);
    }
    RefreshSystemSwitches();
    RefreshModeControls();

    shared_.refreshInProgress = false;
    Redraw(kAllPages, channel_.selectedPage);
    showing.reset();
    if (lock_) lock_->CheckPanelLock();
}

void Editor::ReaddressRightSide() {
    const std::optional<int> page = RightSideControlPage(model_.selection());
    if (!page) return;
    if (controls_.rightDelayBar) controls_.rightDelayBar->setTag(MakeAddress(*page, 10));
    if (controls_.rightDelayPane) controls_.rightDelayPane->setTag(MakeAddress(*page, 10));
    if (controls_.rightMute) controls_.rightMute->setTag(MakeAddress(*page, 11));
}

void Editor::RefreshControls(int page) {
    const int slotCount = PageSlotCount(page);
    for (int slot = 0; slot < slotCount; ++slot) {
        QWidget* control = Bound(MakeAddress(page, slot));
        // The hidden edit has no address of its own: showing a value in it would only move that
        // value into the slot of its tag.
        if (!control || control == controls_.example) continue;
        RefreshControl(control, page, slot, model_.store().Get(page, slot));
    }
}

void Editor::RefreshControl(QWidget* control, int page, int slot, int value) {
    if (auto* bar = qobject_cast<TrackBar*>(control)) {
        // The output levels' panes depend on the channel shown, so they are rewritten whenever
        // the page is shown.
        ShowBarPosition(bar, value, page == 6);
    } else if (auto* button = qobject_cast<BitmapButton*>(control)) {
        button->setHint(HintBeforeToggle(value));
        if (IsPhaseButton(*button)) {
            OnPhaseButtonClick(button);
        } else {
            OnMuteButtonClick(button);
        }
    } else if (auto* selector = qobject_cast<Selector*>(control)) {
        selector->setCurrentIndex(value);
        QWidget* first = Companion(MakeAddress(page, slot), 0);
        if (qobject_cast<TypeLabel*>(first) || qobject_cast<BitmapButton*>(first)) {
            OnTypeSelectorChange(selector);
        }
    } else if (auto* edit = qobject_cast<ValueEdit*>(control)) {
        SetValue(edit, kStepNone, true, value);
    }
}

void Editor::ShowBarPosition(TrackBar* bar, int value, bool always) {
    const int before = bar->value();
    bar->setValue(value);
    // A bar that is already at the value raises no change, and its pane (for a volume bar also
    // its group's markers) would keep what it showed before, or nothing at all: its change
    // handler runs here instead.
    if (!always && bar->value() != before) return;
    if (IsVolumeBar(bar)) {
        OnVolumeBarChange(bar);
    } else {
        OnTrackBarChange(bar);
    }
}

void Editor::RefreshRightSide() {
    const int page = model_.selection().outputPage;
    int logical = 0;
    if (page >= 6 && page <= 11) logical = 9;
    if (page >= 12 && page <= 17) logical = 15;
    if (logical == 0) return;
    if (controls_.rightDelayBar) {
        ShowBarPosition(controls_.rightDelayBar, model_.store().Get(logical, 10), false);
    }
    if (controls_.rightMute) {
        controls_.rightMute->setHint(HintBeforeToggle(model_.store().Get(logical, 11)));
        OnMuteButtonClick(controls_.rightMute);
    }
}

void Editor::RefreshSidesAndMode() {
    const ParamStore& store = model_.store();
    FollowSide(model_.selection().musicEqSet, store.Get(0x0008));
    FollowSide(channel_.micSide, store.Get(0x020D));
    FollowSide(channel_.mainSide, store.Get(0x00A2));
    FollowSide(channel_.surroundSide, store.Get(0x00A3));
    channel_.manualFlag = store.Get(0x00A0) != 0 ? 1 : 0;
}

void Editor::RefreshSideButtons() {
    int side = -1;
    if (channel_.selectedPage == 0) {
        side = model_.selection().musicEqSet;
    } else if (channel_.selectedPage == 2) {
        side = channel_.micSide;
    } else if (channel_.currentTab == kTabMain) {
        side = channel_.mainSide;
    } else if (channel_.currentTab == kTabSurround) {
        side = channel_.surroundSide;
    }
    if (side >= 0 && side < 3 && controls_.sideButtons[side]) {
        ControlAction(controls_.sideButtons[side], kActionSide);
    }
}

void Editor::RefreshEqPass() {
    BitmapButton* button = controls_.eqPassButton;
    if (!button) return;
    const int page = channel_.selectedPage;
    const ParamAddress passSlot = MakeAddress(page, PageLayoutOf(page).firstBandSlot - 1);
    button->setTag(passSlot);
    // The dynamic EQ has no EQ pass: the button shows off there.
    const bool on = page != 1 && model_.store().Get(passSlot) != 0;
    button->setHint(on ? QStringLiteral("0") : QStringLiteral("1"));
    const int v = ControlAction(button, kActionToggle);
    window_.SetEqPass(page, v != 0);
    if (controls_.eqPassLabel) controls_.eqPassLabel->setVisible(v != 0);
}

void Editor::RefreshSystemSwitches() {
    const ParamStore& store = model_.store();
    struct Choice {
        int address;
        int pair;
    };
    // Pairs in the order user / manager, panel lock, volume switch.
    for (const Choice choice : {Choice{0x1E08, 2}, Choice{0x1E04, 1}, Choice{0x1D09, 0}}) {
        const SwitchPair& pair = controls_.switches[choice.pair];
        BitmapButton* button = store.Get(choice.address) != 0 ? pair.second : pair.first;
        if (button) OnSwitchClick(button);
    }
    if (controls_.userManagerGroup) controls_.userManagerGroup->setEnabled(false);
}

}  // namespace zt
