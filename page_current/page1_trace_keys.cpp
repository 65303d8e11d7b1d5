// Which bytes of the current-generation protocol carry a security key, for the protocol trace.
#include "page_current/page1_trace_keys.h"

#include "page_current/page1_protocol.h"

namespace page1 {

namespace {

// Requests whose payload carries a key, and the payload field the key starts (it runs to the
// payload's closing 00: it is always the last field).
struct KeyedPayload {
    char letter;
    int keyField;
};
constexpr KeyedPayload kKeyedPayloads[] = {
    {'F', 1},  // key index, key
    {'G', 0},  // key
    {'E', 5},  // SSID, channel, type, cipher, cipher, key
    {'D', 1},  // SSID, key
};

// Read items whose reply value is a key.
constexpr uint8_t kKeyedItems[] = {kItemWepKey, kItemWpaKey};
constexpr size_t kReadValueOffset = 5;

// Where field n of a payload starts: fields are parted by spaces, and a quoted field runs to its
// closing '"', with '/' escaping the character after it. The payload's length when it has fewer.
size_t FieldStart(const trace::Bytes& payload, int n) {
    size_t i = 0;
    for (int field = 0; field < n; ++field) {
        if (i < payload.size() && payload[i] == '"') {
            for (++i; i < payload.size() && payload[i] != '"'; ++i) {
                if (payload[i] == '/')
                    ++i;
            }
            ++i;
        }
        while (i < payload.size() && payload[i] != ' ' && payload[i] != 0)
            ++i;
        if (i >= payload.size() || payload[i] != ' ')
            return payload.size();
        ++i;
    }
    return i;
}

std::vector<trace::Span> PayloadKey(const trace::Bytes& header, const trace::Bytes& payload) {
    for (const KeyedPayload& keyed : kKeyedPayloads) {
        if (header != Header(keyed.letter))
            continue;
        const size_t begin = FieldStart(payload, keyed.keyField);
        // The closing 00 is no part of the key; a Hex key's own 00 bytes are.
        size_t end = payload.size();
        if (end > begin && payload[end - 1] == 0)
            --end;
        if (begin < end)
            return {trace::Span{begin, end}};
    }
    return {};
}

}  // namespace

std::vector<trace::Span> TraceKeys(trace::Direction direction, const trace::Bytes& before,
                                   const trace::Bytes& frame) {
    if (direction == trace::Direction::kSent)
        return PayloadKey(before, frame);
    for (uint8_t item : kKeyedItems) {
        if (before == FixedRequest('R', item))
            return trace::SpanToZero(frame, kReadValueOffset);
    }
    return {};
}

}  // namespace page1
