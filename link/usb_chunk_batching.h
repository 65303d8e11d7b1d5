// What the USB reader does with each chunk it read: queue it, and whether and how to notify.
#pragma once

#include <cstdint>

#include "link/link.h"

class CRxQueue;

struct UsbChunkPlan {
    bool queue = false;   // put the chunk into the receive queue
    bool notify = false;  // tell the UI thread
    LinkEvent event = LinkEvent::kData;
};

// True when the chunk ends a reply of the current-generation page's read: its last two bytes are
// CR LF or its last byte is 0. An empty chunk has nothing to end a reply with.
bool UsbChunkEndsReply(const uint8_t* chunk, uint32_t n);

// queued is the queue's count before the chunk. A chunk fits when n < 2048 - queued; one that
// does not is dropped whole and reported as kQueueFull (the UI thread then drains the queue). In
// read mode a chunk that fits is held without notification until one ends the reply, so a reply
// split over several reads reaches the page as one batch. An empty read queues and notifies
// nothing in either mode.
UsbChunkPlan PlanUsbChunk(const uint8_t* chunk, uint32_t n, int queued, bool readMode);

// Carries out the plan against the queue and the notify callback; returns it.
UsbChunkPlan DeliverUsbChunk(CRxQueue& queue, const NotifyFn& notify, const uint8_t* chunk,
                             uint32_t n, bool readMode);
