#pragma once
// The window's side of the edit history: it goes back to the view an edit was made in and
// applies the old or new values through set value, so that the controls show them, both stores
// hold them, the processor receives them and the EQ graph follows, as if the user had made the
// edit. Values no control shows are written with write parameter, and values that were only
// stored (a copy between sides) are only stored again.

#include <functional>

#include "params/param_model.h"
#include "ui/undo/edit_history.h"

namespace zt {

class Editor;
class Navigator;

class EditReplayer : public EditReplay {
public:
    struct Window {
        // Shows the view the navigator holds, as a page switch does: the channel's sheet, its
        // values and the graph.
        std::function<void()> showView;
        // False while the window takes no edits (the panel lock is up, pages are travelling).
        std::function<bool()> takesEdits;
    };

    EditReplayer(Editor& editor, ParamModel& model, Navigator& navigator, Window window);

    EditView CurrentView() const override;
    bool CanReplay() const override;
    void Replay(const EditRecord& record, bool undo) override;

private:
    void GoTo(const EditView& view);
    void Apply(const ParamChange& change, int value);

    Editor& editor_;
    ParamModel& model_;
    Navigator& navigator_;
    Window window_;
};

}  // namespace zt
