// The timing every serial link shares: how replies are cut from the printer's byte stream, and
// how long a write may take.
#pragma once

#include <algorithm>
#include <cstdint>

#include "link/link.h"

// A reply counts as complete once the line has been quiet this long. USB-serial adapters pause up
// to about 16 ms between the bursts of one reply.
constexpr uint32_t kReplyGapMs = 30;
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
