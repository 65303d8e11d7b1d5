// Drives the legacy page through its exchanges with arbitrary replies: the answer each pending
// request expects (so reads and saves reach every step), refusals, 0xFF notices with or without
// their 00, and any other bytes, interleaved with clock ticks and operator actions.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_protocol.h"
#include "tests/fuzz/page_fuzz_world.h"

using namespace page2;

namespace {

// W of a record and F; S, C, R and G only read or end.
bool WritesSettings(const std::vector<uint8_t>& frame) {
    return frame.size() >= 3 && frame[0] == kEsc && frame[1] == kTilde &&
           (frame[2] == kWrite || frame[2] == kFinish);
}

// The letter of the last request the page sent, 0 before any.
uint8_t PendingLetter(const PageFuzzWorld& w) {
    const std::vector<uint8_t> request = w.LastRequest();
    return request.empty() ? 0 : request[2];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PageFuzzWorld* world = new PageFuzzWorld();
    PageFuzzWorld& w = *world;
    w.Begin(w.dlg.m_page2, '3', {kReplyTimeoutMs, kReplyTimeoutMs, WritesSettings});
    CPage2Old& page = w.dlg.m_page2;
    FuzzInput in{data, size};
    while (in.More() && w.Shown()) {
        const uint8_t op = in.Byte();
        switch (op % 8) {
            case 0:
            case 1: {  // any bytes, most often after the frame's start
                std::vector<uint8_t> reply;
                if (op & 0x80)
                    reply = {kEsc, kTilde};
                const std::vector<uint8_t> rest = in.Take(in.Byte());
                reply.insert(reply.end(), rest.begin(), rest.end());
                w.Deliver(reply, in);
                break;
            }
            case 2:
            case 3: {  // the reply the pending request waits for, its refusal, or a notice
                const uint8_t letter = (op & 0x40)   ? kErrorLetter
                                       : (op & 0x20) ? kFfLetter
                                                     : PendingLetter(w);
                std::vector<uint8_t> reply = {kEsc, kTilde, letter};
                std::vector<uint8_t> rest = in.Take(in.Byte());
                if (letter == kFfLetter) {  // its text, ended by its 00 or by the line's quiet
                    std::replace(rest.begin(), rest.end(), uint8_t{0}, uint8_t{' '});
                    if (op & 0x10)
                        rest.push_back(0);
                }
                reply.insert(reply.end(), rest.begin(), rest.end());
                if (letter == kIdentity)
                    reply.resize(kIdentityReplySize, 0);
                w.Deliver(reply, in);
                break;
            }
            case 4:
                w.Click((op & 0x08) ? page2::IDC_SAVE : page2::IDC_READ);
                break;
            case 5:
                w.Advance(op * 40u);
                break;
            case 6: {
                static const int buttons[] = {page2::IDC_SEC_NONE, page2::IDC_SEC_WEP,
                                              page2::IDC_SEC_WPA,  page2::IDC_KEY2,
                                              page2::IDC_DHCP,     page2::IDC_USER_CLASS_DEFAULT};
                w.Click(buttons[(op >> 3) % 6]);
                break;
            }
            case 7: {
                static const int lists[] = {page2::IDC_WEP_SIZE, page2::IDC_KEY2_FORMAT,
                                            page2::IDC_WLAN_MODE, page2::IDC_WPA_ENCRYPTION};
                const int key = (op >> 5) & 1 ? page2::IDC_KEY2_TEXT : page2::IDC_PORT;
                if (op & 0x08) {
                    const std::vector<uint8_t> text = in.Take(op / 8);
                    w.ui.Type(page, key, std::string(text.begin(), text.end()));
                    w.ui.LeaveField(page, key);
                } else {
                    w.ui.Select(page, lists[(op >> 4) % 4], (op >> 6) & 1);
                }
                break;
            }
        }
        w.Drain();
    }
    w.End();
    return 0;
}
