// Shared checks of the page tests: a page shown on the headless backend, and layout look-ups.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_spec.h"
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

// Innermost group box that holds the control: its caption, or "#id" when it has none; empty
// when no box holds it.
std::string BoxOf(const ui::DialogSpec& spec, int id);
// Caption of the nearest control to the left on the control's row, when that is a caption
// (static, check box or radio button); empty otherwise.
std::string LabelOf(const ui::DialogSpec& spec, int id);
// Ids whose template style has all of the given flags.
std::vector<int> IdsWithStyle(const ui::DialogSpec& spec, uint32_t style);
// Number of controls that have an id.
int CountIds(const ui::DialogSpec& spec);

// The controls one group box holds ("" for none, "#id" for a box without caption), each with
// the caption the operator reads for it: its own, or for a field the caption on its left.
struct Box {
    std::string box;
    std::vector<std::pair<int, std::string>> controls;
};
// Checks every listed control against the shown page, and that the page has no other ids.
void ExpectBoxes(ui::HeadlessBackend& ui, ui::CDialog& page, const std::vector<Box>& boxes);

using Kinds = std::vector<std::pair<ui::Kind, std::vector<int>>>;
void ExpectKinds(const ui::DialogSpec& spec, const Kinds& kinds);

std::vector<std::string> Numbered(const std::string& prefix, int first, int last);

}  // namespace pagetest
