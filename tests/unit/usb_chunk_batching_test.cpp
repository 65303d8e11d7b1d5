// How the USB reader queues and announces chunks: read-mode batching, the quiet line and the full
// queue.
#include "link/usb_chunk_batching.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/rx_queue.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The reader's side of one link with a consumer that drains on every kData.
struct Reader {
    CRxQueue queue;
    std::vector<LinkEvent> events;
    std::vector<Bytes> batches;  // what each notification found in the queue
    bool readMode = false;
    bool held = false;  // as the reader keeps it between reads

    UsbChunkPlan Chunk(const Bytes& chunk) {
        const UsbChunkPlan plan = DeliverUsbChunk(
            queue, Notify(), chunk.data(), static_cast<uint32_t>(chunk.size()), readMode, held);
        held = plan.notifyWhenQuiet;
        return plan;
    }
    // The reader's wait for the next read ran out after kQuietGapMs.
    UsbChunkPlan Quiet() {
        const UsbChunkPlan plan = DeliverUsbQuietGap(Notify(), held);
        held = plan.notifyWhenQuiet;
        return plan;
    }
    NotifyFn Notify() {
        return [this](LinkEvent e) { events.push_back(e); };
    }
    void Drain() {
        Bytes batch;
        uint8_t b = 0;
        for (int n = queue.GetCount(); n > 0 && queue.Get(&b); --n)
            batch.push_back(b);
        batches.push_back(batch);
    }
};

TEST(UsbChunkBatching, EndOfReplyIsCrLfOrAZeroByte) {
    const struct {
        Bytes chunk;
        bool ends;
    } cases[] = {
        {{0x0D, 0x0A}, true},  {{'O', 'K', 0x0D, 0x0A}, true},
        {{0x00}, true},        {{'a', 0x00}, true},
        {{0x0A}, false},       {{0x0D}, false},
        {{0x0A, 0x0D}, false}, {{'x', 0x0D, 0x0A, 'y'}, false},
        {{0x00, 'y'}, false},  {{0x0D, 0x0A, 0x0D}, false},
        {{}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UsbChunkEndsReply(c.chunk.data(), static_cast<uint32_t>(c.chunk.size())), c.ends)
            << c.chunk.size();
    }
    EXPECT_FALSE(UsbChunkEndsReply(nullptr, 2));
}

TEST(UsbChunkBatching, OutsideReadModeEveryChunkIsAnnounced) {
    Reader r;
    for (const Bytes& chunk : {Bytes{0x1B, 0x7E}, Bytes{'A'}, Bytes{'5', 0x0D, 0x0A}}) {
        const UsbChunkPlan plan = r.Chunk(chunk);
        EXPECT_TRUE(plan.queue);
        EXPECT_TRUE(plan.notify);
        EXPECT_FALSE(plan.notifyWhenQuiet);
    }
    EXPECT_EQ(r.events, std::vector<LinkEvent>(3, LinkEvent::kData));
    EXPECT_EQ(r.queue.GetCount(), 6);
}

TEST(UsbChunkBatching, ReadModeHoldsChunksUntilOneEndsTheReply) {
    Reader r;
    r.readMode = true;
    const std::vector<Bytes> sequence = {
        {0x1B, 0x7E, 'R'},       {'s', 's', 'i', 'd'},
        {'=', 'x', 0x0D, 0x0A},   // one reply in three
        {0x1B, 0x7E, 'R', 0x00},  // ends with 0
        {'p', 'a', 'r', 't'},     // not yet ended
    };
    for (const Bytes& chunk : sequence) {
        const size_t before = r.events.size();
        r.Chunk(chunk);
        if (r.events.size() != before)
            r.Drain();
    }
    ASSERT_EQ(r.events, std::vector<LinkEvent>(2, LinkEvent::kData));
    EXPECT_EQ(r.batches[0], (Bytes{0x1B, 0x7E, 'R', 's', 's', 'i', 'd', '=', 'x', 0x0D, 0x0A}));
    EXPECT_EQ(r.batches[1], (Bytes{0x1B, 0x7E, 'R', 0x00}));
    EXPECT_EQ(r.queue.GetCount(), 4) << "the unfinished reply waits in the queue";

    // Leaving read mode announces the next chunk with what was held.
    r.readMode = false;
    r.Chunk({'!'});
    r.Drain();
    EXPECT_EQ(r.batches.back(), (Bytes{'p', 'a', 'r', 't', '!'}));
}

