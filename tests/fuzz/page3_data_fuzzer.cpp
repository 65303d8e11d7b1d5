// Feeds the Wi-Fi module page arbitrary replies in every state it can be in: idle, each read step
// of either mode and each write step. Replies that begin like the real ones (a good V, an R with
// one of the keys, a W acknowledgement) and whole replies to the request outstanding, with any
// bytes where the protocol leaves them open, walk the page through its chains; raw ones test the
// rest.
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

// The whole reply to request, with any bytes where the protocol leaves them open: V's eight bytes
// before its version text, and 0 to 3 bytes after V's text or R's value (an R reply's two trailing
// bytes, more or fewer).
Bytes WholeReply(const Bytes& request, FuzzInput& in) {
    using namespace page3;
    if (request.size() < 3)
        return {};
    const uint8_t letter = request[2];
    const uint8_t item = request.size() > 3 ? request[3] : 0;
    Bytes reply = {kEsc, kTilde, letter};
    Bytes value;
    switch (letter) {
        case kVersionLetter:
            reply.insert(reply.end(), {kGoodStatus, 0});
            for (int i = 0; i < 8; ++i)
                reply.push_back(in.Byte());
            value = in.Text(in.Byte() % 11);
            break;
        case kReadLetter: {
            reply.insert(reply.end(), {kGoodStatus, 0});
            const char* key = KeyText(ItemKey(item));
            reply.insert(reply.end(), key, key + std::strlen(key));
            reply.push_back('=');
            if (item == kItemMac) {
                for (int i = 0; i < 6; ++i)
                    value.push_back(in.Byte());
            } else {  // a key's value may be raw bytes: a HEX key's 5, 13 or 32
                const uint8_t size = in.Byte();
                value = item == kItemApKey || item == kItemKey ? in.Take(size % 33) : in.Text(size);
            }
            break;
        }
        case kWriteLetter:
            return {kEsc, kTilde, kWriteLetter, item, kGoodStatus, 0, 0};
        default:
            return reply;
    }
    reply.insert(reply.end(), value.begin(), value.end());
    const Bytes end = in.Take(in.Byte() % 4);
    reply.insert(reply.end(), end.begin(), end.end());
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
            case 1: {  // a reply: a good start and fuzzed bytes, or fuzzed bytes alone
                Bytes reply = (op & 0x80) ? GoodStart(arg) : Bytes{0x1B, 0x7E};
                const Bytes rest = in.Take(in.Byte());
                reply.insert(reply.end(), rest.begin(), rest.end());
                w.Deliver(reply, in);
                break;
            }
            case 2:
                w.Deliver(WholeReply(w.LastRequest(), in), in);
                break;
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
