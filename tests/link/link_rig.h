#pragma once
// A test bench for the link engine: a recorder of what the window is told, a clock whose
// timers the test steps millisecond by millisecond, and a scripted serial port with several
// names whose answers arrive one millisecond after the frame that caused them.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "link/frame_codec.h"
#include "link/link_engine.h"
#include "link/link_texts.h"
#include "link/protocol.h"
#include "params/diagnostic_log.h"
#include "params/page_table.h"
#include "params/param_model.h"

namespace zt::test {

class RecordingView : public LinkView {
public:
    void ShowLinkStatus(const BilingualText& text) override {
        status = text;
        statuses.push_back(text);
    }
    void SetLinkLabelColour(LinkLabelColour c) override { colour = c; }
    void SetLinkButtonLinked(bool isLinked) override { linked = isLinked; }
    void UpdateStatusDialog(int percent) override {
        progress = percent;
        if (progressSeen.empty() || progressSeen.back() != percent) progressSeen.push_back(percent);
    }
    void ShowStatusDialog() override { dialogVisible = true; }
    void HideStatusDialog() override { dialogVisible = false; }
    void ShowSearchPort(const std::string& name) override { searchPort = name; }
    void ShowSearchPortProblem(const std::string& name, const BilingualText& problem) override {
        searchPort = name;
        portProblems.push_back({name, problem});
    }
    void ShowLinkMessage(const BilingualText& text, const BilingualText& caption) override {
        messages.push_back(text);
        captions.push_back(caption);
    }
    void RefreshAfterTransfer() override { ++refreshes; }
    void RebuildModeList(const std::vector<std::string>& items) override {
        modeLists.push_back(items);
    }
    void BringUpMainWindow() override { ++bringUps; }
    void ShowDeviceId(const std::string& id) override { deviceId = id; }
    void ShowReadBack(const ReadBackStatus& status) override { readBacks.push_back(status); }
    void ReportUnconfirmed(const std::vector<ParamAddress>& addresses) override {
        unconfirmedReports.push_back(addresses);
    }
    void ShowWriteNotHeld(ParamAddress device) override { writesNotHeld.push_back(device); }
    void MarkNotOnProcessor(const std::vector<ParamAddress>& addresses) override {
        notOnProcessor = addresses;
    }

    BilingualText status;
    std::vector<BilingualText> statuses;
    LinkLabelColour colour = LinkLabelColour::Linking;
    bool linked = false;
    int progress = -1;
    std::vector<int> progressSeen;  // each change of the dialog's progress
    bool dialogVisible = false;
    std::string searchPort = kInitialSearchPort;
    std::vector<std::pair<std::string, BilingualText>> portProblems;
    std::vector<BilingualText> messages;
    std::vector<BilingualText> captions;
    int refreshes = 0;
    std::vector<std::vector<std::string>> modeLists;
    int bringUps = 0;
    std::string deviceId;
    std::vector<ReadBackStatus> readBacks;  // each change
    std::vector<std::vector<ParamAddress>> unconfirmedReports;
    std::vector<ParamAddress> writesNotHeld;
    std::vector<ParamAddress> notOnProcessor;
};

// The three link timers on the test's time: a started timer first fires one period later.
class SteppedClock : public LinkClock {
public:
    struct Timer {
        bool running = false;
        int64_t due = 0;
        int period = 0;
        int starts = 0;
    };

    void StartHold() override { Start(hold, kHoldPeriodMs); }
    void StopHold() override { hold.running = false; }
    void StartSearch() override { Start(search, kSearchPeriodMs); }
    void StopSearch() override { search.running = false; }
    void StartTransfer() override { Start(transfer, kTransferPeriodMs); }
    void StopTransfer() override { transfer.running = false; }
    void Pause(int ms) override { pauses.push_back(ms); }

    // True once when the timer is due at `now`.
    static bool Due(Timer& t, int64_t now) {
        if (!t.running || now < t.due) return false;
        t.due += t.period;
        return true;
    }

    int64_t now = 0;
    Timer hold, search, transfer;
    std::vector<int> pauses;

private:
    void Start(Timer& t, int period) {
        t.running = true;
        t.period = period;
        t.due = now + period;
        ++t.starts;
    }
};

// Serial ports by name. Only names in `present` open; those in `refusing` fail with their fault.
// Every frame written goes to `respond` (when set), whose answer arrives at the next millisecond in
// one receive event.
class ScriptedPort : public SerialPort {
public:
    struct Sent {
        int64_t at;
        std::string port;
        Bytes bytes;
    };
    using Responder = std::function<Bytes(const std::string& port, const Bytes& frame)>;

    bool Open(const std::string& name) override {
        openAttempts.push_back(name);
        const auto refused = refusing.find(name);
        fault_ = refused == refusing.end() ? PortFault::Missing : refused->second;
        if (!present.count(name) || refused != refusing.end()) return false;
        fault_ = PortFault::None;
        open = true;
        name_ = name;
        return true;
    }
    void Close() override {
        open = false;
        ++closes;
        arrived.clear();
    }
    bool IsOpen() const override { return open; }
    PortFault openFault() const override { return fault_; }
    std::string openHolder() const override { return fault_ == PortFault::Busy ? "minicom" : ""; }
    void Write(const Bytes& bytes) override {
        writes.push_back({*now, name_, bytes});
        if (!respond) return;
        const Bytes answer = respond(name_, bytes);
        arrived.insert(arrived.end(), answer.begin(), answer.end());
    }

