#include "sim/sim_processor.h"

#include <algorithm>

#include "link/frame_codec.h"
#include "link/protocol.h"
#include "params/page_table.h"
#include "sim/side_link.h"

namespace zt {
namespace {

// System page slots the processor acts on, besides those of the protocol header.
constexpr int kSlotSaveMode = SlotOf(kAddrSaveMode);
constexpr int kSlotCurrentMode = SlotOf(kAddrLoadMode);
constexpr int kSlotUpload = SlotOf(kAddrPageUpload);
constexpr int kSlotPageRequest = SlotOf(kAddrPageRequest);
// The music input select, and also the last item of a download and of an upload.
constexpr int kSlotInputSelect = SlotOf(kAddrUploadTail);
constexpr int kSlotLink = SlotOf(kAddrLinkControl);

constexpr size_t kNameLength = kModeNameLength;
constexpr size_t kPasswordLimit = 20;
constexpr uint8_t kDeviceId[] = {0x34, 0x61, 0x20, 0x17};

int ValueOf(const Bytes& data) {
    if (data.size() >= 2) return data[0] + 256 * data[1];
    return data.empty() ? 0 : data[0];
}

Bytes ValueBytes(int32_t value) {
    return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF)};
}

std::string TextOf(Bytes::const_iterator first, Bytes::const_iterator last, size_t limit) {
    std::string text(first, first + std::min<std::ptrdiff_t>(last - first, limit));
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
    return text;
}

}  // namespace

SimProcessor::SimProcessor(const SimFaults& faults)
    : faults_(faults), dice_(faults.seed), memory_(FactoryMemory(0)) {
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        modes_.push_back(FactoryMemory(mode >= kFirstFactoryMode ? mode - 15 : 0));
        names_.push_back(FactoryModeName(mode));
    }
    vanished_ = faults_.vanishAfter == 0;
}

void SimProcessor::SetFaults(const SimFaults& faults) {
    const bool reseed = faults.seed != faults_.seed;
    faults_ = faults;
    if (reseed) dice_ = SimDice(faults.seed);
    vanished_ = vanished_ || (faults_.vanishAfter >= 0 && framesAnswered_ >= faults_.vanishAfter);
}

bool SimProcessor::silent() const {
    return faults_.silentAfter >= 0 && framesAnswered_ >= faults_.silentAfter;
}

const PageMemory& SimProcessor::modeMemory(int mode) const {
    return modes_[std::clamp(mode, 0, kDeviceModeCount - 1)];
}

const std::string& SimProcessor::modeName(int mode) const {
    return names_[std::clamp(mode, 0, kDeviceModeCount - 1)];
}

void SimProcessor::SetModeName(int mode, const std::string& name) {
    if (mode >= 0 && mode < kDeviceModeCount) names_[mode] = name.substr(0, kNameLength);
}

Bytes SimProcessor::Receive(const Bytes& bytes) {
    return Receive(bytes.data(), bytes.size());
}

Bytes SimProcessor::Receive(const uint8_t* bytes, size_t count) {
    std::vector<SimFrame> frames;
    reader_.Feed(bytes, count, frames);
    Bytes out;
    for (const SimFrame& frame : frames) Handle(frame, out);
    return out;
}

void SimProcessor::Handle(const SimFrame& frame, Bytes& out) {
    // Spoiled on the way in: the processor never sees it.
    if (dice_.Roll(faults_.loseFrames)) return;
    // Only the editor's parameter writes (to pages 0..29): lost writes apart from lost requests.
    if (frame.command == kCommandWrite && PageOf(frame.address) < kTransferPageCount &&
        dice_.Roll(faults_.loseWrites)) {
        return;
    }
    ++framesReceived_;
    log_.push_back(frame);
    if (log_.size() > kLogLimit) log_.pop_front();
    // A processor that has hung or gone, or a frame that does not add up: no answer at all.
    if (vanished_ || silent() || !frame.checksumOk) return;
    if (frame.command == kCommandWrite) {
        HandleWrite(frame, out);
    } else if (frame.command == kCommandRead) {
        HandleRead(frame, out);
    }
    ++framesAnswered_;
    if (faults_.vanishAfter >= 0 && framesAnswered_ >= faults_.vanishAfter) vanished_ = true;
}

