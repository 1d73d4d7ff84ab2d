// The mode controls of the right column after new data: the mode list with its current index
// and name, and the quick-load buttons of the current mode.

#include "link/protocol.h"
#include "ui/editing/editor.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/swapping.h"
#include "ui/window/mode_list.h"

namespace zt {
namespace {

void ShowSelected(QWidget* control, bool selected) {
    if (auto* button = qobject_cast<BitmapButton*>(control)) button->setShowsPressed(selected);
    if (auto* tool = qobject_cast<SwappingToolButton*>(control)) tool->setSelectedLook(selected);
}

}  // namespace

void Editor::RefreshModeControls() {
    const int index = model_.image().Get(MakeAddress(kSystemPage, 2));
    if (Selector* box = controls_.modeBox) {
        ShowModeItems(box, modes_.ModeListItems());
        ShowChosenMode(box, controls_.modeNameEdit, index);
    }
    for (size_t k = 0; k < controls_.modeButtons.size(); ++k) {
        ShowSelected(controls_.modeButtons[k], static_cast<int>(k) == index);
    }
    if (index >= kFirstBoxedUserMode && controls_.modeBox2) {
        controls_.modeBox2->setCurrentIndex(index - kFirstBoxedUserMode);
    }
    for (size_t j = 0; j < controls_.factoryButtons.size(); ++j) {
        ShowSelected(controls_.factoryButtons[j], kFirstFactoryMode + static_cast<int>(j) == index);
    }
}

}  // namespace zt