    // Hands everything that has arrived to the engine as one receive event.
    void Deliver(LinkEngine& engine) {
        if (arrived.empty()) return;
        Bytes event;
        event.swap(arrived);
        engine.OnReceive(event);
    }

    // Frames written, as hex text, optionally only those to one port.
    std::vector<std::string> Written(const std::string& port = {}) const {
        std::vector<std::string> texts;
        for (const auto& w : writes) {
            if (port.empty() || w.port == port) texts.push_back(HexText(w.bytes));
        }
        return texts;
    }

    const int64_t* now = nullptr;
    std::set<std::string> present;
    std::map<std::string, PortFault> refusing;
    Responder respond;
    bool open = false;
    int closes = 0;
    std::vector<std::string> openAttempts;
    std::vector<Sent> writes;
    Bytes arrived;

private:
    std::string name_;
    PortFault fault_ = PortFault::None;
};

// A stand-in for the processor behind a ScriptedPort: acknowledges every write, answers a page
// request with the whole page (page 0 in two frames) holding 1000 + the page number in slot 0
// and zeros elsewhere, a mode-name request with "Mn" and a system item with its slot number.
// `answering` false makes it silent; the acknowledgements of the next `keepAliveAcksToLose`
// keep-alives are lost on the line.
struct MiniProcessor {
    bool answering = true;
    int answers = 0;
    int keepAliveAcksToLose = 0;

    Bytes operator()(const std::string&, const Bytes& frame) {
        if (!answering || frame.size() < 7) return {};
        ++answers;
        const ParamAddress address = frame[4] * 256 + frame[5];
        const bool keepAlive = address == kAddrLinkControl && frame[6] == kLinkKeepAlive;
        if (keepAlive && keepAliveAcksToLose > 0) {
            --keepAliveAcksToLose;
            return {};
        }
        if (frame[3] == kCommandWrite) return {kShortStart, kShortAccept};
        if (address == kAddrPageRequest) return PageAnswer(frame[6]);
        if (address == kAddrModeName) {
            const std::string name = "M" + std::to_string(frame[6]);
            return BuildFrame(kCommandWrite, kAddrModeName, Bytes(name.begin(), name.end()));
        }
        return BuildCommandFrame(kCommandWrite, address, SlotOf(address));
    }

    static Bytes PageAnswer(int page) {
        const int count = PageSlotCount(page);
        const int chunk = page == 0 ? kFirstChunkSlots : count;
        Bytes answer;
        for (int first = 0; first < count; first += chunk) {
            Bytes data;
            for (int slot = first; slot < std::min(count, first + chunk); ++slot) {
                const int value = slot == 0 ? 1000 + page : 0;
                data.push_back(static_cast<uint8_t>(value & 0xFF));
                data.push_back(static_cast<uint8_t>(value >> 8));
            }
            const Bytes f = BuildFrame(kCommandWrite, MakeAddress(page, first), data);
            answer.insert(answer.end(), f.begin(), f.end());
        }
        return answer;
    }
};

// Engine, model, view, clock and log together, with a port the test provides.
class LinkRig {
public:
    // `line` runs first in every millisecond: it moves the port's time on and hands arrived
    // bytes to the engine.
    LinkRig(SerialPort& port, std::function<void(LinkEngine&)> line)
        : engine(model, port, view, clock, log), line_(std::move(line)) {}

    void Step(int64_t ms) {
        for (int64_t i = 0; i < ms; ++i) {
            clock.now = ++now;
            line_(engine);
            if (SteppedClock::Due(clock.hold, now)) engine.OnHoldTick();
            if (SteppedClock::Due(clock.transfer, now)) engine.OnTransferTick();
            if (SteppedClock::Due(clock.search, now)) engine.OnSearchTick();
        }
    }

    // Steps until the condition holds; false when it did not within the limit.
    bool StepUntil(const std::function<bool()>& done, int64_t limitMs) {
        for (int64_t i = 0; i < limitMs; ++i) {
            if (done()) return true;
            Step(1);
        }
        return done();
    }

    ParamModel model;
    MemoryLog log;
    RecordingView view;
    SteppedClock clock;
    int64_t now = 0;
    LinkEngine engine;

private:
    std::function<void(LinkEngine&)> line_;
};

// A link over scripted ports ("COM3" answers through a MiniProcessor unless told otherwise).
class ScriptedLinkTest : public ::testing::Test {
protected:
    ScriptedLinkTest() : rig(port, [this](LinkEngine& e) { port.Deliver(e); }) {
        port.now = &rig.now;
        port.respond = [this](const std::string& name, const Bytes& frame) {
            return name == answeringPort ? processor(name, frame) : Bytes{};
        };
    }

    // Searches on COM1 alone and steps until the download is in and the link online.
    void BringOnline() {
        answeringPort = "COM1";
        port.present = {"COM1"};
        rig.engine.SetPortNames({"COM1"});
        rig.engine.OnLinkButton(LinkButton::LinkBtn);
        ASSERT_TRUE(rig.StepUntil([this] { return rig.engine.linkOnline(); }, 20000));
        port.writes.clear();
    }

    ScriptedPort port;
    MiniProcessor processor;
    std::string answeringPort = "COM3";
    LinkRig rig;
};

}  // namespace zt::test
