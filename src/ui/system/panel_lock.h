#pragma once
// The lock of the window after connecting, while the processor's panel key lock is on: the
// check that ends every page refresh, the unlock panel FirstCheckGrop and its password.

#include <QObject>
#include <functional>

#include "link/link_engine.h"
#include "params/param_model.h"
#include "ui/editing/editing_ports.h"
#include "ui/state/window_state.h"
#include "ui/system/prompts.h"

namespace zt {

class PlainEdit;
class TForm1;

class PanelLock : public LockCheck {
public:
    // `selectMusicPage` selects the music page as a click on its tab does.
    PanelLock(LinkEngine& link, ParamModel& model, Prompts& prompts, TForm1& window,
              WindowState& state, std::function<void()> selectMusicPage);

    // Runs after the window was locked or unlocked.
    void SetOnLockChange(std::function<void()> changed) { lockChanged_ = std::move(changed); }

    // Connects the unlock panel's button and the digit filter of its field.
    void Connect(QObject* context);

    // The lock check: once a download has completed since the link started (lock stage 1) and
    // the panel key lock is on, locks the window until the panel lock password is typed.
    void CheckPanelLock() override;
    // The unlock panel's button: the panel lock password unlocks the window.
    void OnUnlock();

    bool locked() const { return state_.locked; }

private:
    void SetLocked(bool locked);

    LinkEngine& link_;
    ParamModel& model_;
    Prompts& prompts_;
    TForm1& window_;
    WindowState& state_;
    std::function<void()> selectMusicPage_;
    std::function<void()> lockChanged_;
};

}  // namespace zt
