// A dialog described once as data; both UI backends build their controls from it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ui {

enum class Kind {
    kGroupBox,
    kStatic,
    kIcon,  // static showing the application icon
    kPushButton,
    kDefPushButton,
    kAutoRadio,
    kAutoCheckBox,
    kDropDownList,
    kEdit,
    kIpAddress,
    kListView,  // rows of tab-separated columns, one chosen at most; its items head the columns
};

enum Style : uint32_t {
    kNone = 0,
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kGroup = 1u << 2,  // starts a group (radio buttons, tab order)
    kReadOnly = 1u << 3,
    kSorted = 1u << 4,
    kTabStop = 1u << 5,
    kPassword = 1u << 6,
    kNumber = 1u << 7,
    kCenter = 1u << 8,
    kMultiline = 1u << 9,      // an edit of many lines, with scroll bars
    kStretch = 1u << 10,       // grows and shrinks with a resizable dialog
    kFollowBottom = 1u << 11,  // keeps its distance to a resizable dialog's bottom edge
    kFollowRight = 1u << 12,   // keeps its distance to a resizable dialog's right edge
};

// Position and size in dialog units.
struct Rect {
    int x, y, w, h;
};

// Controls without an id of their own (labels, group boxes) carry kNoId.
constexpr int kNoId = -1;

struct ControlDesc {
    ControlDesc(int id_, Kind kind_, std::string caption_, Rect rect_, uint32_t style_ = kNone,
                std::vector<std::string> items_ = {}, int limit_ = 0)
        : id(id_),
          kind(kind_),
          caption(std::move(caption_)),
          rect(rect_),
          style(style_),
          items(std::move(items_)),
          limit(limit_) {}

    int id;
    Kind kind;
    std::string caption;
    Rect rect;
    uint32_t style = kNone;
    std::vector<std::string> items;  // initial list of a drop-down list
    int limit = 0;                   // edit text limit in characters, 0 for none
    int iconId = 0;                  // icon resource of a kIcon control
    std::vector<int> columnWidths;   // a kListView's columns, in dialog units
};

inline ControlDesc IconControl(Rect rect, int iconId) {
    ControlDesc c(kNoId, Kind::kIcon, "", rect);
    c.iconId = iconId;
    return c;
}

inline ControlDesc ListViewControl(int id, Rect rect, std::vector<std::string> headers,
                                   std::vector<int> widths, uint32_t style = kTabStop) {
    ControlDesc c(id, Kind::kListView, "", rect, style, std::move(headers));
    c.columnWidths = std::move(widths);
    return c;
}

struct DialogDesc {
    int templateId;
    std::string caption;
    int width, height;
    int menuId = 0;  // menu resource, 0 for none
    bool minimizeBox = false;
    std::vector<ControlDesc> controls;
    bool resizable = false;  // a sizing border; the size described is the smallest

    const ControlDesc* Find(int id) const {
        for (const ControlDesc& c : controls) {
            if (c.id == id && id != kNoId)
                return &c;
        }
        return nullptr;
    }
};

}  // namespace ui
