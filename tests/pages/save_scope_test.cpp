// The window does not pretend: whatever the operator enters, a control whose setting the page's
// save would not write is disabled, and (where the page offers what it writes) one it writes is
// enabled. The entries are one-setting profiles loaded from a file, drawn from a fixed seed: a
// load runs the handler an operator's click runs, and sets even a control the page does not offer.
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

constexpr int kEntries = 150;

template <typename PageTest>
class SaveScope : public PageTest {
  protected:
    // The legacy page disables settings it writes all the same (a channel the network picks).
    static constexpr bool kWrittenIsOffered = !std::is_same_v<PageTest, Page2Test>;

    bool Offered(const profile::Field& field) {
        bool offered =
            field.kind != profile::FieldKind::kRadio && this->ui_.Enabled(this->Page(), field.id);
        for (const profile::Choice& choice : field.choices)
            offered = offered || this->ui_.Enabled(this->Page(), choice.id);
        return offered;
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
            using Kind = profile::Unproven::Kind;
            if (u != unproven.end() && u->kind == Kind::kPageChoice)
                continue;
            const bool written = u == unproven.end() || u->kind == Kind::kNotReported;
            if (written != Offered(field) && (!written || kWrittenIsOffered))
                found += std::string(field.name) + (written ? " is written but not offered; "
                                                            : " is offered but not written; ");
        }
        return found;
    }
    // A tick, radio button or list entry, as a profile of that one setting; "" for none.
    std::string Enter(std::mt19937& rng, const ProfileFile& file) {
        const auto& fields = this->Page().Profile().fields;
        const profile::Field& field = fields[rng() % fields.size()];
        nlohmann::json value;
        if (field.kind == profile::FieldKind::kCheck) {
            value = rng() % 2 == 0;
        } else if (field.kind == profile::FieldKind::kRadio) {
            value = field.choices[rng() % field.choices.size()].value;
        } else if (field.kind == profile::FieldKind::kList) {
            const auto items = this->ui_.Items(this->Page(), field.id);
            if (items.empty())
                return "";
            value = items[rng() % items.size()];
        } else {
            return "";
        }
        file.Write(nlohmann::json{{"format", profile::kFormatName},
                                  {"version", profile::kFormatVersion},
                                  {"family", this->Page().Profile().name},
                                  {"settings", {{field.name, value}}}}
                       .dump());
        LoadProfileFile(this->ui_, this->Page(), file);
        return std::string(field.name) + "=" + value.dump();
    }
};
using Families = ::testing::Types<Page1Test, Page2Test, Page3Test>;
TYPED_TEST_SUITE(SaveScope, Families);

TYPED_TEST(SaveScope, AControlIsOfferedExactlyWhenTheSaveWritesItsSetting) {
    this->OpenAndRead();
    EXPECT_EQ(this->Disagreements(), "") << "after the read";
    std::mt19937 rng(11);
    ProfileFile file("save-scope");
    std::string entries;
    for (int i = 0; i < kEntries; ++i) {
        const std::string entry = this->Enter(rng, file);
        if (entry.empty())
            continue;
        entries += entry + "; ";
        ASSERT_EQ(this->Disagreements(), "") << "after " << entries;
    }
}

}  // namespace
