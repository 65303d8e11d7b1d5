// Drives the legacy page through its exchanges with arbitrary replies: the answer each pending
// request expects (so reads and saves reach every step), refusals, and any other bytes,
// interleaved with clock ticks and operator actions.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/main_dialog_layout.h"
#include "app/zephra_dlg.h"
#include "page_legacy/page2_layout.h"
#include "tests/panel/fake_link.h"
#include "tests/support/shown_panel.h"
#include "ui/headless/headless_backend.h"

namespace {

struct World {
    World() { StartPanel(ui, dlg); }
    void EnsurePage() {
        if (ui.TopDialog() == &dlg.m_page2)
            return;
        if (ui::CDialog* top = ui.TopDialog(); top != &dlg && top != nullptr)
            ui.PressEscape(*top);
        ui.Click(dlg, IDC_CLOSE);
        ui.Click(dlg, IDC_OPEN);
        links.Receive({0x1B, 0x00, 0x02, 0x02, 0x00, '3', 0x0D, 0x0A});
        ui.Settle();
    }
    // The letter of the last request the page sent, 0 before any.
    uint8_t PendingLetter() const {
        for (auto w = links.log.writes.rbegin(); w != links.log.writes.rend(); ++w) {
            if (w->size() >= 3 && (*w)[0] == 0x1B && (*w)[1] == 0x7E)
                return (*w)[2];
        }
        return 0;
    }
    ui::HeadlessBackend ui;
    FakeLinkProvider links;
    CZephraDlg dlg{links};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* world = new World();
    World& w = *world;
    w.EnsurePage();
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
                const uint8_t letter = (op & 0x40) ? '9' : w.PendingLetter();
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
        w.ui.TakeBoxes();
        w.ui.TakeDeliveries();
    }
    // Memory stays flat from one input to the next; the last request is kept for the next one.
    auto& writes = w.links.log.writes;
    if (writes.size() > 2)
        writes.erase(writes.begin(), writes.end() - 2);
    return 0;
}
