// The mode controls of the right column after new data: the mode list with its current index
// and name, and the quick-load buttons of the current mode.

#include "ui/editing/page_display.h"

#include "link/protocol.h"
#include "ui/editing/editing_parts.h"
#include "ui/editing/editing_ports.h"
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

void PageDisplay::RefreshModeControls() {
    const int index = parts_.model.image().Get(MakeAddress(kSystemPage, 2));
    if (Selector* box = parts_.controls.modeBox) {
        ShowModeItems(box, modes_.ModeListItems());
        ShowChosenMode(box, parts_.controls.modeNameEdit, index);
    }
    for (size_t k = 0; k < parts_.controls.modeButtons.size(); ++k) {
        ShowSelected(parts_.controls.modeButtons[k], static_cast<int>(k) == index);
    }
    if (index >= kFirstBoxedUserMode && parts_.controls.modeBox2) {
        parts_.controls.modeBox2->setCurrentIndex(index - kFirstBoxedUserMode);
    }
    for (size_t j = 0; j < parts_.controls.factoryButtons.size(); ++j) {
        ShowSelected(parts_.controls.factoryButtons[j],
                     kFirstFactoryMode + static_cast<int>(j) == index);
    }
}

}  // namespace zt
