#pragma once
// The mode list SysModeBox of the right column and the name edit beside it: every part of the
// window that fills the list or chooses a mode in it does so here.

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

namespace zt {

// New items as the processor reported them; the mode chosen stays chosen where it still exists.
void ShowModeItems(QComboBox* box, const std::vector<std::string>& items);

// Chooses the mode at `index` (-1: none) and shows its name in `nameEdit` (may be null).
void ShowChosenMode(QComboBox* box, QLineEdit* nameEdit, int index);

}  // namespace zt
