#include "ui/editing/output_enabling.h"

#include "params/page_table.h"
#include "ui/editing/editing_parts.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"

namespace zt {

void OutputEnabling::Enable(bool on) {
    const EditorControls& c = parts_.controls;
    for (int slot = 0; slot <= 70; ++slot) {
        auto* bar = qobject_cast<TrackBar*>(parts_.Bound(MakeAddress(6, slot)));
        if (!bar) continue;
        bar->setEnabled(on);
        // A bar outside the page's groups (the delays) greys its value field with it, which
        // would otherwise look ready for typing.
        if (QWidget* pane = parts_.Pane(MakeAddress(6, slot))) pane->setEnabled(on);
    }
    QWidget* followers[] = {c.autoManualButtons[0], c.sceneButtons[0], c.sceneButtons[1],
                            c.sceneButtons[2],      c.leftMute,        c.rightMute,
                            c.rightDelayBar,        c.rightDelayPane};
    for (QWidget* each : followers) {
        if (each) each->setEnabled(on);
    }
    for (QWidget* each : c.outputGroups) {
        if (each) each->setEnabled(on);
    }
    if (parts_.channel.selectedPage >= 6) {
        if (c.copyGroup) c.copyGroup->setEnabled(on);
        if (c.eqPassGroup) c.eqPassGroup->setEnabled(on);
    }
    if (c.autoManualButtons[1]) c.autoManualButtons[1]->setEnabled(true);
    UpdateResetButton();
}

void OutputEnabling::UpdateResetButton() {
    const EditorControls& c = parts_.controls;
    if (!c.eqResetButton || !c.eqPassButton) return;
    const int page = PageOf(c.eqPassButton->tag());
    const bool passOff = page >= 0 && page < kPageCount && !parts_.window.EqPassOn(page);
    QWidget* group = c.eqPassGroup;
    // The group's own switch, whatever its parents show.
    const bool groupEnabled = !group || !group->testAttribute(Qt::WA_ForceDisabled);
    c.eqResetButton->setEnabled(passOff && groupEnabled);
}

}  // namespace zt
