#include "ui/undo/edit_replayer.h"

#include <algorithm>
#include <set>
#include <utility>

#include "ui/editing/editor.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/window/channel_state.h"

namespace zt {

EditReplayer::EditReplayer(Editor& editor, ParamModel& model, ParameterLink& link,
                           PacedParamWriter& paced, const BindingLookup& binding,
                           ChannelState& channel, Window window)
    : editor_(editor),
      model_(model),
      link_(link),
      paced_(paced),
      binding_(binding),
      channel_(channel),
      window_(std::move(window)) {}

EditView EditReplayer::CurrentView() const {
    return {channel_.currentTab, editor_.state().lastEffectSubPage,
            model_.selection(),  channel_.micSide,
            channel_.mainSide,   channel_.surroundSide};
}

bool EditReplayer::CanReplay() const {
    return !window_.takesEdits || window_.takesEdits();
}

void EditReplayer::Replay(const EditRecord& record, bool undo) {
    const EditView& start = undo ? record.after : record.before;
    const EditView& end = undo ? record.before : record.after;
    if (!SameView(CurrentView(), start)) GoTo(start);

    const auto sent = std::count_if(record.changes.begin(), record.changes.end(),
                                    [](const ParamChange& c) { return c.logical != kStoredOnly; });
    // A step of many values (a reset, a copy, an import) reaches the processor one
    // acknowledged value at a time.
    const bool paced = sent > 1;
    editor_.SetPacedWrites(paced);
    if (undo) {
        for (auto c = record.changes.rbegin(); c != record.changes.rend(); ++c) {
            Apply(*c, c->before, paced);
        }
    } else {
        for (const ParamChange& c : record.changes) Apply(c, c.after, paced);
    }
    editor_.SetPacedWrites(false);
    // Controls outside the channel shown (the volume limits, the system switches) show their
    // values again; the page switch then shows every control of the view and redraws the graph.
    std::set<int> pages;
    for (const ParamChange& c : record.changes) {
        pages.insert(PageOf(c.logical == kStoredOnly ? c.device : c.logical));
    }
    for (int page : pages) {
        if (page != channel_.selectedPage) editor_.RefreshPage(page);
    }
    GoTo(end);
}

void EditReplayer::GoTo(const EditView& view) {
    model_.selection() = view.selection;
    channel_.micSide = view.micSide;
    channel_.mainSide = view.mainSide;
    channel_.surroundSide = view.surroundSide;
    if (window_.switchTab) window_.switchTab(view.tab);
    const EditorControls& controls = editor_.controls();
    if (view.tab == kTabEffect && view.effectSubPage >= 0 && view.effectSubPage < 3) {
        editor_.OnEffectSubPageClick(controls.effectButtons[view.effectSubPage]);
    }
    const int hintPath = view.selection.hiddenPage - 25;
    if (view.tab == kTabHint && hintPath >= 0 && hintPath < 3) {
        editor_.OnHintPathClick(controls.hintButtons[hintPath]);
    }
}

void EditReplayer::Apply(const ParamChange& change, int value, bool paced) {
    if (change.logical == kStoredOnly || model_.ToDeviceAddress(change.logical) != change.device) {
        // Only stored when it was made; the page switch that ends the replay rebuilds the
        // logical store from the image.
        model_.image().Set(change.device, value);
        return;
    }
    if (SetThroughControl(change.logical, value) && model_.image().Get(change.device) == value) {
        return;
    }
    // No control shows the value, or its control limits it more than the value it had.
    if (paced) {
        paced_.WriteParameterPaced(change.logical, value);
    } else {
        link_.WriteParameter(change.logical, value);
    }
}

bool EditReplayer::SetThroughControl(ParamAddress logical, int value) {
    auto shows = [&](QWidget* control) {
        const ControlProps* props = PropsOf(control);
        if (!props || model_.ActiveQSlot(props->tag()) != logical) return false;
        return qobject_cast<ValueEdit*>(control) || qobject_cast<Selector*>(control) ||
               qobject_cast<StatusPane*>(control);
    };
    QWidget* control = binding_.BoundControl(logical);
    if (!shows(control)) control = binding_.BoundPane(logical);
    if (!shows(control)) return false;
    editor_.SetValue(control, kStepNone, false, value);
    return true;
}

}  // namespace zt
