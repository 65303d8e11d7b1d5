// Which bytes of the Wi-Fi module protocol carry a security key, for the protocol trace.
#include "page_module/page3_trace_keys.h"

#include "page_module/page3_protocol.h"

namespace page3 {

namespace {

// Items whose written value is a key (text or raw bytes, then 00).
constexpr uint8_t kKeyItems[] = {kItemApKey, kItemKey};
// A read reply ends with two bytes that are no part of its value.
constexpr size_t kReadTrailer = 2;

}  // namespace

std::vector<trace::Span> TraceKeys(trace::Direction direction, const trace::Bytes& before,
                                   const trace::Bytes& frame) {
    if (direction == trace::Direction::kSent) {
        for (uint8_t item : kKeyItems) {
            if (before == WriteHeader(item) && frame.size() > 1)
                return {trace::Span{0, frame.size() - 1}};
        }
        return {};
    }
    // A read reply names its setting, so the reply alone tells a key.
    ReadReply reply;
    const auto count = static_cast<uint32_t>(frame.size());
    if (!ParseReadReply(frame.data(), count, &reply) || reply.key != Key::kPassphrase)
        return {};
    const size_t end = frame.size() > kReadTrailer ? frame.size() - kReadTrailer : 0;
    if (reply.valueOffset >= end)
        return {};
    return {trace::Span{reply.valueOffset, end}};
}

}  // namespace page3
