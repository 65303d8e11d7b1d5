// Feeds arbitrary replies to the current-generation page while it reads, saves or idles,
// interleaved with clock ticks and operator actions.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "page_current/page1_layout.h"
#include "page_current/page1_protocol.h"
#include "tests/fuzz/page_fuzz_world.h"

namespace {

// A header of Q C B H I M F G E D W, or the factory reset; R n and the "X ?" queries only read.
bool WritesSettings(const std::vector<uint8_t>& frame) {
    if (frame.size() < 3 || frame[0] != page1::kEsc || frame[1] != page1::kTilde)
        return false;
    if (frame[2] == 'O')
        return true;
    const bool query = frame.size() == 4 && frame[3] == '?';
    return !query && frame[2] != 0 && std::strchr("QCBHIMFGEDW", frame[2]) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PageFuzzWorld* world = new PageFuzzWorld();
    PageFuzzWorld& w = *world;
    // Its reply timers run from 3 s (most requests) to 17 s (the join).
    w.Begin(w.dlg.m_page1, '5', {3000, 17000, WritesSettings});
    CPage1New& page = w.dlg.m_page1;
    FuzzInput in{data, size};
    while (in.More() && w.Shown()) {
        const uint8_t op = in.Byte();
        switch (op % 8) {
            case 0:
            case 1:
            case 2: {  // a reply, most often one that starts like the real thing
                std::vector<uint8_t> reply;
                if (op & 0x80)
                    reply = {0x1B, 0x7E};
                const std::vector<uint8_t> rest = in.Take(in.Byte());
                reply.insert(reply.end(), rest.begin(), rest.end());
                w.Deliver(reply, in);
                break;
            }
            case 3:
                w.Click(page1::IDC_READ);
                break;
            case 4:
                w.Click(page1::IDC_SAVE);
                break;
            case 5:
                w.Advance(op * 40u);
                break;
            case 6: {
                static const int radios[] = {page1::IDC_SEC_NONE, page1::IDC_SEC_WEP,
                                             page1::IDC_SEC_WPA};
                w.Click(radios[(op >> 3) % 3]);
                break;
            }
            case 7:
                w.ui.Select(page, (op & 0x08) ? page1::IDC_KEY_FORMAT : page1::IDC_WLAN_MODE,
                            (op >> 4) & 1);
                break;
        }
        w.Drain();
    }
    w.End();
    return 0;
}
