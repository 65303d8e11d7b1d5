// Feeds arbitrary notifications to the legacy reply classification and record decoders, and
// arbitrary texts to the WEP key parser: no crash, and what is decoded encodes back unchanged.
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
    // The first byte is the pending letter; the rest is the notification.
    const char pending = static_cast<char>(data[0]);
    ++data;
    --size;

    const ReplyAction action = ClassifyReply(data, size, pending);
    // A reply with another request's letter is never taken.
    if (size > 2 && data[0] == kEsc && data[1] == kTilde && data[2] != pending)
        Check(action != ReplyAction::kSetup && action != ReplyAction::kRead &&
              action != ReplyAction::kWrite && action != ReplyAction::kIdentity);
    Identity identity;
    Check(DecodeIdentity(data, size, &identity) ==
          (ClassifyReply(data, size, kIdentity) == ReplyAction::kIdentity));

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
