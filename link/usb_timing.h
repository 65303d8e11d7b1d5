// The timing every USB printer link shares: how its reader paces its reads and how long a write
// may take.
#pragma once

#include <cstdint>

// The pause before each read lets a reply collect in the device so that it usually comes in one
// chunk. Bytes held in read mode are notified once a read then finds the line quiet for
// kQuietGapMs.
constexpr uint32_t kUsbReadPauseMs = 50;
// The most one read takes; a chunk of this size never fits into the receive queue.
constexpr uint32_t kUsbChunkSize = 2048;
// Longest wait for a write; a printer that takes nothing for this long gets its write given up.
constexpr uint32_t kUsbWriteTimeoutMs = 2000;
