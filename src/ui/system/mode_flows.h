#pragma once
// Loading and saving the processor's modes from the right column: the mode list SysModeBox with
// its name field and load / save buttons, the quick-load buttons of the user modes 1 to 4 and of
// the six factory modes, and the list SysModeBox2 of the user modes 5 to 16.

#include <QObject>
#include <QTimer>
#include <array>

#include "link/link_engine.h"
#include "params/param_model.h"
#include "ui/state/window_state.h"
#include "ui/state/window_writes.h"
#include "ui/system/prompts.h"
#include "ui/widgets/control_registry.h"

class QAbstractButton;

namespace zt {

class BitmapButton;
class PlainEdit;
class Selector;

class ModeFlows {
public:
    // `state` tells whether the access code opened the Hint tab.
    ModeFlows(LinkEngine& link, WindowWrites& writes, ParamModel& model, Prompts& prompts,
              const ControlRegistry& registry, const WindowState& state);

    // Connects the handlers; `context` ends them.
    void Connect(QObject* context);

    // A mode chosen in the mode list: the name part of its item into the name field.
    void OnModeBoxChange();
    // The load button: asks, then loads the selected mode.
    void LoadSelectedMode();
    // The save button: checks, asks, then saves the selected mode under
    // the name in PresetModeEdit.
    void SaveSelectedMode();
    // A quick-load button of a user or factory mode: only while online, selects mode `index` and
    // loads it.
    void OnQuickButton(int index);
    // A mode chosen in the list of user modes 5 to 16: item 0 is user mode 5 (index 4).
    void OnModeBox2Change(int item);

private:
    void SelectMode(int index);
    // Writes the load of mode `index` once the link is idle (see the .cpp).
    void SendLoad(int index);
    void OnLoadWait();
    bool HintTabShown() const;

    LinkEngine& link_;
    WindowWrites& writes_;
    ParamModel& model_;
    Prompts& prompts_;
    Selector* modeBox_;
    Selector* modeBox2_;
    PlainEdit* nameEdit_;
    QAbstractButton* loadButton_;
    QAbstractButton* saveButton_;
    const WindowState& state_;
    std::array<BitmapButton*, 10> quickButtons_{};  // SysModeBtn1..4, SysFactoryBtn..6
    QTimer loadWait_;
    int waitingLoad_ = -1;
};

}  // namespace zt
