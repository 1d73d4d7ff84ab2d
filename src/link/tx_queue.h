#pragma once
// TxQueue: the ring of parameter writes waiting for the processor's acknowledgement. The hold
// timer takes one entry per acknowledgement; consecutive writes to one address coalesce into
// the latest value. A full ring coalesces a write with any waiting entry of its address; a
// write it cannot hold that way is refused, never put in another write's place.

#include <array>
#include <cstdint>

#include "params/param_address.h"

namespace zt {

struct TxEntry {
    ParamAddress address = 0;  // device address
    int32_t value = 0;
};

class TxQueue {
public:
    static constexpr int kCapacity = 500;

    // Empty when the entry taken last is also the newest one written.
    bool IsEmpty() const { return read_ == write_; }
    bool IsFull() const { return Next(write_) == read_; }
    // Entries written and not yet taken.
    int PendingCount() const { return (write_ - read_ + kCapacity) % kCapacity; }

    // False when the ring is full and holds no waiting entry the write can coalesce with.
    bool Push(ParamAddress address, int32_t value);
    // Takes the next entry when there is one; returns the index of the entry taken last, which
    // stays readable so that it can be sent again.
    int Take();
    const TxEntry& Entry(int index) const { return entries_[Wrap(index)]; }

    // Both indexes back to 0 (a direct send starts the ring afresh).
    void Clear() { read_ = write_ = 0; }
    // Forgets what waits without moving the newest index (a new search).
    void DropPending() { read_ = write_; }

    int writeIndex() const { return write_; }
    int readIndex() const { return read_; }

private:
    static int Next(int index) { return (index + 1) % kCapacity; }
    static int Previous(int index) { return (index + kCapacity - 1) % kCapacity; }
    // The waiting entry a write to `address` may take the place of, -1 when there is none.
    int CoalescingEntry(ParamAddress address) const;
    static int Wrap(int index) { return ((index % kCapacity) + kCapacity) % kCapacity; }

    std::array<TxEntry, kCapacity> entries_{};
    int write_ = 0;  // W: newest entry written
    int read_ = 0;   // R: entry taken last
};

}  // namespace zt
