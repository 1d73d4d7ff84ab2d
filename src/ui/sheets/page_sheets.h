#pragma once
// Builders of the window's parameter pages: the nine sheets of the page container
// FormPageItem and the three sheets of the right column AdvPageControl1. Every control they
// create carries its name as objectName and is added to the registry, in creation order.

#include <QSize>

class QStackedWidget;
class QTabWidget;

namespace zt {

class ControlRegistry;

// Design size of one sheet of FormPageItem and of the right column's page control.
inline constexpr QSize kPageSheetSize{944, 232};
inline constexpr QSize kRightColumnSize{260, 584};

// Creates the sheets 0..8 of FormPageItem (AdvTabSheet1_mus .. AdvTabSheet9_DEQ) with all
// their controls, the hidden edit Example that holds slots without a control of their own, and
// Examplexx, the focus parking edit placed outside the visible area.
void BuildPageSheets(QStackedWidget* formPageItem, ControlRegistry& registry);

// Creates the three sheets of the right column: "主音量" (volumes, factory and user modes),
// "音量控制" (start and maximum volumes, panel lock) and "系统设定" (user / manager mode, device
// modes, system password, preset files on the PC).
void BuildRightColumn(QTabWidget* advPageControl1, ControlRegistry& registry);

}  // namespace zt