TEST(UsbChunkBatching, ReadModeNotifiesWhatItHeldOnceTheLineFallsQuiet) {
    Reader r;
    r.readMode = true;
    const Bytes reply = {0x1B, 0x7E, 0x43, 0x3F, 0x42, 0x52, 0x0D};  // ends in CR alone
    EXPECT_TRUE(r.Chunk(Bytes(reply.begin(), reply.end() - 1)).notifyWhenQuiet);
    EXPECT_TRUE(r.Chunk({0x0D}).notifyWhenQuiet);
    EXPECT_TRUE(r.Chunk({}).notifyWhenQuiet) << "an empty read keeps what was held";
    EXPECT_TRUE(r.events.empty());
    EXPECT_TRUE(r.Quiet().notify);
    r.Drain();
    EXPECT_EQ(r.events, std::vector<LinkEvent>{LinkEvent::kData});
    EXPECT_EQ(r.batches, std::vector<Bytes>{reply});
    EXPECT_FALSE(r.Quiet().notify) << "told once";
    EXPECT_FALSE(r.Chunk({0x1B, 0x7E, 'R', 0x00}).notifyWhenQuiet) << "ended: nothing held";
    EXPECT_FALSE(r.Quiet().notify);
}

TEST(UsbChunkBatching, EmptyReadsQueueAndAnnounceNothing) {
    for (bool readMode : {false, true}) {
        Reader r;
        r.readMode = readMode;
        r.Chunk({'a', 'b'});
        const size_t events = r.events.size();
        const UsbChunkPlan plan = r.Chunk({});
        EXPECT_FALSE(plan.queue);
        EXPECT_FALSE(plan.notify);
        EXPECT_EQ(plan.notifyWhenQuiet, readMode) << "what was held stays held";
        EXPECT_EQ(r.events.size(), events);
        EXPECT_EQ(r.queue.GetCount(), 2);
        EXPECT_FALSE(PlanUsbChunk(nullptr, 0, 0, readMode).notify);
    }
}

TEST(UsbChunkBatching, AChunkThatDoesNotFitIsDroppedAndReportedInBothModes) {
    for (bool readMode : {false, true}) {
        SCOPED_TRACE(readMode);
        Reader r;
        r.readMode = readMode;
        r.Chunk(Bytes(2000, 'a'));
        // 2000 + 47 would reach the capacity exactly, yet the rule asks for n < 2048 - count.
        const UsbChunkPlan plan = r.Chunk(Bytes(48, 'b'));
        EXPECT_FALSE(plan.queue);
        EXPECT_TRUE(plan.notify);
        EXPECT_EQ(plan.event, LinkEvent::kQueueFull);
        EXPECT_FALSE(plan.notifyWhenQuiet) << "the UI thread drains what was held";
        EXPECT_EQ(r.queue.GetCount(), 2000) << "dropped whole, nothing of it queued";
        EXPECT_TRUE(r.Chunk(Bytes(47, 'c')).queue);
        EXPECT_EQ(r.queue.GetCount(), 2047);
        EXPECT_EQ(r.Chunk({0x00}).event, LinkEvent::kQueueFull);
        EXPECT_EQ(r.events.back(), LinkEvent::kQueueFull);
    }
}

TEST(UsbChunkBatching, FitRuleAtTheEdges) {
    const Bytes big(2048, 'x');
    EXPECT_EQ(PlanUsbChunk(big.data(), 2047, 0, false).event, LinkEvent::kData);
    EXPECT_TRUE(PlanUsbChunk(big.data(), 2047, 0, false).queue);
    EXPECT_EQ(PlanUsbChunk(big.data(), 2048, 0, false).event, LinkEvent::kQueueFull);
    EXPECT_FALSE(PlanUsbChunk(big.data(), 1, 2047, true).queue);
    EXPECT_TRUE(PlanUsbChunk(big.data(), 1, 2046, true).queue);
    EXPECT_FALSE(PlanUsbChunk(big.data(), 1, 2046, true).notify);
}

}  // namespace
