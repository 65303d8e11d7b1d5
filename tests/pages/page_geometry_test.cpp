// The three page layouts as drawn: inside the dialog, no control on another, boxes hold whole rows.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "app/find_printer_layout.h"
#include "app/network_check_layout.h"
#include "app/provision_settings_layout.h"
#include "page_current/page1_layout.h"
#include "page_legacy/page2_layout.h"
#include "page_module/page3_layout.h"
#include "page_shared/page_layout_kit.h"
#include "page_shared/trace_dlg.h"

namespace {

struct Layout {
    const char* name;
    const ui::DialogDesc& (*desc)();
    std::set<std::pair<int, int>> sharedPlaces;  // pairs drawn at one place on purpose
};

void PrintTo(const Layout& layout, std::ostream* os) {
    *os << layout.name;
}

ui::Rect Visible(const ui::ControlDesc& c) {
    ui::Rect r = c.rect;
    if (c.kind == ui::Kind::kDropDownList)
        r.h = pagekit::kFieldHeight;
    return r;
}

bool Overlap(const ui::Rect& a, const ui::Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool Inside(const ui::Rect& inner, const ui::Rect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

std::string Name(const ui::ControlDesc& c) {
    return c.id == ui::kNoId ? "\"" + c.caption + "\"" : std::to_string(c.id);
}

class PageLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(PageLayout, NoTwoControlsShareAnId) {
    std::set<int> seen;
    for (const ui::ControlDesc& c : GetParam().desc().controls) {
        if (c.id == ui::kNoId)
            continue;
        EXPECT_TRUE(seen.insert(c.id).second) << "id " << c.id << " twice";
    }
}

TEST_P(PageLayout, EveryControlLiesInsideTheDialog) {
    const ui::DialogDesc& desc = GetParam().desc();
    const ui::Rect dialog{0, 0, desc.width, desc.height};
    for (const ui::ControlDesc& c : desc.controls) {
        EXPECT_GT(c.rect.w, 0) << Name(c);
        EXPECT_GT(c.rect.h, 0) << Name(c);
        EXPECT_TRUE(Inside(Visible(c), dialog)) << Name(c);
    }
}

TEST_P(PageLayout, NoControlCoversAnotherUnlessMeantTo) {
    const ui::DialogDesc& desc = GetParam().desc();
    const auto& shared = GetParam().sharedPlaces;
    for (size_t i = 0; i < desc.controls.size(); ++i) {
        const ui::ControlDesc& a = desc.controls[i];
        if (a.kind == ui::Kind::kGroupBox)
            continue;
        for (size_t j = i + 1; j < desc.controls.size(); ++j) {
            const ui::ControlDesc& b = desc.controls[j];
            if (b.kind == ui::Kind::kGroupBox || shared.count({a.id, b.id}) ||
                shared.count({b.id, a.id}))
                continue;
            EXPECT_FALSE(Overlap(Visible(a), Visible(b))) << Name(a) << " and " << Name(b);
        }
    }
    for (const auto& [a, b] : shared) {
        ASSERT_NE(desc.Find(a), nullptr);
        ASSERT_NE(desc.Find(b), nullptr);
        EXPECT_EQ(desc.Find(a)->rect.x, desc.Find(b)->rect.x) << a << " and " << b;
        EXPECT_EQ(desc.Find(a)->rect.y, desc.Find(b)->rect.y) << a << " and " << b;
        EXPECT_EQ(desc.Find(a)->rect.w, desc.Find(b)->rect.w) << a << " and " << b;
    }
}

TEST_P(PageLayout, GroupBoxesHoldWholeControlsAndNest) {
    const ui::DialogDesc& desc = GetParam().desc();
    for (const ui::ControlDesc& box : desc.controls) {
        if (box.kind != ui::Kind::kGroupBox)
            continue;
        for (const ui::ControlDesc& c : desc.controls) {
            if (&c == &box)
                continue;
            const ui::Rect r = Visible(c);
            const bool nests =
                Inside(r, box.rect) || (c.kind == ui::Kind::kGroupBox && Inside(box.rect, r));
            EXPECT_TRUE(nests || !Overlap(r, box.rect)) << Name(c) << " straddles " << Name(box);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllPages, PageLayout,
    ::testing::Values(Layout{"Page1", &page1::Page1Desc, {}},
                      Layout{"Page2", &page2::Page2Desc, {}},
                      Layout{"Page3",
                             &page3::Page3Desc,
                             {{page3::IDC_HELP_ASCII, page3::IDC_HELP_HEX},
                              {page3::IDC_REGION_COUNTRY, page3::IDC_REGION_NUMERIC}}},
                      Layout{"ProtocolTrace", &TraceDialogDesc, {}},
                      Layout{"FindPrinter", &findprinter::FindPrinterDesc, {}},
                      Layout{"NetworkCheck", &netcheck::NetworkCheckDesc, {}},
                      Layout{"ProvisionSettings", &provisionsettings::ProvisionSettingsDesc, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
