// The buttons that change what the shared controls stand for (scene, side, effect sub-page, hint
// path), the EQ reset, the system volume bars with their limits, and the band box scrolling.

#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <algorithm>
#include <cmath>

#include "ui/editing/editor.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"

namespace zt {
namespace {

// Left edge of a range marker for a volume 0..84 on the scale of the system page.
int MarkerLeft(int volume) {
    return static_cast<int>(std::nearbyint(volume * 1.89 + 53));
}

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
    RefreshPage(channel_.selectedPage);
    const int family = channel_.selectedChannel % 256;
    Redraw(family >= 0 && family < kPageKindCount ? state_.selectedBand[family] : 0,
           channel_.selectedPage);
}

void Editor::OnSceneClick(BitmapButton* button) {
    const int scene = ControlAction(button, kActionScene);
    Write(0x00A1, scene);
    model_.selection().outputScene = scene;
    ReselectAndRefresh();
}

void Editor::OnSideClick(BitmapButton* button) {
    const int b = button->tag();
    int* side = nullptr;
    ParamAddress address = 0;
    EqCopyChannel copy = EqCopyChannel::Other;
    if (channel_.selectedPage == 0) {
        side = &model_.selection().musicEqSet, address = 0x0008, copy = EqCopyChannel::Music;
    } else if (channel_.selectedPage == 2) {
        side = &channel_.micSide, address = 0x020D, copy = EqCopyChannel::Microphone;
    } else if (channel_.currentTab == kTabMain) {
        side = &channel_.mainSide, address = 0x00A2, copy = EqCopyChannel::Main;
    } else if (channel_.currentTab == kTabSurround) {
        side = &channel_.surroundSide, address = 0x00A3, copy = EqCopyChannel::Surround;
    } else {
        return;
    }
    // Leaving the together state: both sides start out equal.
    if (b != kSideTogether && *side == kSideTogether) model_.CopyEq(copy);
    *side = b;
    if (copy == EqCopyChannel::Microphone)
        navigator_.ChooseTab(b == kSideRight ? kTabMicB : kTabMicA);
    Write(address, ControlAction(button, kActionSide));
    if (b == kSideTogether) model_.CopyEq(copy);
    ReselectAndRefresh();
}

void Editor::OnEqResetClick() {
    // The reset stores the defaults itself before it sends them.
    if (!TakesEdits()) return;
    model_.ResetEq(channel_.selectedPage, path_, *this);
    ReselectAndRefresh();
}

void Editor::OnEffectSubPageClick(SwappingToolButton* button) {
    if (!IsIn(controls_.effectButtons, button)) return;
    // The buttons and the sheet follow the navigator's view change.
    if (navigator_.ChooseEffectSubPage(button->tag()) < 0) return;
    RefreshPage(channel_.selectedPage);
    Redraw(kAllPages, channel_.selectedPage);
}

void Editor::OnHintPathClick(SwappingToolButton* button) {
    if (!IsIn(controls_.hintButtons, button)) return;
    if (!navigator_.ChooseHintPath(button->tag())) return;
    RefreshPage(channel_.selectedPage);
    Redraw(kAllPages, channel_.selectedPage);
}

void Editor::ShowViewLooks() {
    // Each group shows the choice while its tab is shown, as its buttons are seen.
    if (channel_.currentTab == kTabEffect) {
        const int subPage = channel_.effectSubPage;
        SelectOne(controls_.effectButtons, subPage);
        ShowSubSheet(controls_.effectPages, subPage == kReverb ? 1 : 0);
    }
    if (channel_.currentTab == kTabHint) {
        SelectOne(controls_.hintButtons, model_.selection().hiddenPage - kFirstHintPage);
    }
}

void Editor::OnVolumeBarChange(TrackBar* bar) {
    const VolumeGroup* group = nullptr;
    for (const VolumeGroup& each : controls_.volumeGroups) {
        if (bar == each.normal || bar == each.start || bar == each.maximum) group = &each;
    }
    if (!group) return;
    auto* pane = qobject_cast<StatusPane*>(Pane(bar->tag()));
    const int role = bar->hint().toInt();
    const int previous = pane ? pane->hint().toInt() : 0;
    // A normal volume rises one step per change however far it is dragged; it falls freely.
    if (bar == group->normal && bar->value() > previous + 1 && !path_.showing()) {
        bar->setValue(previous + 1);  // the change this raises does the rest
        return;
    }
    VolumeLimits(group->normal, group->start, group->maximum, role, pane);
    if (pane) pane->setHint(QString::number(bar->value()));
    if (group->startMarker && group->start) {
        group->startMarker->move(MarkerLeft(group->start->value()), group->startMarker->y());
    }
    if (group->maximumMarker && group->maximum) {
        group->maximumMarker->move(MarkerLeft(group->maximum->value()), group->maximumMarker->y());
    }
    if (bar != group->normal && pane) {
        if (auto* label = qobject_cast<QLabel*>(group->label)) label->setText(pane->hint());
    }
    Write(bar->tag(), bar->value());
}

void Editor::OnBandScroll(int box, int position) {
    if (box >= 0 && box < 3 && controls_.bandBoxes[box]) {
        controls_.bandBoxes[box]->setBandPosition(position);
    }
}

}  // namespace zt
