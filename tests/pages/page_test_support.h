// Shared helpers of the page tests: a page shown on the headless backend, and template look-ups.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_desc.h"
#include "ui/headless/headless_backend.h"

namespace pagetest {

// A page shown modally on its own UI thread for the length of a test.
template <typename Page>
class ShownPage : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::SetBackend(&ui_);
        ui_.Start([this] { result_ = page_.DoModal(); });
    }
    void TearDown() override {
        ui_.Stop();
        ui::SetBackend(nullptr);
    }

    // Puts text into a control as code would (beyond any typing limit), then takes the values.
    bool TakeValuesWith(const std::vector<std::pair<int, std::string>>& texts) {
        bool taken = false;
        ui_.RunOnUi([&] {
            for (const auto& [id, text] : texts)
                page_.SetItemText(id, text);
            taken = page_.UpdateData(true);
        });
        return taken;
    }

    // Shows the held values again.
    void ShowValues() {
        ui_.RunOnUi([&] { page_.UpdateData(false); });
    }

    ui::HeadlessBackend ui_;
    Page page_;
    std::atomic<int> result_{0};
};

// Leaves a field as Win32 does when the field's check brings up boxes: each box takes the focus,
// so while it is up the field hears EN_KILLFOCUS again (here at most `again` times; Win32 goes on).
inline void LeaveFieldUnderBoxes(ui::HeadlessBackend& ui, ui::CDialog& page, int id,
                                 int again = 8) {
    ui.RunOnUi([&] {
        ui.SetBoxHandler([&page, id, again](const std::string&, unsigned) mutable {
            if (again-- > 0)
                page.OnCommand(id, ui::kEnKillFocus);
            return 0;
        });
    });
    ui.LeaveField(page, id);
    ui.RunOnUi([&] { ui.SetBoxHandler(nullptr); });
}

// Ids whose template style has all of the given flags.
std::vector<int> IdsWithStyle(const ui::DialogDesc& desc, uint32_t style);

std::vector<std::string> Numbered(const std::string& prefix, int first, int last);

}  // namespace pagetest
