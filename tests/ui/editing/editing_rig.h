#pragma once
// A small window for the editing tests: real control classes named and tagged as on the main
// window (the music, microphone, echo, output and dynamic EQ controls the tests touch, the graph
// panel's buttons, the volume groups and the system switches), a binding table over them, and
// the link engine talking to the in-process processor simulator on the test's own clock.

#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "link/link_engine.h"
#include "params/diagnostic_log.h"
#include "params/param_model.h"
#include "sim/sim_port.h"
#include "sim/sim_processor.h"
#include "tests/ui/editing/rig_window.h"
#include "ui/editing/editor.h"
#include "ui/editing/link_parameters.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt::test {

// What the link shows, reduced to what these tests need: the refresh after a download.
class RigView : public LinkView {
public:
    std::function<void()> afterTransfer;
    void ShowLinkStatus(const BilingualText&) override {}
    void SetLinkLabelColour(LinkLabelColour) override {}
    void SetLinkButtonLinked(bool) override {}
    void UpdateStatusDialog(int) override {}
    void ShowStatusDialog() override {}
    void HideStatusDialog() override {}
    void ShowSearchPort(const std::string&) override {}
    void ShowLinkMessage(const BilingualText&, const BilingualText&) override {}
    void RefreshAfterTransfer() override {
        if (afterTransfer) afterTransfer();
    }
    void RebuildModeList(const std::vector<std::string>&) override {}
    void BringUpMainWindow() override {}
    void ShowDeviceId(const std::string&) override {}
};

// The link timers on the test's time.
class RigClock : public LinkClock {
public:
    void StartHold() override { Start(hold, kHoldPeriodMs); }
    void StopHold() override { hold.on = false; }
    void StartSearch() override { Start(search, kSearchPeriodMs); }
    void StopSearch() override { search.on = false; }
    void StartTransfer() override { Start(transfer, kTransferPeriodMs); }
    void StopTransfer() override { transfer.on = false; }
    void Pause(int) override {}

    struct Timer {
        bool on = false;
        int64_t due = 0;
        int period = 0;
    };
    bool Due(Timer& t) {
        if (!t.on || now < t.due) return false;
        t.due += t.period;
        return true;
    }
    int64_t now = 0;
    Timer hold, search, transfer;

private:
    void Start(Timer& t, int period) {
        if (t.on) return;
        t = {true, now + period, period};
    }
};

// A write the simulator received: device address and value.
struct Received {
    ParamAddress address;
    int value;
    bool operator==(const Received&) const = default;
};

class EditingRig : public RigFrame {
public:
    EditingRig();

    // Searches, downloads and comes online (the simulator's factory memory).
    bool Link();
    // Runs the link for `ms` milliseconds of its own time.
    void Run(int ms);
    // Writes the simulator received since the last call.
    std::vector<Received> TakeWrites();

    ParamModel model;
    SimProcessor sim;
    SimPort port{sim};
    RigView view;
    RigClock clock;
    MemoryLog log;
    LinkEngine engine{model, port, view, clock, log};
    WindowState windowState;
    WindowWrites writes{engine, windowState};
    EditPath path{model, writes};
    LinkParameters parameters{engine};

private:
    size_t seenFrames_ = 0;
};

}  // namespace zt::test
