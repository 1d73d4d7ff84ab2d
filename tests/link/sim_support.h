#pragma once
// Helpers for the simulator's tests: frames the editor would send, and the editor's own
// receiver and apply step to read what the simulator answers.

#include <span>
#include <string>
#include <vector>

#include "link/device_info.h"
#include "link/frame_codec.h"
#include "link/frame_receiver.h"
#include "link/protocol.h"
#include "params/diagnostic_log.h"
#include "params/param_address.h"

namespace zt::simtest {

inline Bytes Write(ParamAddress address, int value) {
    return BuildCommandFrame(kCommandWrite, address, value);
}
inline Bytes Read(ParamAddress address, int value) {
    return BuildCommandFrame(kCommandRead, address, value);
}
inline Bytes ReadItem(ParamAddress address) {
    return BuildFrame(kCommandRead, address, {});
}
inline Bytes Connect() {
    return Write(kAddrLinkControl, kLinkConnect);
}
inline Bytes KeepAlive() {
    return Write(kAddrLinkControl, kLinkKeepAlive);
}
inline Bytes RequestPage(int page) {
    return Read(kAddrPageRequest, page);
}
inline Bytes RequestModeName(int mode) {
    return Read(kAddrModeName, mode);
}

// What came back, cut by the editor's receiver.
struct Answers : FrameReceiver::Sink {
    void OnShortMessage() override { ++acks; }
    void OnFrame(std::span<const uint8_t> frame) override {
        frames.emplace_back(frame.begin(), frame.end());
    }
    int acks = 0;
    std::vector<Bytes> frames;
};

inline Answers Cut(const Bytes& bytes) {
    Answers answers;
    FrameReceiver receiver;
    MemoryLog log;
    receiver.Receive(bytes, bytes.size(), answers, log);
    return answers;
}

// Applies every answered frame as the editor does, into these targets.
struct EditorSide {
    DeviceImage image;
    DeviceInfo info;
    MemoryLog log;
    int checksumErrors = 0;

    int Apply(const Bytes& bytes, int modeRecordCounter = 0) {
        const Answers answers = Cut(bytes);
        for (const Bytes& frame : answers.frames) {
            const ApplyOutcome outcome = ApplyFrame(frame, {image, info, log, modeRecordCounter});
            if (!outcome.checksumOk) ++checksumErrors;
        }
        return static_cast<int>(answers.frames.size());
    }
};

inline Bytes Join(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

}  // namespace zt::simtest
