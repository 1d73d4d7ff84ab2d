#include "ui/eqgraph/eq_graph_side.h"

#include "params/page_table.h"
#include "ui/editing/editor.h"
#include "ui/window/editor_app.h"

namespace zt {

EqGraphSide::EqGraphSide(EditorApp& app, Editor& editor)
    : app_(app),
      editor_(editor),
      lookup_(app.binding()),
      graph_(app.window().graph(), app.registry(), app.model().store(), app.editorState(),
             app.windowState(), drag_),
      editing_(graph_, app.window().graph(), editor, lookup_, app.channel(), app.window(),
               app.windowState(), drag_),
      rangeHandles_(editor, lookup_, drag_) {
    graph_.SetAfterRebuild([this] { RedrawAfterRebuild(); });
    app.services().graph = &graph_;
    app.services().timer1 = this;
}

EqGraphSide::~EqGraphSide() {
    WindowServices& services = app_.services();
    if (services.graph == &graph_) services.graph = nullptr;
    if (services.timer1 == this) services.timer1 = nullptr;
}

void EqGraphSide::Attach() {
    editing_.Connect();
    rangeHandles_.Connect();
}

void EqGraphSide::OnTimer1Tick() {
    editing_.OnTimer1Tick();
    for (GraphUnderlay* underlay : graph_.underlays()) underlay->OnTimer1Tick();
}

void EqGraphSide::RedrawAfterRebuild() {
    // The whole page, then the band last selected, whose information label shows again.
    const int page = app_.channel().selectedPage;
    graph_.DrawEqCurve(kAllItems, page);
    const int family = PageKind(MakeAddress(page, 0));
    if (family >= 0 && family < kPageKindCount) {
        graph_.DrawEqCurve(editor_.state().selectedBand[family], page);
    }
}

}  // namespace zt