void SimProcessor::HandleWrite(const SimFrame& frame, Bytes& out) {
    const int page = PageOf(frame.address);
    const int slot = SlotOf(frame.address);
    if (page < kTransferPageCount) {
        // An ordinary write carries one value; sides edited together take it on both sides.
        if (frame.data.size() == 2) {
            StoreSideLinked(memory_, frame.address, ValueOf(frame.data));
        } else {
            StoreValues(page, slot, frame.data);
        }
    } else if (page == kSystemPage) {
        HandleSystemWrite(slot, frame.data);
        if (LosesKeepAliveAck(slot, frame.data)) return;
    }
    SendAck(out);
}

bool SimProcessor::LosesKeepAliveAck(int slot, const Bytes& data) {
    if (slot != kSlotLink || ValueOf(data) != kLinkKeepAlive) return false;
    if (keepAliveAcksDropped_ >= faults_.dropKeepAliveAcks) return false;
    ++keepAliveAcksDropped_;
    return true;
}

void SimProcessor::HandleSystemWrite(int slot, const Bytes& data) {
    switch (slot) {
        case kSlotLink:
            HandleLink(ValueOf(data));
            break;
        case kSlotSaveMode:
            SaveMode(data);
            break;
        case kSlotCurrentMode:
            LoadMode(ValueOf(data));
            break;
        case kSlotPanelPassword:
            panelPassword_ = TextOf(data.begin(), data.end(), kPasswordLimit);
            break;
        case kSlotSystemPassword:
            systemPassword_ = TextOf(data.begin(), data.end(), kPasswordLimit);
            break;
        case kSlotUpload:
            StoreUpload(data);
            break;
        case kSlotInputSelect:
            memory_.Set(kSystemPage, slot, ValueOf(data));
            // The editor sends this value right after the last page of an upload.
            if (pagesTransferred_.all()) {
                transferComplete_ = true;
                pagesTransferred_.reset();
            }
            break;
        default:
            if (data.size() >= 2) memory_.Set(kSystemPage, slot, ValueOf(data));
            break;
    }
}

void SimProcessor::HandleLink(int value) {
    if (value == kLinkConnect) {
        connected_ = true;
        pagesTransferred_.reset();
        transferComplete_ = false;
    } else if (value == kLinkKeepAlive) {
        if (transferComplete_) ++onlineCount_;
        transferComplete_ = false;
        // Keep-alives come only while the editor is online, where it asks for pages to check
        // them (a few a second): those are no download that a later 0x1E14 could complete.
        pagesTransferred_.reset();
    } else if (value == kLinkDisconnect) {
        connected_ = false;
        transferComplete_ = false;
    }
}

void SimProcessor::HandleRead(const SimFrame& frame, Bytes& out) {
    const int page = PageOf(frame.address);
    const int slot = SlotOf(frame.address);
    if (page == kSystemPage) {
        HandleSystemRead(slot, frame.data, out);
    } else if (page < kTransferPageCount && slot < kSlotCount) {
        SendFrame(frame.address, ValueBytes(memory_.Get(frame.address)), out);
    }
}

void SimProcessor::HandleSystemRead(int slot, const Bytes& data, Bytes& out) {
    const ParamAddress address = MakeAddress(kSystemPage, slot);
    switch (slot) {
        case kSlotPageRequest: {
            const int page = ValueOf(data);
            if (page < 0 || page >= kTransferPageCount) return;
            pagesTransferred_.set(page);
            SendPage(page, out);
            return;
        }
        case kSlotModeName: {
            const int mode = data.empty() ? 0 : data[0];
            const std::string name = mode < kDeviceModeCount ? names_[mode] : std::string();
            SendFrame(address, Bytes(name.begin(), name.end()), out);
            return;
        }
        case kSlotPanelPassword:
            SendFrame(address, Bytes(panelPassword_.begin(), panelPassword_.end()), out);
            return;
        case kSlotSystemPassword:
            SendFrame(address, Bytes(systemPassword_.begin(), systemPassword_.end()), out);
            return;
        case kSlotDeviceId:
            SendFrame(address, Bytes(std::begin(kDeviceId), std::end(kDeviceId)), out);
            return;
        case kSlotInputSelect:
            SendFrame(address, ValueBytes(memory_.Get(address)), out);
            // The last item of a download.
            if (pagesTransferred_.all()) {
                transferComplete_ = true;
                pagesTransferred_.reset();
            }
            return;
        default:
            if (slot < kSlotCount) SendFrame(address, ValueBytes(memory_.Get(address)), out);
            return;
    }
}

