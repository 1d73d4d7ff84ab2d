#include "ui/app/editing_side.h"

#include <QGroupBox>

#include "link/link_engine.h"
#include "ui/window/main_window.h"
#include "ui/window/page_switch.h"
#include "ui/window/window_hooks.h"

namespace zt {

EditingSide::EditingSide(const Parts& parts)
    : parts_(parts),
      parameters_(parts.link),
      lookup_(parts.binding),
      editor_(parts.model, parts.path, parts.navigator, parameters_, parts.editorState,
              parts.windowState),
      replayer_(editor_, parts.model, parts.navigator,
                EditReplayer::Window{[&pages = parts.pages] { pages.ShowView(); },
                                     // Nothing is undone while the panel lock is up or while pages
                                     // travel: an upload or download would overwrite it.
                                     [&state = parts.windowState, &link = parts.link] {
                                         return !state.locked && !link.transferRunning();
                                     }}),
      history_(parts.model.image(), replayer_) {
    editor_.SetRecorder(&history_);
    undoControls_ = std::make_unique<UndoControls>(&parts.window, parts.window.client(),
                                                   parts.registry, parts.language, history_);
    undoControls_->SetTakesEdits([&state = parts.windowState] { return !state.locked; });
    parts.services.editing = &editor_;
    editor_.SetEqRedraw(this);
    editor_.SetLanguage(&parts.language);
}

EditingSide::~EditingSide() {
    exchange_.reset();
    editor_.SetRecorder(nullptr);
    // The window may outlive the editing side while it closes.
    if (parts_.services.editing == &editor_) parts_.services.editing = nullptr;
}

void EditingSide::Attach() {
    TForm1& window = parts_.window;
    editor_.Attach(parts_.registry, lookup_, parts_.binding.lists(), &window);
    EqExchangeSide::Parts parts;
    parts.window = &window;
    parts.image = window.graph().image1;
    parts.tabs = &window.tabStrip();
    parts.formPageItem = window.formPageItem();
    parts.windowState = &parts_.windowState;
    parts.link = &parts_.link;
    exchange_ =
        std::make_unique<EqExchangeSide>(parts, editor_, parts_.model, parts_.navigator.channel(),
                                         parts_.language, parts_.messages, history_);
}

void EditingSide::DrawEqCurve(int item, int page) {
    if (EqGraphView* graph = parts_.services.graph) graph->RequestRedraw(item, page);
}

}  // namespace zt
