// Feeds arbitrary bytes to the Wi-Fi module's reply parsing and value conversions, as the page
// would take them: whatever the module sends, nothing is read outside the received bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "page_module/page3_keys.h"
#include "page_module/page3_protocol.h"
#include "page_module/page3_regions.h"
#include "page_module/page3_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace page3;
    const uint32_t count = static_cast<uint32_t>(size);
    // Each request the page sends, for what is held, whichever form a key is read in: a reply is
    // never longer than the bytes, and one the line's quiet may end is all of them.
    const KeyForm keyForm = static_cast<KeyForm>(size % 3);
    for (const Bytes& request :
         {VersionRequest(), BeginRequest(), ReadRequest(size % 40), WriteHeader(size % 40)}) {
        const reply::Cut cut = CutReply(&request, data, size, keyForm);
        if ((cut.fit == reply::Fit::kAnswer || cut.fit == reply::Fit::kNotice) &&
            (cut.length == 0 || cut.length > size))
            std::abort();
        if (cut.fit == reply::Fit::kAnswerIfQuiet && cut.length != size)
            std::abort();
    }
    ReplyLetter(data, count);
    StatusGood(data, count);
    WriteAcknowledged(data, count);
    AcknowledgedItem(data, count);
    if (VersionText(data, count).size() > 10)
        std::abort();
    UsesCountryList(VersionText(data, count));
    CountryRegionIndex(CountryLetters(data, count));

    ReadReply reply;
    if (ParseReadReply(data, count, &reply)) {
        if (reply.valueOffset > count)
            std::abort();
        const std::string text = TextValue(data, count, reply);
        const Bytes raw = MacValue(data, count, reply);
        const Bytes key = KeyBytes(data, count, reply, keyForm);
        if (text.size() > count || raw.size() > count || key.size() > count)
            std::abort();
        uint32_t address = 0;
        DottedAddress(text, &address);
        NumericRegionIndex(text);
        MacText(raw);
        HexText(raw);
        // What the module sent may come back as the operator's key.
        if (HexKeyValue(text).size() > kKeyBufferSize || AsciiKeyValue(text).size() > 2 * size + 1)
            std::abort();
    }
    return 0;
}