void SimProcessor::SaveMode(const Bytes& data) {
    if (data.empty() || data[0] >= kDeviceModeCount) return;
    const int mode = data[0];
    names_[mode] = data.size() > 2 ? TextOf(data.begin() + 2, data.end(), kNameLength) : "";
    modes_[mode] = memory_;
    memory_.Set(kSystemPage, kSlotSaveMode, mode);
}

void SimProcessor::LoadMode(int mode) {
    if (mode < 0 || mode >= kDeviceModeCount) return;
    const PageMemory& stored = modes_[mode];
    // A factory mode leaves the volumes as they are.
    const int lastPage =
        mode >= kFirstFactoryMode ? kTransferPageCount - 2 : kTransferPageCount - 1;
    for (int page = 0; page <= lastPage; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            memory_.Set(page, slot, stored.Get(page, slot));
        }
    }
    memory_.Set(kSystemPage, kSlotCurrentMode, mode);
}

void SimProcessor::StoreUpload(const Bytes& data) {
    if (data.size() < 2 || data[0] >= kTransferPageCount) return;
    const int page = data[0];
    const int firstSlot = data[1] / 2;  // the chunk code counts bytes
    StoreValues(page, firstSlot, Bytes(data.begin() + 2, data.end()));
    pagesTransferred_.set(page);
}

void SimProcessor::StoreValues(int page, int slot, const Bytes& data) {
    for (size_t k = 0; k + 1 < data.size(); k += 2) {
        memory_.Set(page, slot + static_cast<int>(k / 2), data[k] + 256 * data[k + 1]);
    }
}

void SimProcessor::SendPage(int page, Bytes& out) {
    const int count = PageSlotCount(page);
    // A page that does not fit one frame (page 0) leaves in chunks, as the editor uploads it.
    const int chunk = count * 2 <= kMaxFrameData ? count : kFirstChunkSlots;
    for (int first = 0; first < count; first += chunk) {
        Bytes data;
        for (int slot = first; slot < std::min(count, first + chunk); ++slot) {
            const Bytes value = ValueBytes(memory_.Get(page, slot));
            data.insert(data.end(), value.begin(), value.end());
        }
        SendFrame(MakeAddress(page, first), data, out);
    }
}

void SimProcessor::SendAck(Bytes& out) {
    if (dice_.Roll(faults_.dropAcks)) return;
    SendGarbage(out);
    out.push_back(kShortStart);
    out.push_back(kShortAccept);
}

void SimProcessor::SendFrame(ParamAddress address, const Bytes& data, Bytes& out) {
    if (dice_.Roll(faults_.dropReplies)) return;
    Bytes frame = BuildFrame(kCommandWrite, address, data);
    if (dice_.Roll(faults_.corruptChecksums)) frame.back() ^= 0x5A;
    SendGarbage(out);
    out.insert(out.end(), frame.begin(), frame.end());
}

void SimProcessor::SendGarbage(Bytes& out) {
    if (!dice_.Roll(faults_.garbage)) return;
    // Noise never contains a start byte of its own, except in the spoiled starts below that a
    // receiver must drop whole: a short message with a wrong second byte, a header with a wrong
    // second byte, and a header whose length cannot hold a frame.
    auto noise = [this] {
        uint8_t b;
        do {
            b = static_cast<uint8_t>(dice_.Next());
        } while (b == kFrameStart || b == kShortStart || b == kShortAccept || b == kShortAcceptAlt);
        return b;
    };
    switch (dice_.Below(4)) {
        case 0:
            for (int i = 0, n = 1 + dice_.Below(8); i < n; ++i) out.push_back(noise());
            break;
        case 1:
            out.insert(out.end(), {kShortStart, noise()});
            break;
        case 2:
            out.insert(out.end(), {kFrameStart, 0xB2, noise(), noise()});
            break;
        default:
            out.insert(out.end(), {kFrameStart, kFrameSecondStart, 0x02, kCommandWrite});
            break;
    }
}

}  // namespace zt
