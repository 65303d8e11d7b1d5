// Shared checks of the page tests: a page shown on the headless backend, and layout look-ups.
#include "tests/pages/page_test_support.h"

#include <algorithm>

#include "app/page_layout_kit.h"

namespace pagetest {

namespace {

// The part of a control the operator sees: a drop-down list closed.
ui::Rect Visible(const ui::ControlSpec& c) {
    ui::Rect r = c.rect;
    if (c.kind == ui::Kind::kDropDownList)
        r.h = pagekit::kFieldHeight;
    return r;
}

bool Inside(const ui::Rect& inner, const ui::Rect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

bool IsCaption(ui::Kind kind) {
    return kind == ui::Kind::kStatic || kind == ui::Kind::kAutoCheckBox ||
           kind == ui::Kind::kAutoRadio;
}

bool IsField(ui::Kind kind) {
    return kind == ui::Kind::kEdit || kind == ui::Kind::kDropDownList ||
           kind == ui::Kind::kIpAddress;
}

}  // namespace

std::string BoxOf(const ui::DialogSpec& spec, int id) {
    const ui::ControlSpec* control = spec.Find(id);
    if (control == nullptr)
        return "?";
    const ui::ControlSpec* best = nullptr;
    for (const ui::ControlSpec& box : spec.controls) {
        if (box.kind != ui::Kind::kGroupBox || &box == control)
            continue;
        if (!Inside(Visible(*control), box.rect))
            continue;
        if (best == nullptr || Inside(box.rect, best->rect))
            best = &box;
    }
    if (best == nullptr)
        return "";
    return best->caption.empty() ? "#" + std::to_string(best->id) : best->caption;
}

std::string LabelOf(const ui::DialogSpec& spec, int id) {
    const ui::ControlSpec* control = spec.Find(id);
    if (control == nullptr)
        return "?";
    const ui::Rect field = Visible(*control);
    const ui::ControlSpec* nearest = nullptr;
    for (const ui::ControlSpec& c : spec.controls) {
        if (&c == control || c.kind == ui::Kind::kGroupBox)
            continue;
        const ui::Rect r = Visible(c);
        const int middle = r.y + r.h / 2;
        if (r.x + r.w > field.x || middle < field.y || middle >= field.y + field.h)
            continue;
        if (nearest == nullptr || r.x > nearest->rect.x)
            nearest = &c;
    }
    return nearest != nullptr && IsCaption(nearest->kind) ? nearest->caption : "";
}

std::vector<int> IdsWithStyle(const ui::DialogSpec& spec, uint32_t style) {
    std::vector<int> ids;
    for (const ui::ControlSpec& c : spec.controls) {
        if ((c.style & style) == style)
            ids.push_back(c.id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

int CountIds(const ui::DialogSpec& spec) {
    return static_cast<int>(
        std::count_if(spec.controls.begin(), spec.controls.end(),
                      [](const ui::ControlSpec& c) { return c.id != ui::kNoId; }));
}

void ExpectBoxes(ui::HeadlessBackend& ui, ui::CDialog& page, const std::vector<Box>& boxes) {
    const ui::DialogSpec& spec = page.Spec();
    int count = 0;
    for (const Box& box : boxes) {
        for (const auto& [id, caption] : box.controls) {
            SCOPED_TRACE("control " + std::to_string(id));
            ++count;
            const ui::ControlSpec* c = spec.Find(id);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(BoxOf(spec, id), box.box);
            EXPECT_EQ(IsField(c->kind) ? LabelOf(spec, id) : ui.Text(page, id), caption);
        }
    }
    EXPECT_EQ(CountIds(spec), count) << "controls nobody expects";
}

void ExpectKinds(const ui::DialogSpec& spec, const Kinds& kinds) {
    for (const auto& [kind, ids] : kinds) {
        for (int id : ids) {
            ASSERT_NE(spec.Find(id), nullptr) << id;
            EXPECT_EQ(spec.Find(id)->kind, kind) << id;
        }
    }
}

std::vector<std::string> Numbered(const std::string& prefix, int first, int last) {
    std::vector<std::string> items;
    for (int i = first; i <= last; ++i)
        items.push_back(prefix + std::to_string(i));
    return items;
}

}  // namespace pagetest
