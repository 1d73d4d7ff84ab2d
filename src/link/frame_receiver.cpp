#include "link/frame_receiver.h"

#include <string>

#include "link/protocol.h"

namespace zt {

namespace {
// F5 is followed by B1, the length and the command.
constexpr int kFrameHeaderRest = 3;
}  // namespace

void FrameReceiver::Reset() {
    state_ = RxState::Hunting;
    need_ = 0;
    got_ = 0;
    buffer_.clear();
}

void FrameReceiver::Receive(std::span<const uint8_t> bytes, size_t eventCount, Sink& sink,
                            DiagnosticLog& log) {
    for (uint8_t byte : bytes) {
        switch (state_) {
            case RxState::Hunting:
                Hunt(byte);
                break;
            case RxState::Header:
                TakeHeaderByte(byte, sink);
                break;
            case RxState::Body:
                TakeBodyByte(byte, eventCount, sink, log);
                break;
        }
    }
}

void FrameReceiver::Hunt(uint8_t byte) {
    buffer_.clear();
    if (byte != kFrameStart && byte != kShortStart) return;
    buffer_.push_back(byte);
    state_ = RxState::Header;
    need_ = byte == kFrameStart ? kFrameHeaderRest : 1;
    got_ = 0;
}

void FrameReceiver::TakeHeaderByte(uint8_t byte, Sink& sink) {
    buffer_.push_back(byte);
    if (++got_ < need_) return;

    if (buffer_[0] == kShortStart) {
        const bool accepted = byte == kShortAccept || byte == kShortAcceptAlt;
        Reset();
        if (accepted) sink.OnShortMessage();
        return;
    }
    const uint8_t length = buffer_[2];
    const uint8_t command = buffer_[3];
    // A length below 4 cannot hold command, address and checksum: no frame follows such a
    // header, so waiting for its body would only swallow the next frames.
    const bool frameHeader = buffer_[1] == kFrameSecondStart &&
                             (command == kCommandWrite || command == kCommandRead) &&
                             length >= kLengthOverhead;
    if (!frameHeader) {
        Reset();
        return;
    }
    state_ = RxState::Body;
    need_ = length - 1;
    got_ = 0;
}

void FrameReceiver::TakeBodyByte(uint8_t byte, size_t eventCount, Sink& sink, DiagnosticLog& log) {
    buffer_.push_back(byte);
    if (++got_ < need_) return;

    const std::string count = std::to_string(eventCount);
    log.Append("缓存长度K:C:L=" + count + " " + count + " " + std::to_string(need_));
    const Bytes frame = std::move(buffer_);
    Reset();
    sink.OnFrame(frame);
}

}  // namespace zt
