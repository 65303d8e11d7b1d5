// Lock-free byte ring that carries the printer's bytes from the reader thread to the UI thread.
#include "link/rx_queue.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace {
int32_t Next(int32_t index) {
    return (index + 1) % CRxQueue::kSize;
}
int32_t Used(int32_t head, int32_t tail) {
    return (head - tail + CRxQueue::kSize) % CRxQueue::kSize;
}
}  // namespace

CRxQueue::CRxQueue() : head_(0), tail_(0) {
    std::memset(buffer_, 0, sizeof buffer_);
}

int CRxQueue::GetCount() const {
    return Used(head_.load(std::memory_order_acquire), tail_.load(std::memory_order_acquire));
}

bool CRxQueue::Put(uint8_t byte) {
    const int32_t head = head_.load(std::memory_order_relaxed);
    if (Used(head, tail_.load(std::memory_order_acquire)) == kCapacity) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return false;
    }
    buffer_[head] = byte;
    head_.store(Next(head), std::memory_order_release);
    return true;
}

bool CRxQueue::PutChunk(const uint8_t* data, uint32_t n) {
    if (n >= static_cast<uint32_t>(kSize - GetCount()))
        return false;
    for (uint32_t i = 0; i < n; ++i)
        Put(data[i]);
    return true;
}

bool CRxQueue::Get(uint8_t* byte) {
    const int32_t tail = tail_.load(std::memory_order_relaxed);
    if (Used(head_.load(std::memory_order_acquire), tail) == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return false;
    }
    *byte = buffer_[tail];
    buffer_[tail] = 0;
    tail_.store(Next(tail), std::memory_order_release);
    return true;
}

void CRxQueue::Clear() {
    const int32_t head = head_.load(std::memory_order_acquire);
    // The slots up to head belong to the consumer until tail passes them, so zeroing them races
    // with nothing the producer does.
    for (int32_t i = tail_.load(std::memory_order_relaxed); i != head; i = Next(i))
        buffer_[i] = 0;
    tail_.store(head, std::memory_order_release);
}
