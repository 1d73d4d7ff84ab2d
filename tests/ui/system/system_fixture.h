#pragma once
// The editor's whole window, offscreen, with the simulated processor of this process on a
// pseudo-terminal. The tests drive the link's search and transfer steps as soon as the processor
// has answered (tests/support/link_driver.h).

#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "link/protocol.h"
#include "tests/support/link_driver.h"
#include "ui/app/system_side.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/swapping.h"
#include "ui/window/pty_sim.h"
#include "ui/window/window_fixture.h"

namespace zt {

class SystemFixture : public WindowFixture {
protected:
    void BeforeStart() override {
        std::string error;
        ASSERT_TRUE(sim_.Start(runtime_.path(), error)) << error;
    }

    static bool WaitFor(const std::function<bool()>& done, int ms) {
        return test::WaitFor(done, ms);
    }
    bool DriveOnline() { return test::DriveOnline(app().link()); }
    // Links from start-up to online.
    void LinkNow() { ASSERT_TRUE(DriveOnline()) << "no link to the simulated processor"; }
    // Waits until the link has left online (a loaded mode, an upload), then drives it back.
    bool DriveThroughTransfer() { return test::DriveThroughTransfer(app().link()); }

    // Frames the processor received at `address`, oldest first.
    std::vector<Bytes> FramesAt(ParamAddress address) {
        std::vector<Bytes> frames;
        for (const SimFrame& f : sim_.processor().log()) {
            if (f.address == address && f.command == kCommandWrite) frames.push_back(f.data);
        }
        return frames;
    }

    void Click(const char* name) { Get<QAbstractButton>(name)->click(); }
    void UseChinese() { app().languageSwitch().SetLanguage(kChinese); }
    SystemSide& system() { return app().system(); }

    // Names the modes as the processor would report them and shows them in SysModeBox.
    void NameModes(const std::vector<std::pair<int, std::string>>& names) {
        for (const auto& [index, name] : names) app().link().deviceInfo().modeNames[index] = name;
        app().linkView().RebuildModeList(ModeListItems(app().link().deviceInfo()));
    }
    // A mode picked in SysModeBox by the user.
    void PickMode(int index) {
        auto* box = Get<Selector>("SysModeBox");
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void SetManager(bool manager) { app().model().StoreValue(kAddrManagerFlag, manager ? 1 : 0); }

    PtySim sim_;
};

}  // namespace zt
