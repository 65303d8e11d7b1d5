// The Wi-Fi module page shown by the panel, talking to a simulated model '4' module.
#pragma once

#include <string>

#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"
#include "sim/sim_module.h"
#include "tests/support/progress_recorder.h"
#include "tests/support/sim_page_fixture.h"

class Page3Test : public SimPageTest<CPage3Marvuto, &CZephraDlg::m_page3, CSimModule, '4'> {
  protected:
    static constexpr unsigned kTimeoutMs = 5000;

    SimModuleSettings& Store() { return printer_->Settings(); }
    void ForgetFamilyLog() override { printer_->ClearRequests(); }

    // The requests the module parsed: V, I, and R or W with the item in decimal ("R16 W33").
    std::string Requests() {
        std::string out;
        for (const SimModuleRequest& r : printer_->Requests()) {
            if (!out.empty())
                out += ' ';
            out += static_cast<char>(r.letter);
            if (r.item >= 0)
                out += std::to_string(r.item);
        }
        return out;
    }
    // The value of the last write of an item, 0x00 included.
    Bytes Written(int item) {
        const auto& log = printer_->Requests();
        for (auto r = log.rbegin(); r != log.rend(); ++r) {
            if (r->letter == 'W' && r->item == item)
                return r->value;
        }
        return Bytes();
    }
    // Puts a value into a control as the read would, beyond typing limits and enabling.
    void SetText(int id, const std::string& text) {
        ui_.RunOnUi([&] { Page().SetItemText(id, text); });
    }
    void SetSel(int id, int index) {
        ui_.RunOnUi([&] { Page().SetCurSel(id, index); });
    }
    void Save(unsigned ms = 2000) {
        ASSERT_TRUE(ui_.Click(Page(), page3::IDC_SAVE));
        ui_.Advance(ms);
    }
    // Progress of the page's exchanges from now on, as the command line sees it.
    void Record(ProgressRecorder& recorder) {
        ui_.RunOnUi([&] { Page().SetExchangeObserver(&recorder); });
    }
    void ExpectButtons(bool read, bool save) {
        EXPECT_EQ(ui_.Enabled(Page(), page3::IDC_READ), read);
        EXPECT_EQ(ui_.Enabled(Page(), page3::IDC_SAVE), save);
    }
};
