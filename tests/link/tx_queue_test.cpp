#include "link/tx_queue.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(TxQueueTest, TakeAdvancesOnlyOverWrittenEntriesAndKeepsTheTakenOneReadable) {
    TxQueue queue;
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_EQ(queue.Take(), 0);  // nothing to take: the index stays
    queue.Push(0x0005, 204);
    queue.Push(0x0006, 3);
    EXPECT_EQ(queue.PendingCount(), 2);
    const int first = queue.Take();
    EXPECT_EQ(queue.Entry(first).address, 0x0005);
    EXPECT_EQ(queue.Entry(first).value, 204);
    const int second = queue.Take();
    EXPECT_EQ(queue.Entry(second).address, 0x0006);
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_EQ(queue.Take(), second);
    EXPECT_EQ(queue.Entry(second).value, 3);
}

TEST(TxQueueTest, OnlyConsecutiveWritesToOneAddressCoalesce) {
    TxQueue same;
    for (int value : {1, 2, 3}) same.Push(0x0005, value);
    EXPECT_EQ(same.PendingCount(), 1);
    EXPECT_EQ(same.Entry(same.Take()).value, 3);

    TxQueue alternating;
    alternating.Push(0x0005, 1);
    alternating.Push(0x0006, 2);
    alternating.Push(0x0005, 3);
    EXPECT_EQ(alternating.PendingCount(), 3);
}

TEST(TxQueueTest, AWriteAfterTheInFlightEntryNeverOverwritesIt) {
    TxQueue queue;
    queue.Push(0x0005, 1);
    const int inFlight = queue.Take();
    queue.Push(0x0005, 2);  // same address as the entry in flight, but the ring is empty
    EXPECT_EQ(queue.Entry(inFlight).value, 1);
    EXPECT_EQ(queue.PendingCount(), 1);
}

// A full ring never puts a write in another write's place: it coalesces with a waiting entry of
// the same address (not across a system write), or refuses and says so.
TEST(TxQueueTest, AFullRingCoalescesAnywhereOrRefusesAcrossTheWrap) {
    TxQueue queue;
    // Move both indexes near the end of the ring first, so that the full ring wraps.
    for (int i = 0; i < 450; ++i) {
        queue.Push(i, i);
        queue.Take();
    }
    for (int i = 0; i < TxQueue::kCapacity - 1; ++i) {
        // One mode load in the middle: a wall for coalescing.
        queue.Push(i == 200 ? 0x1E02 : 0x0100 + i, i);
    }
    ASSERT_TRUE(queue.IsFull());
    EXPECT_EQ(queue.writeIndex(), (queue.readIndex() + TxQueue::kCapacity - 1) % 500);
    const int newest = queue.writeIndex();

    struct Case {
        ParamAddress address;
        bool held;
    };
    const Case cases[] = {
        {0x0777, false},        // nowhere to go: refused, the newest entry keeps its value
        {0x0100 + 300, true},   // after the mode load: coalesces where it waits
        {0x0100 + 100, false},  // before the mode load: moving it there would undo the load
        {0x1E02, false},        // a system write is only ever the newest
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(queue.Push(c.address, 4242), c.held);
        EXPECT_EQ(queue.PendingCount(), TxQueue::kCapacity - 1);
        EXPECT_EQ(queue.writeIndex(), newest);
    }
    EXPECT_EQ(queue.Entry(newest).address, 0x0100 + TxQueue::kCapacity - 2);
    EXPECT_EQ(queue.Entry(newest).value, TxQueue::kCapacity - 2);
    // Everything waits in order; only the coalesced entry has its new value.
    for (int i = 0; i < TxQueue::kCapacity - 1; ++i) {
        const TxEntry& entry = queue.Entry(queue.Take());
        ASSERT_EQ(entry.address, i == 200 ? 0x1E02 : 0x0100 + i);
        EXPECT_EQ(entry.value, i == 300 ? 4242 : i);
    }
}

TEST(TxQueueTest, ClearAndDropPendingEmptyTheRing) {
    TxQueue queue;
    queue.Push(1, 1);
    queue.Push(2, 2);
    queue.DropPending();
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_EQ(queue.readIndex(), 2);
    queue.Clear();
    EXPECT_EQ(queue.readIndex(), 0);
    EXPECT_EQ(queue.writeIndex(), 0);
}

}  // namespace
}  // namespace zt
