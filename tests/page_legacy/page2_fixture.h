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

// Every request of a read, in order.
inline const char* const kReadRequests = "S C R00 R01 R02 R03 R10 R20 R21 R22 R23 R24 R30 R40 R50";
// Every request of a save, in order.
inline const char* const kSaveRequests =
    "S W00 W01 W02 W03 W10 W20 W21 W22 W23 W24 W25 W30 W40 W50 F G";
