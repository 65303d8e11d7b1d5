// The window does not pretend: whatever the operator chooses, a control whose setting the page's
// save would not write is disabled, and (where the page offers what it writes) one it writes is
// enabled. The operator's choices are drawn at random from a fixed seed.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <random>
#include <string>
#include <type_traits>

#include "tests/page_current/page1_fixture.h"
#include "tests/page_legacy/page2_fixture.h"
#include "tests/page_module/page3_fixture.h"
#include "tests/support/profile_steps.h"

namespace {

constexpr int kChoices = 150;

template <typename PageTest>
class SaveScope : public PageTest {
  protected:
    // The legacy page disables settings it writes all the same (a channel the network picks).
    static constexpr bool kWrittenIsOffered = !std::is_same_v<PageTest, Page2Test>;

    std::vector<int> Controls(const profile::Field& field) {
        if (field.kind != profile::FieldKind::kRadio)
            return {field.id};
        std::vector<int> ids;
        for (const profile::Choice& choice : field.choices)
            ids.push_back(choice.id);
        return ids;
    }
    bool Offered(const profile::Field& field) {
        for (int id : Controls(field)) {
            if (this->ui_.Enabled(this->Page(), id))
                return true;
        }
        return false;
    }
    // The settings whose enabling disagrees with what the save writes.
    std::string Disagreements() {
        std::vector<profile::Unproven> unproven;
        this->ui_.RunOnUi([&] { unproven = this->Page().UnprovenSettings(); });
        std::string found;
        for (const profile::Field& field : this->Page().Profile().fields) {
            const auto u = std::find_if(unproven.begin(), unproven.end(), [&](const auto& x) {
                return field.name == std::string(x.setting);
            });
            const bool written =
                u == unproven.end() || u->kind == profile::Unproven::Kind::kNotReported;
            const bool choice =
                u != unproven.end() && u->kind == profile::Unproven::Kind::kPageChoice;
            if (choice)
                continue;
            if (!written && Offered(field))
                found +=
                    std::string(field.name) + " is offered but not written (" + u->reason + "); ";
            else if (kWrittenIsOffered && written && !Offered(field))
                found += std::string(field.name) + " is written but not offered; ";
        }
        return found;
    }
    // One choice an operator could make: a tick, a radio button or a list entry that is offered,
    // or a profile of that one setting loaded from a file, which sets even a control that is not.
    std::string Choose(std::mt19937& rng, const ProfileFile& file) {
        const auto& fields = this->Page().Profile().fields;
        const profile::Field& field = fields[rng() % fields.size()];
        if (field.kind == profile::FieldKind::kText || field.kind == profile::FieldKind::kAddress)
            return "";
        std::vector<int> offered;
        for (int id : Controls(field)) {
            if (this->ui_.Enabled(this->Page(), id))
                offered.push_back(id);
        }
        const bool load = rng() % 3 == 0;
        std::vector<std::string> values;
        if (field.kind == profile::FieldKind::kList)
            values = this->ui_.Items(this->Page(), field.id);
        else if (field.kind == profile::FieldKind::kRadio)
            values.assign(field.choices.size(), "");
        else
            values = {"false", "true"};
        if (values.empty() || (!load && offered.empty()))
            return "";
        const size_t index = rng() % values.size();
        if (load) {
            nlohmann::json value = field.kind == profile::FieldKind::kRadio
                                       ? nlohmann::json(field.choices[index].value)
                                   : field.kind == profile::FieldKind::kCheck
                                       ? nlohmann::json(index == 1)
                                       : nlohmann::json(values[index]);
            file.Write(nlohmann::json{{"format", profile::kFormatName},
                                      {"version", profile::kFormatVersion},
                                      {"family", this->Page().Profile().name},
                                      {"settings", {{field.name, value}}}}
                           .dump());
            LoadProfileFile(this->ui_, this->Page(), file);
            return std::string("loaded ") + field.name + "=" + value.dump();
        }
        const int id = offered[rng() % offered.size()];
        if (field.kind == profile::FieldKind::kList)
            this->ui_.Select(this->Page(), id, static_cast<int>(index));
        else
            this->ui_.Click(this->Page(), id);
        return std::string(field.name) + " " + std::to_string(id) + "/" + std::to_string(index);
    }
};
using Families = ::testing::Types<Page1Test, Page2Test, Page3Test>;
TYPED_TEST_SUITE(SaveScope, Families);

TYPED_TEST(SaveScope, AControlIsOfferedExactlyWhenTheSaveWritesItsSetting) {
    this->OpenAndRead();
    EXPECT_EQ(this->Disagreements(), "") << "after the read";
    std::mt19937 rng(11);
    ProfileFile file("save-scope");
    std::string choices;
    for (int i = 0; i < kChoices; ++i) {
        const std::string choice = this->Choose(rng, file);
        this->ui_.TakeBoxes();
        if (choice.empty())
            continue;
        choices += choice + "; ";
        const std::string found = this->Disagreements();
        ASSERT_EQ(found, "") << "after " << choices;
    }
}

}  // namespace
