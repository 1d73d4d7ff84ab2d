#include "ui/undo/edit_replayer.h"

#include <algorithm>
#include <set>
#include <utility>

#include "ui/editing/editor.h"
#include "ui/state/navigator.h"

namespace zt {

EditReplayer::EditReplayer(Editor& editor, ParamModel& model, Navigator& navigator, Window window)
    : editor_(editor), model_(model), navigator_(navigator), window_(std::move(window)) {}

EditView EditReplayer::CurrentView() const {
    return navigator_.Current();
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
            Apply(*c, c->before);
        }
    } else {
        for (const ParamChange& c : record.changes) Apply(c, c.after);
    }
    editor_.SetPacedWrites(false);
    // Controls outside the channel shown (the volume limits, the system switches) show their
    // values again; the page switch then shows every control of the view and redraws the graph.
    std::set<int> pages;
    for (const ParamChange& c : record.changes) {
        pages.insert(PageOf(c.logical == kStoredOnly ? c.device : c.logical));
    }
    for (int page : pages) {
        if (page != navigator_.channel().selectedPage) editor_.RefreshPage(page);
    }
    GoTo(end);
}

void EditReplayer::GoTo(const EditView& view) {
    navigator_.GoTo(view);
    if (window_.showView) window_.showView();
}

void EditReplayer::Apply(const ParamChange& change, int value) {
    if (change.logical == kStoredOnly || model_.ToDeviceAddress(change.logical) != change.device) {
        // Only stored when it was made; the page switch that ends the replay rebuilds the
        // logical store from the image.
        model_.image().Set(change.device, value);
        return;
    }
    editor_.SetParameter(change.logical, value);
}

}  // namespace zt
