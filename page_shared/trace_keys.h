// How a printer family tells the protocol trace which bytes of a frame carry a security key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trace {

using Bytes = std::vector<uint8_t>;

enum class Direction { kSent, kReceived };

// Bytes [begin, end) of a frame.
struct Span {
    size_t begin;
    size_t end;
    bool operator==(const Span& other) const { return begin == other.begin && end == other.end; }
};

// The key bytes of one frame. before holds what was sent since the last reply came: the header
// a payload follows, or the request a reply answers. Pure: no state, no window, no link.
using KeyFinder = std::vector<Span> (*)(Direction direction, const Bytes& before,
                                        const Bytes& frame);

// The span from begin up to the first 0x00 at or after it (or the frame's end); none when begin
// lies past the frame.
std::vector<Span> SpanToZero(const Bytes& frame, size_t begin);

}  // namespace trace
