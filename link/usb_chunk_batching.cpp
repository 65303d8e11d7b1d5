// What the USB reader does with each chunk it read: queue it, and whether and how to notify.
#include "link/usb_chunk_batching.h"

#include "link/rx_queue.h"

bool UsbChunkEndsReply(const uint8_t* chunk, uint32_t n) {
    if (chunk == nullptr || n == 0)
        return false;
    if (chunk[n - 1] == 0)
        return true;
    return n >= 2 && chunk[n - 2] == 0x0D && chunk[n - 1] == 0x0A;
}

UsbChunkPlan PlanUsbChunk(const uint8_t* chunk, uint32_t n, int queued, bool readMode, bool held) {
    UsbChunkPlan plan;
    if (n == 0) {
        plan.notifyWhenQuiet = held;
        return plan;
    }
    const int64_t room = static_cast<int64_t>(CRxQueue::kSize) - queued;
    if (static_cast<int64_t>(n) >= room) {
        plan.notify = true;
        plan.event = LinkEvent::kQueueFull;
        return plan;
    }
    plan.queue = true;
    plan.notify = !readMode || UsbChunkEndsReply(chunk, n);
    // Where a reply ends is the page's to say; holding only saves it partial batches, and a
    // printer may end a reply with any byte.
    plan.notifyWhenQuiet = !plan.notify;
    return plan;
}

UsbChunkPlan PlanUsbQuietGap(bool held) {
    UsbChunkPlan plan;
    plan.notify = held;
    return plan;
}

namespace {

UsbChunkPlan Notify(const NotifyFn& notify, const UsbChunkPlan& plan) {
    if (plan.notify && notify)
        notify(plan.event);
    return plan;
}

}  // namespace

UsbChunkPlan DeliverUsbChunk(CRxQueue& queue, const NotifyFn& notify, const uint8_t* chunk,
                             uint32_t n, bool readMode, bool held) {
    UsbChunkPlan plan = PlanUsbChunk(chunk, n, queue.GetCount(), readMode, held);
    // Only this thread puts bytes and the consumer only frees room, so a chunk that fitted
    // when planned still fits.
    if (plan.queue && !queue.PutChunk(chunk, n)) {
        plan.queue = false;
        plan.notify = true;
        plan.event = LinkEvent::kQueueFull;
        plan.notifyWhenQuiet = false;
    }
    return Notify(notify, plan);
}

UsbChunkPlan DeliverUsbQuietGap(const NotifyFn& notify, bool held) {
    return Notify(notify, PlanUsbQuietGap(held));
}
