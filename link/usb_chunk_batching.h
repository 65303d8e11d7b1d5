// What the USB reader does with each chunk it read: queue it, and whether and how to notify.
#pragma once

#include <cstdint>

#include "link/link.h"

class CRxQueue;

struct UsbChunkPlan {
    bool queue = false;   // put the chunk into the receive queue
    bool notify = false;  // tell the UI thread
    LinkEvent event = LinkEvent::kData;
    // Queued bytes are left un-notified: the reader waits at most kQuietGapMs for more and, when
    // nothing comes, notifies them (PlanUsbQuietGap).
    bool notifyWhenQuiet = false;
};

// True when the chunk ends a reply of the current-generation page's read: its last two bytes are
// CR LF or its last byte is 0. An empty chunk has nothing to end a reply with.
bool UsbChunkEndsReply(const uint8_t* chunk, uint32_t n);

// queued is the queue's count before the chunk; held is the previous plan's notifyWhenQuiet. A
// chunk fits when n < 2048 - queued; one that does not is dropped whole and reported as
// kQueueFull (the UI thread then drains the queue, held bytes too). In read mode a chunk that
// fits is held without notification until one ends the reply, so a reply split over several
// reads reaches the page as one batch; a reply that ends in any other byte is notified once the
// line falls quiet. An empty read queues and notifies nothing in either mode and holds what was
// held.
UsbChunkPlan PlanUsbChunk(const uint8_t* chunk, uint32_t n, int queued, bool readMode,
                          bool held = false);

// The line stayed quiet for kQuietGapMs after a chunk: what was held is notified now.
UsbChunkPlan PlanUsbQuietGap(bool held);

// Carry out the plans against the queue and the notify callback; return them.
UsbChunkPlan DeliverUsbChunk(CRxQueue& queue, const NotifyFn& notify, const uint8_t* chunk,
                             uint32_t n, bool readMode, bool held = false);
UsbChunkPlan DeliverUsbQuietGap(const NotifyFn& notify, bool held);
