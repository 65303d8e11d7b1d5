// The timing every serial link shares: how the printer's bytes are batched into notifications,
// and how long a write may take.
#pragma once

#include <algorithm>
#include <cstdint>

#include "link/link.h"

// Bytes held are handed over once the line has been quiet this long. Silence only batches: a
// printer may pause inside a reply for longer than any gap (USB-serial adapters pause up to about
// 16 ms between bursts), so the page's reply grammar, not the gap, says where a reply ends. Short,
// so a whole reply is not kept waiting.
constexpr uint32_t kReplyGapMs = 5;
// How long a reader waits before reading again after a failed read, so a port that keeps failing
// does not keep it busy.
constexpr uint32_t kReadRetryMs = 30;
// A line that never goes quiet is still delivered, in pieces of at most this size; two of them
// fit into the receive queue.
constexpr uint32_t kReplyChunkSize = 1024;
// How long a write may take beyond its bytes' own time on the line before it is given up.
constexpr uint32_t kWriteGraceMs = 2000;

// Start, data, parity and stop bits of one byte on the line.
inline uint32_t BitsPerByte(const SerialSettings& s) {
    return 1u + s.dataBits + (s.parity != 0 ? 1u : 0u) + (s.stopBits != 0 ? 2u : 1u);
}

// The longest a write of length bytes may take; below UINT32_MAX, which means "no bound" to some
// system waits.
inline uint32_t WriteBoundMs(const SerialSettings& s, uint32_t length) {
    const uint64_t lineMs =
        s.baudRate == 0 ? 0
                        : (uint64_t{length} * BitsPerByte(s) * 1000 + s.baudRate - 1) / s.baudRate;
    return static_cast<uint32_t>(std::min<uint64_t>(kWriteGraceMs + lineMs, UINT32_MAX - 1));
}
