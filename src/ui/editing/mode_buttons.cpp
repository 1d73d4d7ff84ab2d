// The buttons that change what the shared controls stand for (scene, side, effect sub-page, hint
// path) and the EQ reset.

#include <QStackedWidget>
#include <QTabWidget>
#include <algorithm>

#include "ui/editing/editor.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"

namespace zt {
namespace {

template <size_t N>
bool IsIn(const std::array<SwappingToolButton*, N>& list, const SwappingToolButton* button) {
    return button && std::find(list.begin(), list.end(), button) != list.end();
}

template <size_t N>
void SelectOne(const std::array<SwappingToolButton*, N>& list, int chosen) {
    for (size_t i = 0; i < N; ++i) {
        if (list[i]) list[i]->setSelectedLook(static_cast<int>(i) == chosen);
    }
}

void ShowSubSheet(QWidget* pages, int index) {
    if (auto* stacked = qobject_cast<QStackedWidget*>(pages)) stacked->setCurrentIndex(index);
    if (auto* tabs = qobject_cast<QTabWidget*>(pages)) tabs->setCurrentIndex(index);
}

}  // namespace

void Editor::ReselectAndRefresh() {
    navigator_.Reselect();
    RefreshPage(parts_.channel.selectedPage);
    const int family = parts_.channel.selectedChannel % 256;
    parts_.Redraw(family >= 0 && family < kPageKindCount ? parts_.state.selectedBand[family] : 0,
                  parts_.channel.selectedPage);
}

void Editor::OnSceneClick(BitmapButton* button) {
    const int scene = looks_.scenes.IndexOf(button);
    if (scene < 0) return;
    looks_.scenes.Show(scene);
    writes_.Write(0x00A1, scene);
    parts_.model.selection().outputScene = scene;
    ReselectAndRefresh();
}

void Editor::OnSideClick(BitmapButton* button) {
    const int b = button->tag();
    int* side = nullptr;
    ParamAddress address = 0;
    EqCopyChannel copy = EqCopyChannel::Other;
    if (parts_.channel.selectedPage == 0) {
        side = &parts_.model.selection().musicEqSet, address = 0x0008, copy = EqCopyChannel::Music;
    } else if (parts_.channel.selectedPage == 2) {
        side = &parts_.channel.micSide, address = 0x020D, copy = EqCopyChannel::Microphone;
    } else if (parts_.channel.currentTab == kTabMain) {
        side = &parts_.channel.mainSide, address = 0x00A2, copy = EqCopyChannel::Main;
    } else if (parts_.channel.currentTab == kTabSurround) {
        side = &parts_.channel.surroundSide, address = 0x00A3, copy = EqCopyChannel::Surround;
    } else {
        return;
    }
    // Leaving the together state: both sides start out equal.
    if (b != kSideTogether && *side == kSideTogether) parts_.model.CopyEq(copy);
    *side = b;
    if (copy == EqCopyChannel::Microphone)
        navigator_.ChooseTab(b == kSideRight ? kTabMicB : kTabMicA);
    const int index = looks_.sides.IndexOf(button);
    looks_.sides.Show(index);
    writes_.Write(address, index == 1 ? 1 : 0);
    if (b == kSideTogether) parts_.model.CopyEq(copy);
    ReselectAndRefresh();
}

void Editor::OnEqResetClick() {
    // The reset stores the defaults itself before it sends them.
    if (!TakesEdits()) return;
    parts_.model.ResetEq(parts_.channel.selectedPage, parts_.path, *this);
    ReselectAndRefresh();
}

void Editor::OnEffectSubPageClick(SwappingToolButton* button) {
    if (!IsIn(parts_.controls.effectButtons, button)) return;
    // The buttons and the sheet follow the navigator's view change.
    if (navigator_.ChooseEffectSubPage(button->tag()) < 0) return;
    RefreshPage(parts_.channel.selectedPage);
    parts_.Redraw(kAllPages, parts_.channel.selectedPage);
}

void Editor::OnHintPathClick(SwappingToolButton* button) {
    if (!IsIn(parts_.controls.hintButtons, button)) return;
    if (!navigator_.ChooseHintPath(button->tag())) return;
    RefreshPage(parts_.channel.selectedPage);
    parts_.Redraw(kAllPages, parts_.channel.selectedPage);
}

void Editor::ShowViewLooks() {
    // Each group shows the choice while its tab is shown, as its buttons are seen.
    const ChannelState& channel = parts_.channel;
    if (channel.currentTab == kTabEffect) {
        SelectOne(parts_.controls.effectButtons, channel.effectSubPage);
        ShowSubSheet(parts_.controls.effectPages, channel.effectSubPage == kReverb ? 1 : 0);
    }
    if (channel.currentTab == kTabHint) {
        SelectOne(parts_.controls.hintButtons,
                  parts_.model.selection().hiddenPage - kFirstHintPage);
    }
}

}  // namespace zt
