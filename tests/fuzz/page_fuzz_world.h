// The panel on a fake link with one printer page brought up on demand: where the page fuzz
// targets run. Nothing recorded for one input outlives the next, so memory stays flat.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/main_dialog_layout.h"
#include "app/zephra_dlg.h"
#include "tests/panel/fake_link.h"
#include "tests/support/shown_panel.h"
#include "ui/headless/headless_backend.h"

struct PageFuzzWorld {
    PageFuzzWorld() { StartPanel(ui, dlg); }

    // Starts an input: forgets what the link recorded but its last keepWrites writes, and brings
    // page up on a fresh link when it is not the dialog on top. model names the printer; 0 is one
    // that stays silent at identification.
    void Begin(ui::CDialog& page, uint8_t model, size_t keepWrites = 0) {
        auto& writes = links.log.writes;
        writes.erase(writes.begin(),
                     writes.end() - static_cast<long>(std::min(keepWrites, writes.size())));
        links.log.opens.clear();
        if (ui.TopDialog() == &page)
            return;
        if (ui::CDialog* top = ui.TopDialog(); top != &dlg && top != nullptr)
            ui.PressEscape(*top);
        ui.Click(dlg, IDC_CLOSE);
        ui.Click(dlg, IDC_OPEN);
        if (model == 0) {
            ui.Advance(kModelTimeoutMs);
        } else {
            links.Receive({0x1B, 0x00, 0x02, 0x02, 0x00, model, 0x0D, 0x0A});
            ui.Settle();
        }
    }
    // After each operation: the boxes and deliveries it left are not kept.
    void Drain() {
        ui.TakeBoxes();
        ui.TakeDeliveries();
    }

    ui::HeadlessBackend ui;
    FakeLinkProvider links;
    CZephraDlg dlg{links};
};
