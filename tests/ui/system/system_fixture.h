#pragma once
// The editor's whole window, offscreen, with the simulated processor of this process on a
// pseudo-terminal. The link's search and transfer steps run as soon as the processor has
// answered instead of on their 1 s and 100 ms timers, so a download takes a fraction of a
// second; the hold timer runs on its own.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <string>
#include <vector>

#include "link/protocol.h"
#include "ui/system/system_side.h"
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

    // Waits, handling events, until `done` or `ms` milliseconds have passed.
    static bool WaitFor(const std::function<bool()>& done, int ms) {
        const QDeadlineTimer deadline(ms);
        while (!done()) {
            if (deadline.hasExpired()) return false;
            QTest::qWait(1);
        }
        return true;
    }

    // Runs the search or transfer under way until the link is online.
    bool DriveOnline(int ms = 20000) {
        LinkEngine& link = app().link();
        const QDeadlineTimer deadline(ms);
        while (!link.linkOnline()) {
            if (deadline.hasExpired()) return false;
            if (link.searchRunning()) {
                link.OnSearchTick();
                WaitFor([&] { return link.answered(); }, 200);
            } else if (link.transferRunning()) {
                WaitFor([&] { return !link.transferRunning() || Answered(link); }, 300);
                QTest::qWait(1);  // a request asked twice is answered twice
                if (link.transferRunning()) link.OnTransferTick();
            } else {
                QTest::qWait(1);
            }
        }
        return true;
    }

    // Links from start-up to online.
    void LinkNow() { ASSERT_TRUE(DriveOnline()) << "no link to the simulated processor"; }

    // Waits until the link has left online (a loaded mode, a save, an upload), then drives it
    // back online.
    bool DriveThroughTransfer() {
        LinkEngine& link = app().link();
        if (!WaitFor([&] { return link.transferRunning(); }, 3000)) return false;
        return DriveOnline();
    }

    static bool Answered(const LinkEngine& link) {
        return link.transferStep() == kStepFrame ||
               (link.transferStep() == kStepShortMessage &&
                link.transferDirection() == TransferDirection::Write);
    }

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
