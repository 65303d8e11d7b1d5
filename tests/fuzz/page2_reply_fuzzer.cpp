// Feeds arbitrary held bytes to the legacy reply grammar and record decoders, and arbitrary texts
// to the WEP key parser: no crash, a reply never longer than what is held, and what is decoded
// encodes back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "page_legacy/page2_protocol.h"
#include "page_legacy/page2_records.h"
#include "page_legacy/page2_text.h"
#include "page_legacy/page2_wep_keys.h"

using namespace page2;

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    // The first byte is the outstanding request's letter, the second its record; the rest is
    // what is held.
    if (size < 2)
        return 0;
    const Bytes request = Request(static_cast<char>(data[0]), data[1]);
    data += 2;
    size -= 2;

    const reply::Cut cut = CutReply(&request, data, size);
    if (cut.fit == reply::Fit::kAnswer || cut.fit == reply::Fit::kNotice)
        Check(cut.length > 0 && cut.length <= size);
    // A reply with another request's letter is never taken.
    if (cut.fit == reply::Fit::kAnswer)
        Check(data[2] == request[2] || data[2] == kErrorLetter);
    ActionOf(size > 2 ? data[2] : 0);
    Identity identity;
    DecodeIdentity(data, size, &identity);

    LegacySettings settings;
    for (int record = 0; record < 0x100; ++record) {
        const uint8_t r = static_cast<uint8_t>(record);
        const Bytes bytes = RecordFromReply(data, size, r);
        Check(bytes.size() == RecordSize(r));
        if (!DecodeRecord(r, bytes, &settings))
            continue;
        // Records that hold raw bytes and numbers come back byte for byte.
        if (r <= kRecordDns || r == kRecordWireless || r == kRecordWep64 || r == kRecordWep128)
            Check(EncodeRecord(r, settings) == bytes);
        if (r != kRecordPsk)
            Check(EncodeRecord(r, settings).size() == bytes.size());
    }
    Check(TextToBytes(BytesToText(data, size)) == Bytes(data, data + size));

    const std::string text(reinterpret_cast<const char*>(data), size);
    WepKeyTables tables;
    for (int format = 0; format < 2; ++format) {
        for (int keySize = 0; keySize < 2; ++keySize) {
            const auto f = static_cast<WepKeyFormat>(format);
            const auto s = static_cast<WepKeySize>(keySize);
            ParseWepKey(text, f, s, size % 4, &tables);
            RenderWepKey(tables, s, size % 4, f);
            RenderWepKeys(tables, s);
        }
    }
    return 0;
}
