// Drives the legacy page through its exchanges with arbitrary replies: the answer each pending
// request expects (so reads and saves reach every step), refusals, and any other bytes,
// interleaved with clock ticks and operator actions.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "page_legacy/page2_layout.h"
#include "tests/fuzz/page_fuzz_world.h"

namespace {

// The letter of the last request the page sent, 0 before any.
uint8_t PendingLetter(const PageFuzzWorld& w) {
    const auto& writes = w.links.log.writes;
    for (auto write = writes.rbegin(); write != writes.rend(); ++write) {
        if (write->size() >= 3 && (*write)[0] == 0x1B && (*write)[1] == 0x7E)
            return (*write)[2];
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PageFuzzWorld* world = new PageFuzzWorld();
    PageFuzzWorld& w = *world;
    w.Begin(w.dlg.m_page2, '3', 2);
    CPage2Old& page = w.dlg.m_page2;
    size_t i = 0;
    while (i < size && w.ui.TopDialog() == &page) {
        const uint8_t op = data[i++];
        const size_t n = std::min<size_t>(op / 8, size - i);
        switch (op % 8) {
            case 0:
            case 1: {  // any bytes, most often after the frame's start
                std::vector<uint8_t> chunk;
                if (op & 0x80)
                    chunk = {0x1B, 0x7E};
                chunk.insert(chunk.end(), data + i, data + i + n);
                i += n;
                if (chunk.size() >= 2)
                    w.links.Receive(chunk);
                w.ui.Settle();
                break;
            }
            case 2:
            case 3: {  // the reply the pending request waits for, or its refusal
                const uint8_t letter = (op & 0x40) ? '9' : PendingLetter(w);
                std::vector<uint8_t> chunk = {0x1B, 0x7E, letter};
                chunk.insert(chunk.end(), data + i, data + i + n);
                i += n;
                if (letter == 'C')
                    chunk.resize(19, 0);
                w.links.Receive(chunk);
                w.ui.Settle();
                break;
            }
            case 4:
                w.ui.Click(page, (op & 0x08) ? page2::IDC_SAVE : page2::IDC_READ);
                break;
            case 5:
                w.ui.Advance(op * 40u);
                break;
            case 6: {
                static const int buttons[] = {page2::IDC_SEC_NONE, page2::IDC_SEC_WEP,
                                              page2::IDC_SEC_WPA,  page2::IDC_KEY2,
                                              page2::IDC_DHCP,     page2::IDC_USER_CLASS_DEFAULT};
                w.ui.Click(page, buttons[(op >> 3) % 6]);
                break;
            }
            case 7: {
                static const int lists[] = {page2::IDC_WEP_SIZE, page2::IDC_KEY2_FORMAT,
                                            page2::IDC_WLAN_MODE, page2::IDC_WPA_ENCRYPTION};
                const int key = (op >> 5) & 1 ? page2::IDC_KEY2_TEXT : page2::IDC_PORT;
                if (op & 0x08) {
                    w.ui.Type(page, key, std::string(data + i, data + i + n));
                    i += n;
                    w.ui.LeaveField(page, key);
                } else {
                    w.ui.Select(page, lists[(op >> 4) % 4], (op >> 6) & 1);
                }
                break;
            }
        }
        w.Drain();
    }
    return 0;
}
