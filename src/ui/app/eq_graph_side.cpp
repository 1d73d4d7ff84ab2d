#include "ui/app/eq_graph_side.h"

#include "params/page_table.h"
#include "ui/editing/editor.h"
#include "ui/window/main_window.h"

namespace zt {

EqGraphSide::EqGraphSide(const Parts& parts, Editor& editor)
    : services_(parts.services),
      channel_(parts.channel),
      editor_(editor),
      lookup_(parts.binding),
      graph_(parts.window.graph(), parts.registry, parts.store, parts.editorState,
             parts.windowState, drag_),
      editing_(graph_, parts.window.graph(), editor, lookup_, parts.channel, parts.window,
               parts.windowState, drag_) {
    graph_.SetAfterRebuild([this] { RedrawAfterRebuild(); });
    services_.graph = &graph_;
    services_.timer1 = this;
}

EqGraphSide::~EqGraphSide() {
    if (services_.graph == &graph_) services_.graph = nullptr;
    if (services_.timer1 == this) services_.timer1 = nullptr;
}

void EqGraphSide::Attach() {
    editing_.Connect();
}

void EqGraphSide::OnTimer1Tick() {
    editing_.OnTimer1Tick();
    for (GraphUnderlay* underlay : graph_.underlays()) underlay->OnTimer1Tick();
}

void EqGraphSide::RedrawAfterRebuild() {
    // The whole page, then the band last selected, whose information label shows again.
    const int page = channel_.selectedPage;
    graph_.DrawEqCurve(kAllItems, page);
    const int family = PageKind(MakeAddress(page, 0));
    if (family >= 0 && family < kPageKindCount) {
        graph_.DrawEqCurve(editor_.state().selectedBand[family], page);
    }
}

}  // namespace zt
