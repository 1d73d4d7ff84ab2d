#include "sim/sim_port.h"

#include <algorithm>

namespace zt {

SimPort::SimPort(SimProcessor& processor, std::string portName)
    : processor_(processor), portName_(std::move(portName)) {}

bool SimPort::Open(const std::string& name) {
    openAttempts_.push_back(name);
    if (open_ || name != portName_ || processor_.vanished()) return false;
    open_ = true;
    lostReported_ = false;
    return true;
}

void SimPort::Close() {
    open_ = false;
    // Closing a serial port throws away what it had received.
    answers_.clear();
}

void SimPort::Write(const Bytes& bytes) {
    if (!open_) return;
    writes_.push_back(bytes);
    Bytes answer = processor_.Receive(bytes);
    if (!answer.empty()) {
        answers_.push_back({nowMs_ + processor_.faults().delayMs, std::move(answer)});
    }
}

size_t SimPort::Deliver() {
    size_t delivered = 0;
    // Only answers queued before this call: what the receiver writes meanwhile waits for the
    // next call, as it would on a real line.
    size_t units = answers_.size();
    while (open_ && units > 0 && !answers_.empty() && answers_.front().dueMs <= nowMs_) {
        Answer& front = answers_.front();
        const size_t size =
            eventSize_ == 0 ? front.bytes.size() : std::min(eventSize_, front.bytes.size());
        Bytes event(front.bytes.begin(), front.bytes.begin() + static_cast<std::ptrdiff_t>(size));
        front.bytes.erase(front.bytes.begin(),
                          front.bytes.begin() + static_cast<std::ptrdiff_t>(size));
        if (front.bytes.empty()) {
            answers_.pop_front();
            --units;
        }
        delivered += size;
        // The receiver may close the port or write again; the loop re-reads the state.
        if (receiver_) receiver_(event, static_cast<int>(event.size()));
    }
    if (open_ && processor_.vanished() && answers_.empty() && !lostReported_) {
        lostReported_ = true;
        Close();
        if (lost_) lost_();
    }
    return delivered;
}

size_t SimPort::queued() const {
    size_t total = 0;
    for (const Answer& a : answers_) total += a.bytes.size();
    return total;
}

}  // namespace zt
