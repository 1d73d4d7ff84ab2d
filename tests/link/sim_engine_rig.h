#pragma once
// The link engine against the simulated processor through SimPort, on the test's clock, with a
// hand on the line in both directions: a test can lose chosen frames of the editor, or cut
// chosen bytes out of the answers, and does so exactly where the fault must fall.

#include <functional>
#include <string>

#include "link_rig.h"
#include "params/page_table.h"
#include "params/side_pairs.h"
#include "sim/sim_port.h"

namespace zt::test {

// A serial port that hands every write to SimPort unless the test's filter loses it.
class FilteredPort : public SerialPort {
public:
    explicit FilteredPort(SimPort& inner) : inner_(inner) {}

    bool Open(const std::string& name) override { return inner_.Open(name); }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    PortFault openFault() const override { return inner_.openFault(); }
    void Write(const Bytes& bytes) override {
        written.push_back(bytes);
        writtenAt.push_back(inner_.now());
        if (lose && lose(bytes)) return;
        inner_.Write(bytes);
    }

    // True for a frame the line loses on its way to the processor.
    std::function<bool(const Bytes&)> lose;
    // Every frame the editor wrote, lost or not, and when.
    std::vector<Bytes> written;
    std::vector<int64_t> writtenAt;

private:
    SimPort& inner_;
};

struct SimEngineRig {
    explicit SimEngineRig(const SimFaults& faults = {}, bool readBack = true)
        : sim(faults), port(sim), line(port), rig(line, [this](LinkEngine&) {
              port.Advance(1);
              port.Deliver();
          }) {
        port.SetReceiver([this](const Bytes& bytes, int count) {
            Bytes arrived = bytes;
            if (cut) cut(arrived);
            received += arrived.size();
            if (!arrived.empty()) rig.engine.OnReceive(arrived, static_cast<size_t>(count));
        });
        // The engine alone writes each side as addressed (copying one side onto the other when
        // they part is the window's), so the processor keeps the sides apart here.
        for (const SidePair& pair : kSidePairs) sim.memory().Set(pair.sideAddress, 0);
        rig.engine.SetReadBackEnabled(readBack);
        rig.engine.SetPortNames({"COM1", "ZT461-SIM"});
        rig.engine.OnLinkButton(LinkButton::LinkBtn);
    }
    bool WaitOnline(int64_t limitMs) {
        return rig.StepUntil([this] { return rig.engine.linkOnline(); }, limitMs);
    }
    void ExpectImageMatches() {
        for (int page = 0; page < kTransferPageCount; ++page) {
            for (int slot = 0; slot < PageSlotCount(page); ++slot) {
                ASSERT_EQ(rig.model.image().Get(page, slot), sim.memory().Get(page, slot))
                    << page << "/" << slot;
            }
        }
    }
    // Device addresses whose value differs between the image and the processor.
    std::vector<ParamAddress> Differences() const {
        std::vector<ParamAddress> differ;
        for (int page = 0; page < kTransferPageCount; ++page) {
            for (int slot = 0; slot < PageSlotCount(page); ++slot) {
                if (rig.model.image().Get(page, slot) != sim.memory().Get(page, slot)) {
                    differ.push_back(MakeAddress(page, slot));
                }
            }
        }
        return differ;
    }
    void SetFaults(const std::function<void(SimFaults&)>& change) {
        SimFaults faults = sim.faults();
        change(faults);
        sim.SetFaults(faults);
    }

    SimProcessor sim;
    SimPort port;
    FilteredPort line;
    // Cuts bytes out of what arrives before the engine sees it.
    std::function<void(Bytes&)> cut;
    size_t received = 0;  // bytes the engine was handed
    LinkRig rig;
};

// Frame tests for the filters.
inline bool IsWriteTo(const Bytes& frame, ParamAddress address) {
    return frame.size() >= 7 && frame[3] == kCommandWrite && frame[4] * 256 + frame[5] == address;
}
inline bool IsKeepAlive(const Bytes& frame) {
    return IsWriteTo(frame, kAddrLinkControl) && frame[6] == kLinkKeepAlive;
}
inline bool IsPageRequest(const Bytes& frame) {
    return frame.size() >= 7 && frame[3] == kCommandRead &&
           frame[4] * 256 + frame[5] == kAddrPageRequest;
}

}  // namespace zt::test
