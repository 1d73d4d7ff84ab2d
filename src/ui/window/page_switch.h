#pragma once
// The page switch shared by the ten tab buttons, and the looks of the tool buttons while the
// mouse holds them.

#include "params/param_model.h"
#include "ui/state/window_state.h"
#include "ui/window/channel_selector.h"
#include "ui/window/channel_state.h"
#include "ui/window/main_window.h"
#include "ui/window/window_hooks.h"

namespace zt {

class SwappingToolButton;

// Orange of the EQ curve, set again at every page switch.
inline const QColor kEqCurveColour(255, 102, 0);

class PageSwitcher {
public:
    PageSwitcher(TForm1& window, ChannelState& channel, ChannelSelector& selector,
                 PageRefresher& refresher, const WindowServices& services,
                 const WindowState& state);

    // The page switch of a tab click: the tab button with this tag was clicked.
    void OnTabClicked(int tag);

    // The tab part of a switch (control action 10): marks the tab of `tag` as selected and the
    // other nine unselected, makes it the current tab and selects its channel. Returns the
    // selected channel; the caller stores it.
    int TabAction(int tag);

    // Wires the tab buttons' clicks and the selected look while the mouse holds a tab.
    void Connect();

private:
    TForm1& window_;
    ChannelState& channel_;
    ChannelSelector& selector_;
    PageRefresher& refresher_;
    const WindowServices& services_;
    const WindowState& state_;
};

// A tool button shows its selected look as soon as the mouse presses it.
void ShowSelectedWhilePressed(SwappingToolButton* button);

}  // namespace zt
