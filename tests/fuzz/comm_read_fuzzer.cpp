// Feeds arbitrary notification sequences, interleaved with clock ticks and operator actions,
// through the panel's identification and routing on the headless backend.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/main_dialog_layout.h"
#include "app/zephra_dlg.h"
#include "tests/panel/fake_link.h"
#include "tests/support/shown_panel.h"
#include "ui/headless/headless_backend.h"

namespace {

struct World {
    World() { StartPanel(ui, dlg); }
    ui::HeadlessBackend ui;
    FakeLinkProvider links;
    CZephraDlg dlg{links};
};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Every page message must carry a count the page can trust: at least one byte (a reply may come
// in pieces), and a zero byte after them inside the buffer.
void CheckDeliveries(World& w) {
    for (const auto& d : w.ui.TakeDeliveries()) {
        if (d.dialog == &w.dlg)
            continue;  // the reader's own notifications
        const ui::Message& m = d.message;
        Check(m.id == WM_PAGE1_DATA || m.id == WM_PAGE2_DATA || m.id == WM_PAGE3_DATA);
        Check(m.wParam >= 1 && m.wParam < m.payload.size());
        Check(m.payload[m.wParam] == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* world = new World();  // one UI thread for the whole run
    World& w = *world;
    // Nothing here reads what the link recorded, and kept it would grow with every input.
    w.links.log = FakeLinkLog{};
    // Start every input from a panel with no page, waiting for a model.
    if (ui::CDialog* top = w.ui.TopDialog(); top != nullptr && top != &w.dlg) {
        w.ui.PressEscape(*top);
    }
    w.ui.Click(w.dlg, IDC_CLOSE);
    w.ui.Click(w.dlg, IDC_OPEN);
    w.ui.TakeBoxes();

    size_t i = 0;
    while (i < size) {
        const uint8_t op = data[i++];
        switch (op % 6) {
            case 0:
            case 1: {  // a chunk from the reader, up to what the queue takes
                size_t n = op / 6;
                if (i < size && (op & 0x80))
                    n = n * 16 + data[i++];
                n = std::min(n, size - i);
                w.links.Receive(std::vector<uint8_t>(data + i, data + i + n));
                i += n;
                break;
            }
            case 2:
                w.ui.Advance(op * 8u);
                break;
            case 3:
                if (ui::CDialog* top = w.ui.TopDialog(); top != &w.dlg && top != nullptr) {
                    w.ui.SysCommand(*top, ui::kScClose);
                }
                break;
            case 4:
                if (ui::CDialog* top = w.ui.TopDialog(); top != &w.dlg && top != nullptr) {
                    w.ui.PressEscape(*top);
                }
                break;
            case 5:
                w.ui.Click(w.dlg, (op & 0x40) ? IDC_OPEN : IDC_CLOSE);
                break;
        }
        CheckDeliveries(w);
    }
    w.ui.TakeBoxes();
    return 0;
}
