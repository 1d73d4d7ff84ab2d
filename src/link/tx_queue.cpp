#include "link/tx_queue.h"

namespace zt {

void TxQueue::Push(ParamAddress address, int32_t value) {
    // A write to the newest entry's address, or one that finds the ring full, overwrites the
    // newest entry; the entry in flight (at R) is never touched because W only stays put while
    // the ring holds something.
    if (IsEmpty() || (address != entries_[write_].address && !IsFull())) write_ = Next(write_);
    entries_[write_] = TxEntry{address, value};
}

int TxQueue::Take() {
    if (!IsEmpty()) read_ = Next(read_);
    return read_;
}

}  // namespace zt
