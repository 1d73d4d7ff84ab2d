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

TEST(TxQueueTest, AFullRingOverwritesItsNewestEntryAcrossTheWrap) {
    TxQueue queue;
    // Move both indexes near the end of the ring first, so that the full ring wraps.
    for (int i = 0; i < 450; ++i) {
        queue.Push(i, i);
        queue.Take();
    }
    for (int i = 0; i < TxQueue::kCapacity - 1; ++i) queue.Push(0x1000 + i, i);
    ASSERT_TRUE(queue.IsFull());
    EXPECT_EQ(queue.writeIndex(), (queue.readIndex() + TxQueue::kCapacity - 1) % 500);
    const int newest = queue.writeIndex();
    queue.Push(0x0777, 42);
    EXPECT_TRUE(queue.IsFull());
    EXPECT_EQ(queue.PendingCount(), TxQueue::kCapacity - 1);
    EXPECT_EQ(queue.writeIndex(), newest);
    EXPECT_EQ(queue.Entry(newest).address, 0x0777);
    EXPECT_EQ(queue.Entry(newest).value, 42);
    // Everything before the newest entry is still there, in order.
    EXPECT_EQ(queue.Entry(queue.Take()).address, 0x1000);
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
