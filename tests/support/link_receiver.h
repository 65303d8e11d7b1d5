// Stands in for the panel behind a link under test: records what each notification brought.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "link/link.h"
#include "link/rx_queue.h"

// The queue is drained on the reader's own thread.
class Receiver {
  public:
    using Bytes = std::vector<uint8_t>;
    // Far above what a link takes to hand on bytes (under 200 ms), so only a hang reaches it.
    static constexpr long kAwaitLimitMs = 10000;

    NotifyFn Notify() {
        return [this](LinkEvent event) {
            Bytes bytes;
            uint8_t b = 0;
            while (queue.GetCount() > 0 && queue.Get(&b))
                bytes.push_back(b);
            std::lock_guard<std::mutex> lock(mutex_);
            events_.push_back(event);
            chunks_.push_back(bytes);
            cv_.notify_all();
        };
    }
    // The chunks once count notifications came, for a wait the test expects to end: its limit
    // only catches a hang, on however busy a machine, and says what was awaited.
    std::vector<Bytes> Await(size_t count, const char* what) {
        std::vector<Bytes> chunks = Chunks(count, kAwaitLimitMs);
        if (chunks.size() < count)
            ADD_FAILURE() << "waited " << kAwaitLimitMs << " ms for " << what << " (" << count
                          << " notifications), " << chunks.size() << " came";
        return chunks;
    }
    // The chunks once count notifications came, or those that came within ms: for a wait the
    // test expects to run out.
    std::vector<Bytes> Chunks(size_t count, long ms) {
        std::unique_lock<std::mutex> lock(mutex_);
        cv_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return chunks_.size() >= count; });
        return chunks_;
    }
    std::vector<LinkEvent> Events() {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }

    CRxQueue queue;

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<LinkEvent> events_;
    std::vector<Bytes> chunks_;
};
