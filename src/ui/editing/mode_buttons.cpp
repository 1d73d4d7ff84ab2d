// The buttons that change what the shared controls stand for (scene, side, effect sub-page, hint
// path), the EQ reset, the system volume bars with their limits, and the band box scrolling.

#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <cmath>

#include "ui/editing/editor.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/window/channel_state.h"

namespace zt {
namespace {

// Left edge of a range marker for a volume 0..84 on the scale of the system page.
int MarkerLeft(int volume) {
    return static_cast<int>(std::nearbyint(volume * 1.89 + 53));
}

void ShowSubSheet(QWidget* pages, int index) {
    if (auto* stacked = qobject_cast<QStackedWidget*>(pages)) stacked->setCurrentIndex(index);
    if (auto* tabs = qobject_cast<QTabWidget*>(pages)) tabs->setCurrentIndex(index);
}

}  // namespace

void Editor::ReselectAndRefresh() {
    channel_.selectedChannel = selector_.SelectChannel(channel_.currentTab);
    channel_.selectedPage = channel_.selectedChannel / 256;
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
    if (copy == EqCopyChannel::Microphone) {
        ControlAction(controls_.tabButtons[b == kSideRight ? kTabMicB : kTabMicA], kActionTab);
    }
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
    if (!button) return;
    const int r = ControlAction(button, kActionEffectSubPage);
    if (r == 0) return;
    state_.lastEffectSubPage = button->tag();
    ShowSubSheet(controls_.effectPages, r % 256);
    channel_.selectedPage = r / 256;
    channel_.selectedChannel = channel_.selectedPage * 256 + 2;
    RefreshPage(channel_.selectedPage);
    Redraw(kAllPages, channel_.selectedPage);
}

void Editor::OnHintPathClick(SwappingToolButton* button) {
    if (ControlAction(button, kActionHintPath) == 0) return;
    channel_.selectedChannel = 0x1904;
    channel_.selectedPage = 25;
    RefreshPage(25);
    Redraw(kAllPages, 25);
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
