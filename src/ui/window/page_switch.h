#pragma once
// The page switch shared by the ten tab buttons, and the looks of the tool buttons while the
// mouse holds them.

#include "params/param_model.h"
#include "ui/state/navigator.h"
#include "ui/state/window_state.h"
#include "ui/window/main_window.h"
#include "ui/window/window_hooks.h"

namespace zt {

class SwappingToolButton;

// Orange of the EQ curve, set again at every page switch.
inline const QColor kEqCurveColour(255, 102, 0);

class PageSwitcher {
public:
    // The tab strip shows the navigator's tab from construction on.
    PageSwitcher(TForm1& window, Navigator& navigator, PageRefresher& refresher,
                 const WindowServices& services, const WindowState& state);

    // The page switch of a tab click: the tab button with this tag was clicked.
    void OnTabClicked(int tag);

    // Shows the view the navigator holds: the channel's sheet, its values and the graph.
    void ShowView();

    // Wires the tab buttons' clicks and the selected look while the mouse holds a tab.
    void Connect();

private:
    void ShowTabLooks();

    TForm1& window_;
    Navigator& navigator_;
    PageRefresher& refresher_;
    const WindowServices& services_;
    const WindowState& state_;
    QObject follower_;  // ends the view-change connection with the page switch
};

// A tool button shows its selected look as soon as the mouse presses it.
void ShowSelectedWhilePressed(SwappingToolButton* button);

}  // namespace zt
