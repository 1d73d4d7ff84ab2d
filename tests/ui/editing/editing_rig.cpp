#include "tests/ui/editing/editing_rig.h"

#include <QApplication>
#include <QTest>

#include "link/protocol.h"
#include "params/page_table.h"

namespace zt::test {

EditingRig::EditingRig() {
    port.SetReceiver([this](const Bytes& bytes, int count) {
        engine.OnReceive(bytes, static_cast<size_t>(count));
    });
    view.afterTransfer = [this] { RefreshAfterTransfer(); };
    Start(model, path, parameters);
}

bool EditingRig::Link() {
    engine.SetPortNames({port.portName()});
    engine.OnLinkButton(LinkButton::LinkBtn);
    for (int ms = 0; ms < 30000 && !engine.linkOnline(); ++ms) Run(1);
    Run(100);
    TakeWrites();
    return engine.linkOnline();
}

void EditingRig::Run(int ms) {
    for (int i = 0; i < ms; ++i) {
        ++clock.now;
        port.Advance(1);
        port.Deliver();
        if (clock.Due(clock.search)) engine.OnSearchTick();
        if (clock.Due(clock.transfer)) engine.OnTransferTick();
        if (clock.Due(clock.hold)) engine.OnHoldTick();
    }
}

std::vector<Received> EditingRig::TakeWrites() {
    Run(200);
    std::vector<Received> writes;
    const auto& frames = sim.log();
    for (size_t i = seenFrames_; i < frames.size(); ++i) {
        const SimFrame& f = frames[i];
        if (f.command != kCommandWrite || f.data.size() != 2 || f.address == kAddrLinkControl) {
            continue;
        }
        writes.push_back({f.address, f.data[0] | (f.data[1] << 8)});
    }
    seenFrames_ = frames.size();
    return writes;
}

}  // namespace zt::test
