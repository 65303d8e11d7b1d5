// The receive queue: capacity, order across the wrap, back-off timing, clearing under a producer.
#include "link/rx_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

TEST(RxQueue, EmptyGetFailsAfterBackOffAndLeavesOutputAlone) {
    CRxQueue q;
    EXPECT_EQ(q.GetCount(), 0);
    uint8_t out = 0xAA;
    const auto start = Clock::now();
    EXPECT_FALSE(q.Get(&out));
    EXPECT_GE(ElapsedMs(start), 4);
    EXPECT_EQ(out, 0xAA);
}

TEST(RxQueue, HoldsAtMostOneLessThanItsSize) {
    CRxQueue q;
    for (int i = 0; i < CRxQueue::kCapacity; ++i)
        ASSERT_TRUE(q.Put(static_cast<uint8_t>(i)));
    EXPECT_EQ(q.GetCount(), 2047);
    const auto start = Clock::now();
    EXPECT_FALSE(q.Put(0x55));
    EXPECT_GE(ElapsedMs(start), 1);
    EXPECT_EQ(q.GetCount(), 2047);
}

TEST(RxQueue, KeepsOrderAcrossTheWrap) {
    CRxQueue q;
    uint8_t b;
    // Move both indices close to the end of the ring first.
    for (int i = 0; i < 2040; ++i)
        ASSERT_TRUE(q.Put(0));
    for (int i = 0; i < 2040; ++i)
        ASSERT_TRUE(q.Get(&b));
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(q.Put(static_cast<uint8_t>(i + 1)));
    EXPECT_EQ(q.GetCount(), 100);
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(q.Get(&b));
        EXPECT_EQ(b, i + 1);
    }
    EXPECT_EQ(q.GetCount(), 0);
}

TEST(RxQueue, PutChunkTakesWholeChunksThatFitAndNothingElse) {
    CRxQueue q;
    std::vector<uint8_t> chunk(2000, 7);
    EXPECT_TRUE(q.PutChunk(chunk.data(), 2000));
    EXPECT_EQ(q.GetCount(), 2000);
    // 48 free slots but one must stay empty: a 48-byte chunk does not fit, 47 does.
    EXPECT_FALSE(q.PutChunk(chunk.data(), 48));
    EXPECT_EQ(q.GetCount(), 2000);
    EXPECT_TRUE(q.PutChunk(chunk.data(), 47));
    EXPECT_EQ(q.GetCount(), 2047);
    std::vector<uint8_t> big(2048, 1);
    CRxQueue empty;
    EXPECT_FALSE(empty.PutChunk(big.data(), 2048));
    EXPECT_TRUE(empty.PutChunk(big.data(), 2047));
}

TEST(RxQueue, ClearDiscardsWhatWasHeldAndLaterBytesFollow) {
    CRxQueue q;
    for (int i = 0; i < 10; ++i)
        q.Put(0xEE);
    q.Clear();
    EXPECT_EQ(q.GetCount(), 0);
    q.Put(1);
    uint8_t b = 0;
    ASSERT_TRUE(q.Get(&b));
    EXPECT_EQ(b, 1);
}

// A producer streams a counting sequence while the consumer drains and sometimes clears. Whatever
// is read must be a strictly increasing subsequence: clearing may drop bytes, never reorder or
// corrupt them, and the count never leaves 0..2047.
TEST(RxQueue, ClearWhileProducerPutsKeepsQueueConsistent) {
    CRxQueue q;
    constexpr uint32_t kTotal = 200000;
    std::atomic<bool> done{false};
    std::thread producer([&] {
        for (uint32_t i = 1; i <= kTotal;) {
            if (q.Put(static_cast<uint8_t>(i % 251)))
                ++i;
        }
        done = true;
    });
    int last = -1;
    uint32_t reads = 0;
    uint32_t rounds = 0;
    while (!done || q.GetCount() > 0) {
        const int n = q.GetCount();
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 2047);
        if (++rounds % 7 == 0) {
            q.Clear();
            last = -1;
            continue;
        }
        for (int i = 0; i < n; ++i) {
            uint8_t b;
            ASSERT_TRUE(q.Get(&b));
            if (last >= 0) {
                ASSERT_EQ(b, (last + 1) % 251);
            }
            last = b;
            ++reads;
        }
    }
    producer.join();
    EXPECT_GT(reads, 0u);
}

}  // namespace
