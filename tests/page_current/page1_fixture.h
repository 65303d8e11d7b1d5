// The current-generation page shown by the panel, talking to a simulated model '5' printer.
#pragma once

#include <cstdio>
#include <string>

#include "page_current/page1_layout.h"
#include "sim/sim_current_gen.h"
#include "tests/support/progress_recorder.h"
#include "tests/support/sim_page_fixture.h"

class Page1Test : public SimPageTest<CPage1New, &CZephraDlg::m_page1, CSimCurrentGen, '5'> {
  protected:
    SimCurrentGenSettings& Store() { return printer_->Settings(); }

    // Reads an Infrastructure printer with static addresses and no security.
    void ReadInfrastructure() {
        Store().mode = "0";
        Store().dhcp = "0";
        OpenAndRead();
    }
    void ForgetFamilyLog() override { printer_->ClearRequests(); }
    // The letters of the requests the printer parsed, with the read item for R and '?' queries.
    std::string Requests() {
        std::string out;
        for (const SimRequest& r : printer_->Requests()) {
            if (!out.empty())
                out += ' ';
            out += static_cast<char>(r.letter);
            if (r.letter == 'R' && !r.payload.empty()) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02X", r.payload[0]);
                out += hex;
            } else if (r.payload == Bytes{'?'}) {
                out += '?';
            }
        }
        return out;
    }
    // From now on progress_ sees the page's requests.
    void RecordProgress() {
        ui_.RunOnUi([&] { Page().SetExchangeObserver(&progress_); });
    }
    void ClearManualSetting() {
        Reveal(page1::IDC_MANUAL_SETTING);
        if (ui_.Checked(Page(), page1::IDC_MANUAL_SETTING)) {
            ASSERT_TRUE(ui_.Click(Page(), page1::IDC_MANUAL_SETTING));
        }
    }

    ProgressRecorder progress_;
};
