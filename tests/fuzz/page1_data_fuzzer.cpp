// Feeds arbitrary replies to the current-generation page while it reads, saves or idles,
// interleaved with clock ticks and operator actions.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "page_current/page1_layout.h"
#include "tests/fuzz/page_fuzz_world.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PageFuzzWorld* world = new PageFuzzWorld();
    PageFuzzWorld& w = *world;
    w.Begin(w.dlg.m_page1, '5');
    CPage1New& page = w.dlg.m_page1;
    size_t i = 0;
    while (i < size && w.ui.TopDialog() == &page) {
        const uint8_t op = data[i++];
        switch (op % 8) {
            case 0:
            case 1:
            case 2: {  // a reply, most often one that starts like the real thing
                size_t n = std::min<size_t>(op / 8, size - i);
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
            case 3:
                w.ui.Click(page, page1::IDC_READ);
                break;
            case 4:
                w.ui.Click(page, page1::IDC_SAVE);
                break;
            case 5:
                w.ui.Advance(op * 40u);
                break;
            case 6: {
                static const int radios[] = {page1::IDC_SEC_NONE, page1::IDC_SEC_WEP,
                                             page1::IDC_SEC_WPA};
                w.ui.Click(page, radios[(op >> 3) % 3]);
                break;
            }
            case 7:
                w.ui.Select(page, (op & 0x08) ? page1::IDC_KEY_FORMAT : page1::IDC_WLAN_MODE,
                            (op >> 4) & 1);
                break;
        }
        w.Drain();
    }
    return 0;
}
