// A printer page shown by the panel, talking to an in-process simulated printer family on the
// virtual clock: where the tests of every page start.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/main_dialog_layout.h"
#include "app/zephra_dlg.h"
#include "tests/support/shown_panel.h"
#include "tests/support/sim_link.h"
#include "ui/headless/headless_backend.h"

using Bytes = std::vector<uint8_t>;

inline Bytes Frame(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// PageT is the page the panel shows for kModel, kPage where the panel keeps it, FamilyT the
// printer family's side of the protocol.
template <typename PageT, PageT CZephraDlg::*kPage, typename FamilyT, uint8_t kModel>
class SimPageTest : public ::testing::Test {
  protected:
    static constexpr uint8_t kPrinterModel = kModel;

    void SetUp() override {
        auto family = std::make_unique<FamilyT>();
        printer_ = family.get();
        links_.Printer().SetProtocol(std::move(family));
        StartPanel(ui_, dlg_);
    }
    void TearDown() override { StopPanel(ui_); }

    PageT& Page() { return dlg_.*kPage; }
    const PageButtons& Buttons() { return Page().Buttons(); }

    // Opens the link; the page comes up, after the identification time-out for a printer that
    // stays silent.
    void OpenPage() {
        ASSERT_TRUE(ui_.Click(dlg_, IDC_OPEN));
        if (ui_.TopDialog() != &Page())
            ui_.Advance(kModelTimeoutMs);
        ASSERT_EQ(ui_.TopDialog(), &Page());
        ForgetTraffic();
    }
    // Runs a whole read against the printer's store.
    void Read(unsigned ms = 2000) {
        ASSERT_TRUE(ui_.Click(Page(), Buttons().read));
        ui_.Advance(ms);
    }
    void OpenAndRead() {
        OpenPage();
        Read();
        ASSERT_EQ(ui_.Text(Page(), Buttons().status), "Read Success");
        ForgetTraffic();
    }
    // Later checks see only what comes after this: the wire, the family's own log and the boxes.
    void ForgetTraffic() {
        links_.writes.clear();
        links_.Printer().ClearReceived();
        ForgetFamilyLog();
        ui_.TakeBoxes();
    }
    virtual void ForgetFamilyLog() {}
    // What the page wrote since the last clear, as one stream.
    Bytes Wire() {
        Bytes all;
        for (const Bytes& w : links_.writes)
            all.insert(all.end(), w.begin(), w.end());
        return all;
    }
    std::vector<std::string> BoxTexts() { return ui_.TakeBoxTexts(); }
    // An operator action on a control the template keeps hidden.
    void Reveal(int id) {
        ui_.RunOnUi([&] {
            Page().ShowItem(id, true);
            Page().EnableItem(id, true);
        });
    }

    ui::HeadlessBackend ui_;
    SimLinkProvider links_{ui_, kModel};
    FamilyT* printer_ = nullptr;
    CZephraDlg dlg_{links_};
};
