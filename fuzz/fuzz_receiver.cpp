// Arbitrary byte streams from the processor, cut into arbitrary receive events, through the
// link engine's receiver and apply frame, with the link's timers ticking in between so that
// frames meet every transfer state. Also applies raw slices directly as frames.
//
// Input: a sequence of operations, each one byte followed by what it needs.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "link/frame_codec.h"
#include "link/link_engine.h"
#include "params/diagnostic_log.h"
#include "params/param_model.h"

namespace zt {
namespace {

class OpenPort : public SerialPort {
public:
    bool Open(const std::string&) override { return open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    void Write(const Bytes& bytes) override { written_ += bytes.size(); }

private:
    bool open_ = false;
    size_t written_ = 0;
};

class QuietView : public LinkView {
public:
    void ShowLinkStatus(const BilingualText&) override {}
    void SetLinkLabelColour(LinkLabelColour) override {}
    void SetLinkButtonLinked(bool) override {}
    void UpdateStatusDialog(int percent) override {
        if (percent < 0 || percent > 200) std::abort();
    }
    void ShowStatusDialog() override {}
    void HideStatusDialog() override {}
    void ShowSearchPort(const std::string&) override {}
    void ShowLinkMessage(const BilingualText&, const BilingualText&) override {}
    void RefreshAfterTransfer() override {}
    void RebuildModeList(const std::vector<std::string>& items) override {
        if (items.size() != kDeviceModeCount) std::abort();
    }
    void BringUpMainWindow() override {}
    void ShowDeviceId(const std::string& id) override {
        if (id.size() > 8) std::abort();
    }
};

class QuietClock : public LinkClock {
public:
    void StartHold() override {}
    void StopHold() override {}
    void StartSearch() override {}
    void StopSearch() override {}
    void StartTransfer() override {}
    void StopTransfer() override {}
    void Pause(int) override {}
};

// Keeps the log from growing without bound over a long input.
class CappedLog : public MemoryLog {
public:
    void Append(const std::string& line) override {
        if (lines().size() > 256) Clear();
        MemoryLog::Append(line);
    }
};

void CheckInvariants(const ParamModel& model, const DeviceInfo& info) {
    // Only received frames wrote the image here: every value is an unsigned 16-bit one.
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int32_t v = model.image().Get(page, slot);
            if (v < 0 || v > 65535) std::abort();
        }
    }
    for (const std::string& name : info.modeNames) {
        if (name.size() > static_cast<size_t>(kModeNameLength)) std::abort();
    }
}

}  // namespace
}  // namespace zt

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zt;
    FuzzedDataProvider input(data, size);
    ParamModel model;
    OpenPort port;
    QuietView view;
    QuietClock clock;
    CappedLog log;
    LinkEngine engine(model, port, view, clock, log);
    engine.SetPortNames({"COM1", "COM2"});
    engine.OnLinkButton(LinkButton::LinkBtn);

    while (input.remaining_bytes() > 0) {
        const uint8_t op = input.ConsumeIntegral<uint8_t>();
        if (op < 192) {
            // One receive event of up to 63 bytes; from 128 on the reported count differs.
            const Bytes event = input.ConsumeBytes<uint8_t>(op & 0x3F);
            const size_t count = op < 128 ? event.size() : input.ConsumeIntegral<uint16_t>();
            engine.OnReceive(event, count);
        } else if (op < 216) {
            for (int i = op - 191; i > 0; --i) engine.OnTransferTick();
        } else if (op < 232) {
            for (int i = 0; i < 10 * (op - 215); ++i) engine.OnHoldTick();
        } else if (op < 240) {
            engine.OnSearchTick();
        } else if (op < 244) {
            engine.OnLinkButton(op & 1 ? LinkButton::LinkBtn : LinkButton::UnLinkBtn);
        } else if (op < 248) {
            engine.StartUpload();
        } else {
            // A raw slice applied as a frame, under any mode record counter.
            const int counter = input.ConsumeIntegralInRange<int>(-2, 40);
            const Bytes frame = input.ConsumeBytes<uint8_t>(input.ConsumeIntegral<uint8_t>());
            ApplyFrame(frame, FrameTargets{model.image(), engine.deviceInfo(), log, counter});
        }
    }
    CheckInvariants(model, engine.deviceInfo());
    return 0;
}
