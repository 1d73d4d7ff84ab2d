#pragma once
// The lock of the window after connecting, while the processor's panel key lock is on: the
// check that ends every page refresh, the unlock panel FirstCheckGrop and its password.

#include <QObject>
#include <functional>

#include "link/link_engine.h"
#include "params/param_model.h"
#include "ui/editing/editing_ports.h"
#include "ui/system/prompts.h"

namespace zt {

class PlainEdit;
class TForm1;

class PanelLock : public LockCheck {
public:
    // `selectMusicPage` selects the music page as a click on its tab does.
    PanelLock(LinkEngine& link, ParamModel& model, Prompts& prompts, TForm1& window,
              std::function<void()> selectMusicPage);

    // Connects the unlock panel's button and the digit filter of its field.
    void Connect(QObject* context);

    // The lock check: once a download has completed since the link started (lock stage 1) and
    // the panel key lock is on, locks the window until the panel lock password is typed.
    void CheckPanelLock() override;
    // RzBmpButton4Click.
    void OnUnlock();

    bool locked() const;

private:
    void EnableAreas(bool enabled);

    LinkEngine& link_;
    ParamModel& model_;
    Prompts& prompts_;
    TForm1& window_;
    std::function<void()> selectMusicPage_;
};

}  // namespace zt
