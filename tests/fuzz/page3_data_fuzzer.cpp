// Feeds the Wi-Fi module page arbitrary replies in every state it can be in: idle, each read step
// of either mode and each write step. Replies that begin like the real ones (a good V, an R with
// one of the keys, a W acknowledgement) walk the page through its chains; raw ones test the rest.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "page_module/page3_layout.h"
#include "page_module/page3_protocol.h"
#include "tests/fuzz/page_fuzz_world.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The start of a reply the page accepts, by the op's selector.
Bytes GoodStart(uint8_t selector) {
    using namespace page3;
    const unsigned kind = selector % 4;
    if (kind == 0)
        return {kEsc, kTilde, kVersionLetter, kGoodStatus, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (kind == 1)
        return {kEsc, kTilde, kBeginLetter};
    if (kind == 2)  // acknowledges the item in the op's upper bits
        return {kEsc, kTilde, kWriteLetter, static_cast<uint8_t>(selector >> 2), kGoodStatus, 0, 0};
    Bytes reply = {kEsc, kTilde, kReadLetter, kGoodStatus, 0};
    const char* key = KeyText(static_cast<Key>((selector >> 2) % static_cast<int>(Key::kNone)));
    reply.insert(reply.end(), key, key + std::strlen(key));
    reply.push_back('=');
    return reply;
}

// W of an item; V, R and I only read.
bool WritesSettings(const Bytes& frame) {
    return frame.size() >= 3 && frame[0] == page3::kEsc && frame[1] == page3::kTilde &&
           frame[2] == page3::kWriteLetter;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PageFuzzWorld* world = new PageFuzzWorld();
    PageFuzzWorld& w = *world;
    w.Begin(w.dlg.m_page3, 0, {page3::kReplyTimeoutMs, page3::kReplyTimeoutMs, WritesSettings});
    CPage3Marvuto& page = w.dlg.m_page3;
    FuzzInput in{data, size};
    while (in.More() && w.Shown()) {
        const uint8_t op = in.Byte();
        const uint8_t arg = in.Byte();
        switch (op % 8) {
            case 0:
            case 1:
            case 2: {  // a reply: a good start and fuzzed bytes, or fuzzed bytes alone
                Bytes reply = (op & 0x80) ? GoodStart(arg) : Bytes{0x1B, 0x7E};
                const Bytes rest = in.Take(in.Byte());
                reply.insert(reply.end(), rest.begin(), rest.end());
                w.Deliver(reply, in);
                break;
            }
            case 3:
                w.Click((arg & 1) ? page3::IDC_SAVE : page3::IDC_READ);
                break;
            case 4:
                w.Advance(arg * 40u);
                break;
            case 5:
                w.Click(page3::kSecurityRadios[arg % 5]);
                break;
            case 6: {
                static const int combos[] = {page3::IDC_WLAN_MODE, page3::IDC_DATA_TYPE,
                                             page3::IDC_WEP_TYPE};
                w.ui.Select(page, combos[arg % 3], (arg >> 2) & 1);
                break;
            }
            case 7: {  // the operator types a key or an SSID, then leaves the field
                const int field = (arg & 1) ? page3::IDC_KEY : page3::IDC_SSID;
                const Bytes text = in.Take(arg >> 1);
                w.ui.RunOnUi(
                    [&] { page.SetItemText(field, std::string(text.begin(), text.end())); });
                w.ui.LeaveField(page, field);
                break;
            }
        }
        w.Drain();
    }
    w.End();
    return 0;
}
