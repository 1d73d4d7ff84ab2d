#include "ui/editing/editing_side.h"

#include <QGroupBox>

#include "ui/eqgraph/eq_graph_side.h"
#include "ui/window/editor_app.h"

namespace zt {

EditingSide::EditingSide(EditorApp& app)
    : app_(app),
      parameters_(app.writes(), app.link()),
      lookup_(app.binding()),
      editor_(app.model(), parameters_, app.writes(), app.editorState(), app.windowState(),
              app.channel(), *this),
      replayer_(editor_, app.model(), app.channel(),
                EditReplayer::Window{
                    [&app](int tab) {
                        app.pageSwitcher().OnTabClicked(tab);
                        return true;
                    },
                    // Nothing is undone while the panel lock is up or while pages travel:
                    // an upload or download would overwrite it.
                    [&app] { return !app.windowState().locked && !app.link().transferRunning(); }}),
      history_(app.model().image(), replayer_) {
    app.SetPageRefresher(&editor_);
    editor_.SetRecorder(&history_);
    undoControls_ = std::make_unique<UndoControls>(&app.window(), app.window().client(),
                                                   app.registry(), app.language(), history_);
    undoControls_->SetTakesEdits([&app] { return !app.windowState().locked; });
    app.services().editing = &editor_;
    editor_.SetEqRedraw(this);
    editor_.SetLanguage(&app.language());
    editor_.SetLinkButtonLook([&app](bool linked) { app.linkView().SetLinkButtonLinked(linked); });
}

EditingSide::~EditingSide() {
    exchange_.reset();
    editor_.SetRecorder(nullptr);
    // The window may outlive the editing side while it closes.
    app_.SetPageRefresher(nullptr);
    if (app_.services().editing == &editor_) app_.services().editing = nullptr;
}

void EditingSide::Attach() {
    editor_.Attach(app_.registry(), lookup_, &app_.window());
    app_.eqGraph().pointEditing().SetGesture(&graphGesture_);
    TForm1& window = app_.window();
    EqExchangeSide::Parts parts;
    parts.window = &window;
    parts.image = window.graph().image1;
    parts.tabs = &window.tabStrip();
    parts.formPageItem = window.formPageItem();
    parts.windowState = &app_.windowState();
    parts.link = &app_.link();
    exchange_ = std::make_unique<EqExchangeSide>(parts, editor_, app_.model(), app_.channel(),
                                                 app_.language(), app_.messages(), history_, *this);
}

int EditingSide::SelectChannel(int tab) {
    return app_.channelSelector().SelectChannel(tab);
}

void EditingSide::DrawEqCurve(int item, int page) {
    if (EqGraphView* graph = app_.services().graph) graph->DrawEqCurve(item, page);
}

}  // namespace zt
