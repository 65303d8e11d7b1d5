// The legacy page shown by the panel, talking to a simulated model '3' printer.
#pragma once

#include <cstdio>
#include <string>

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"
#include "sim/sim_legacy.h"
#include "tests/support/sim_page_fixture.h"

class Page2Test : public SimPageTest<CPage2Old, &CZephraDlg::m_page2, CSimLegacy, '3'> {
  protected:
    void ForgetFamilyLog() override { printer_->ClearRequests(); }
    // The requests the printer took: "S C R00 R01 ... W50 F G".
    std::string Requests() {
        std::string out;
        for (const SimLegacyRequest& r : printer_->Requests()) {
            if (!out.empty())
                out += ' ';
            out += static_cast<char>(r.letter);
            if (r.record >= 0) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02X", r.record);
                out += hex;
            }
        }
        return out;
    }
    void Save(unsigned ms = 3000) {
        ASSERT_TRUE(ui_.Click(Page(), page2::IDC_SAVE));
        ui_.Advance(ms);
    }
    bool Enabled(int id) { return ui_.Enabled(Page(), id); }
    std::string Text(int id) { return ui_.Text(Page(), id); }
    std::string Status() { return ui_.Text(Page(), page2::IDC_STATUS); }
};

// A text record as the printer keeps it: zero-filled to its size.
inline Bytes Padded(const std::string& text, size_t size) {
    Bytes bytes = Frame(text);
    bytes.resize(size, 0);
    return bytes;
}
