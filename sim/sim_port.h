#pragma once
// A serial port in the same process that leads to a SimProcessor, for deterministic tests of the
// link: what the link writes reaches the processor at once, and the answers wait in a queue
// until the test hands them over with Deliver(), never from inside Write(). Time is the test's:
// the delay fault counts milliseconds moved on with Advance().

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "link/serial_port.h"
#include "sim/sim_processor.h"

namespace zt {

class SimPort : public SerialPort {
public:
    // Receives the bytes of one receive event and the byte count the event reports.
    using Receiver = std::function<void(const Bytes& bytes, int count)>;

    explicit SimPort(SimProcessor& processor, std::string portName = "ZT461-SIM");

    bool Open(const std::string& name) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    void Write(const Bytes& bytes) override;

    void SetReceiver(Receiver receiver) { receiver_ = std::move(receiver); }
    // Called (from Deliver) when the processor vanished while the port was open; the port is
    // closed by then.
    void SetLostHandler(std::function<void()> lost) { lost_ = std::move(lost); }
    // Answers are handed over in events of at most this many bytes (0: all due bytes at once).
    void SetEventSize(size_t bytes) { eventSize_ = bytes; }

    // Moves the test's clock on.
    void Advance(int64_t ms) { nowMs_ += ms; }
    int64_t now() const { return nowMs_; }
    // Hands every answer that is due to the receiver; returns the number of bytes handed over.
    size_t Deliver();
    // Bytes answered but not yet handed over.
    size_t queued() const;

    const std::string& portName() const { return portName_; }
    // Names passed to Open, in order, and every write made while open.
    const std::vector<std::string>& openAttempts() const { return openAttempts_; }
    const std::vector<Bytes>& writes() const { return writes_; }

private:
    struct Answer {
        int64_t dueMs;
        Bytes bytes;
    };

    SimProcessor& processor_;
    std::string portName_;
    bool open_ = false;
    bool lostReported_ = false;
    int64_t nowMs_ = 0;
    size_t eventSize_ = 0;
    std::deque<Answer> answers_;
    Receiver receiver_;
    std::function<void()> lost_;
    std::vector<std::string> openAttempts_;
    std::vector<Bytes> writes_;
};

}  // namespace zt
