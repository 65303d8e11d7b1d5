// Feeds arbitrary frames to each family's key finder and the trace's line format: whatever the
// printer sends, the spans found lie inside the frame and formatting never reads past it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "page_current/page1_trace_keys.h"
#include "page_legacy/page2_trace_keys.h"
#include "page_module/page3_trace_keys.h"
#include "page_shared/trace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // Byte 0: the family and the direction; byte 1: how many of the rest were sent before.
    const trace::KeyFinder finders[] = {page1::TraceKeys, page2::TraceKeys, page3::TraceKeys};
    const trace::KeyFinder finder = finders[(data[0] >> 1) % 3];
    const auto direction = (data[0] & 1) ? trace::Direction::kReceived : trace::Direction::kSent;
    const size_t split = data[1] < size - 2 ? data[1] : size - 2;
    const trace::Bytes before(data + 2, data + 2 + split);
    trace::Entry entry;
    entry.kind = trace::EntryKind::kReceived;
    entry.bytes.assign(data + 2 + split, data + size);
    entry.keys = finder(direction, before, entry.bytes);
    for (const trace::Span& span : entry.keys) {
        if (span.begin > span.end || span.end > entry.bytes.size())
            std::abort();
    }
    trace::FormatEntry(entry, false);
    return 0;
}
