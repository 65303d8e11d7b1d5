// Which bytes of the legacy protocol carry a security key, for the protocol trace.
#include "page_legacy/page2_trace_keys.h"

#include "page_legacy/page2_protocol.h"

namespace page2 {

namespace {

// Records that hold a key: written whole after their W header, read back after 1B 7E 52.
constexpr uint8_t kKeyRecords[] = {kRecordWep64, kRecordWep128, kRecordPassphrase, kRecordPsk};
constexpr size_t kReplyRecordOffset = 3;

}  // namespace

std::vector<trace::Span> TraceKeys(trace::Direction direction, const trace::Bytes& before,
                                   const trace::Bytes& frame) {
    const bool sent = direction == trace::Direction::kSent;
    const size_t begin = sent ? 0 : kReplyRecordOffset;
    for (uint8_t record : kKeyRecords) {
        if (before == Request(sent ? kWrite : kRead, record) && begin < frame.size())
            return {trace::Span{begin, frame.size()}};
    }
    return {};
}

}  // namespace page2
