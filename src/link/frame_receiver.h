#pragma once
// Reassembly of the processor's byte stream into frames and short messages. Bytes arrive in
// pieces through the port's receive event; every byte is examined once, a frame may span several
// events, and bytes after a completed frame start the next one.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/serial_port.h"
#include "params/diagnostic_log.h"

namespace zt {

enum class RxState { Hunting, Header, Body };

class FrameReceiver {
public:
    // What the receiver found; the link engine turns it into its flags.
    class Sink {
    public:
        virtual ~Sink() = default;
        // EE BB or EE AA: the processor accepted the last frame or answered the connect.
        virtual void OnShortMessage() = 0;
        // A complete frame, start bytes to checksum (3 + length bytes).
        virtual void OnFrame(std::span<const uint8_t> frame) = 0;
    };

    // eventCount is the number of bytes the receive event reported; it is logged with every
    // completed frame as "缓存长度K:C:L=count count bodyLength".
    void Receive(std::span<const uint8_t> bytes, size_t eventCount, Sink& sink, DiagnosticLog& log);

    // Back to hunting for a start byte, forgetting any partial frame.
    void Reset();

    RxState state() const { return state_; }

private:
    void Hunt(uint8_t byte);
    void TakeHeaderByte(uint8_t byte, Sink& sink);
    void TakeBodyByte(uint8_t byte, size_t eventCount, Sink& sink, DiagnosticLog& log);

    RxState state_ = RxState::Hunting;
    int need_ = 0;  // bytes expected in the current stage
    int got_ = 0;   // bytes received in the current stage
    Bytes buffer_;  // the frame or short message so far, start byte included
};

}  // namespace zt
