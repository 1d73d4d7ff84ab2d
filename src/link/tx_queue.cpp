#include "link/tx_queue.h"

namespace zt {

bool TxQueue::Push(ParamAddress address, int32_t value) {
    // A write to the newest entry's address overwrites it; the entry in flight (at R) is never
    // touched because W only stays put while the ring holds something.
    if (!IsEmpty() && address == entries_[write_].address) {
        entries_[write_].value = value;
        return true;
    }
    if (!IsFull()) {
        write_ = Next(write_);
        entries_[write_] = TxEntry{address, value};
        return true;
    }
    const int earlier = CoalescingEntry(address);
    if (earlier < 0) return false;
    entries_[earlier].value = value;
    return true;
}

int TxQueue::CoalescingEntry(ParamAddress address) const {
    // Newest first, back to the oldest waiting entry. A write to the system page (a mode load,
    // a password) is a wall: a value moved to before it would be undone by it, or change what
    // it stores. For the same reason a system write itself never moves back.
    if (PageOf(address) >= kSystemPage) return -1;
    for (int index = write_; index != read_; index = Previous(index)) {
        if (entries_[index].address == address) return index;
        if (PageOf(entries_[index].address) >= kSystemPage) return -1;
    }
    return -1;
}

int TxQueue::Take() {
    if (!IsEmpty()) read_ = Next(read_);
    return read_;
}

}  // namespace zt
