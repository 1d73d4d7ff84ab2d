#pragma once
// A model of the ZT461 processor as the editor sees it over the serial line: it takes the bytes
// the editor sends, keeps the whole parameter memory, the 22 modes and the system items, and
// returns the bytes the processor answers. It knows nothing of time or ports; SimPort (in
// process) and the zt461-sim program (on a pseudo-terminal) carry its bytes.

#include <bitset>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "params/param_address.h"
#include "sim/factory_settings.h"
#include "sim/sim_faults.h"
#include "sim/sim_frame_reader.h"

namespace zt {

class SimProcessor {
public:
    explicit SimProcessor(const SimFaults& faults = {});

    // Feeds received bytes (any piece of the stream) and returns every byte answered to the
    // frames they complete, in order. Returns nothing once silent or vanished.
    Bytes Receive(const Bytes& bytes);
    Bytes Receive(const uint8_t* bytes, size_t count);

    // Live memory: pages 0..29 (the parameters) and page 30 (the system items).
    const PageMemory& memory() const { return memory_; }
    PageMemory& memory() { return memory_; }
    // The memory stored in mode 0..21 (pages 0..29 matter).
    const PageMemory& modeMemory(int mode) const;
    const std::string& modeName(int mode) const;
    void SetModeName(int mode, const std::string& name);
    const std::string& systemPassword() const { return systemPassword_; }
    const std::string& panelPassword() const { return panelPassword_; }
    void SetSystemPassword(const std::string& p) { systemPassword_ = p; }
    void SetPanelPassword(const std::string& p) { panelPassword_ = p; }
    int currentMode() const { return memory_.Get(kSystemPage, 2); }
    int panelLock() const { return memory_.Get(kSystemPage, 4); }
    int managerFlag() const { return memory_.Get(kSystemPage, 8); }
    void SetPanelLock(int on) { memory_.Set(kSystemPage, 4, on); }
    void SetManagerFlag(int manager) { memory_.Set(kSystemPage, 8, manager); }

    // Every frame received, oldest first (the oldest are dropped beyond kLogLimit).
    static constexpr size_t kLogLimit = 100000;
    const std::deque<SimFrame>& log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // Frames received since start, including those received while silent.
    int framesReceived() const { return framesReceived_; }

    // Faults, changeable at any time (tests switch them on mid-run).
    const SimFaults& faults() const { return faults_; }
    void SetFaults(const SimFaults& faults);

    bool connected() const { return connected_; }
    // Counts the editor coming online: the first keep-alive after a complete download or
    // upload. The pty program reports each new one to scripts.
    int onlineCount() const { return onlineCount_; }
    // Set once vanishAfter frames were answered: the transport then takes the port away.
    bool vanished() const { return vanished_; }
    bool silent() const;

private:
    void Handle(const SimFrame& frame, Bytes& out);
    void HandleWrite(const SimFrame& frame, Bytes& out);
    void HandleSystemWrite(int slot, const Bytes& data);
    void HandleLink(int value);
    void HandleRead(const SimFrame& frame, Bytes& out);
    void HandleSystemRead(int slot, const Bytes& data, Bytes& out);
    void SaveMode(const Bytes& data);
    void LoadMode(int mode);
    void StoreUpload(const Bytes& data);
    void StoreValues(int page, int slot, const Bytes& data);
    void SendPage(int page, Bytes& out);
    void SendAck(Bytes& out);
    bool LosesKeepAliveAck(int slot, const Bytes& data);
    void SendFrame(ParamAddress address, const Bytes& data, Bytes& out);
    void SendGarbage(Bytes& out);

    SimFaults faults_;
    SimDice dice_;
    SimFrameReader reader_;
    PageMemory memory_;
    std::vector<PageMemory> modes_;
    std::vector<std::string> names_;
    std::string systemPassword_ = kFactorySystemPassword;
    std::string panelPassword_ = kFactoryPanelPassword;
    std::deque<SimFrame> log_;
    int framesReceived_ = 0;
    int framesAnswered_ = 0;
    bool connected_ = false;
    bool vanished_ = false;
    std::bitset<kTransferPageCount> pagesTransferred_;
    bool transferComplete_ = false;
    int onlineCount_ = 0;
    int keepAliveAcksDropped_ = 0;
};

}  // namespace zt
