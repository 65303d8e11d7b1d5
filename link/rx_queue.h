// Lock-free byte ring that carries the printer's bytes from the reader thread to the UI thread.
#pragma once

#include <atomic>
#include <cstdint>

// One producer (the open link's reader thread) and one consumer (the UI thread). One slot always
// stays free, so at most kCapacity bytes are held.
class CRxQueue {
  public:
    static constexpr int kSize = 2048;
    static constexpr int kCapacity = kSize - 1;

    CRxQueue();
    CRxQueue(const CRxQueue&) = delete;
    CRxQueue& operator=(const CRxQueue&) = delete;

    // Number of stored bytes, 0 to kCapacity. Either side may call it.
    int GetCount() const;

    // Producer side. Returns false after a 1 ms back-off when the queue is full.
    bool Put(uint8_t byte);
    // Producer side: puts a whole chunk only when it fits (n < kSize - GetCount()), else nothing.
    bool PutChunk(const uint8_t* data, uint32_t n);

    // Consumer side. Returns false after a 5 ms back-off when the queue is empty.
    bool Get(uint8_t* byte);
    // Consumer side: discards everything stored so far. Only the read index moves, so a producer
    // putting bytes at the same time keeps a consistent queue.
    void Clear();

  private:
    uint8_t buffer_[kSize];
    std::atomic<int32_t> head_;  // next slot to write; advanced only by the producer
    std::atomic<int32_t> tail_;  // next slot to read; advanced only by the consumer
};
