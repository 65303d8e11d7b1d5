// The current-generation page shown by the panel, talking to an in-process simulated printer on
// the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/main_dialog_layout.h"
#include "app/zephra_dlg.h"
#include "page_current/page1_layout.h"
#include "sim/sim_current_gen.h"
#include "tests/support/shown_panel.h"
#include "tests/support/sim_link.h"
#include "ui/headless/headless_backend.h"

using Bytes = std::vector<uint8_t>;

inline Bytes Frame(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

class Page1Test : public ::testing::Test {
  protected:
    void SetUp() override {
        auto family = std::make_unique<CSimCurrentGen>();
        printer_ = family.get();
        links_.Printer().SetProtocol(std::move(family));
        StartPanel(ui_, dlg_);
    }
    void TearDown() override { StopPanel(ui_); }

    CPage1New& Page() { return dlg_.m_page1; }
    SimCurrentGenSettings& Store() { return printer_->Settings(); }

    // Opens the link; the printer names model '5' and the page comes up.
    void OpenPage() {
        ASSERT_TRUE(ui_.Click(dlg_, IDC_OPEN));
        ASSERT_EQ(ui_.TopDialog(), &Page());
        ForgetTraffic();
    }
    // Runs a whole read against the printer's store.
    void Read() {
        ASSERT_TRUE(ui_.Click(Page(), page1::IDC_READ));
        ui_.Advance(2000);
    }
    // Reads an Infrastructure printer with static addresses and no security.
    void ReadInfrastructure() {
        Store().mode = "0";
        Store().dhcp = "0";
        OpenAndRead();
    }
    void OpenAndRead() {
        OpenPage();
        Read();
        ASSERT_EQ(ui_.Text(Page(), page1::IDC_PRINTER_STATUS), "Read Success");
        ForgetTraffic();
    }
    // Later checks see only what comes after this: the wire, the requests and the boxes.
    void ForgetTraffic() {
        links_.writes.clear();
        printer_->ClearRequests();
        ui_.TakeBoxes();
    }
    // What the page wrote since the last clear, as one stream.
    Bytes Wire() {
        Bytes all;
        for (const Bytes& w : links_.writes)
            all.insert(all.end(), w.begin(), w.end());
        return all;
    }
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
    std::vector<std::string> BoxTexts() {
        std::vector<std::string> texts;
        for (const auto& box : ui_.TakeBoxes())
            texts.push_back(box.text);
        return texts;
    }
    // Operator actions on controls the template keeps hidden.
    void Reveal(int id) {
        ui_.RunOnUi([&] {
            Page().ShowItem(id, true);
            Page().EnableItem(id, true);
        });
    }
    void ClearManualSetting() {
        Reveal(page1::IDC_MANUAL_SETTING);
        if (ui_.Checked(Page(), page1::IDC_MANUAL_SETTING)) {
            ASSERT_TRUE(ui_.Click(Page(), page1::IDC_MANUAL_SETTING));
        }
    }

    ui::HeadlessBackend ui_;
    SimLinkProvider links_{ui_, '5'};
    CSimCurrentGen* printer_ = nullptr;
    CZephraDlg dlg_{links_};
};
