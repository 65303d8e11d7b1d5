// Builds an in-memory dialog template (DLGTEMPLATEEX) from a dialog description.
#include "ui/win32/dialog_template.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/win32/text.h"

namespace ui {

namespace {

// Predefined window classes by ordinal.
constexpr uint16_t kButtonClass = 0x0080;
constexpr uint16_t kEditClass = 0x0081;
constexpr uint16_t kStaticClass = 0x0082;
constexpr uint16_t kComboBoxClass = 0x0085;

class TemplateWriter {
  public:
    void Word(uint16_t w) { data_.push_back(w); }
    void Dword(uint32_t d) {
        Word(static_cast<uint16_t>(d & 0xFFFF));
        Word(static_cast<uint16_t>(d >> 16));
    }
    void Text(const std::string& text) {
        for (wchar_t c : Widen(text))
            Word(static_cast<uint16_t>(c));
        Word(0);
    }
    void Ordinal(uint16_t ordinal) {
        Word(0xFFFF);
        Word(ordinal);
    }
    void AlignDword() {
        if (data_.size() % 2 != 0)
            Word(0);
    }
    std::vector<uint16_t> Take() { return std::move(data_); }

  private:
    std::vector<uint16_t> data_;
};

uint32_t ControlStyle(const ControlDesc& c) {
    uint32_t style = WS_CHILD;
    if (!(c.style & kHidden))
        style |= WS_VISIBLE;
    if (c.style & kDisabled)
        style |= WS_DISABLED;
    if (c.style & kGroup)
        style |= WS_GROUP;
    if (c.style & kTabStop)
        style |= WS_TABSTOP;
    switch (c.kind) {
        case Kind::kGroupBox:
            return style | BS_GROUPBOX;
        case Kind::kStatic:
            return style | ((c.style & kCenter) ? SS_CENTER : SS_LEFT);
        case Kind::kIcon:
            return style | SS_ICON;
        case Kind::kPushButton:
            return style | BS_PUSHBUTTON;
        case Kind::kDefPushButton:
            return style | BS_DEFPUSHBUTTON;
        case Kind::kAutoRadio:
            return style | BS_AUTORADIOBUTTON;
        case Kind::kAutoCheckBox:
            return style | BS_AUTOCHECKBOX;
        case Kind::kDropDownList:
            return style | CBS_DROPDOWNLIST | WS_VSCROLL | ((c.style & kSorted) ? CBS_SORT : 0);
        case Kind::kEdit:
            if (c.style & kMultiline)
                style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL;
            return style | WS_BORDER | ES_AUTOHSCROLL | ((c.style & kReadOnly) ? ES_READONLY : 0) |
                   ((c.style & kPassword) ? ES_PASSWORD : 0) |
                   ((c.style & kNumber) ? ES_NUMBER : 0);
        case Kind::kIpAddress:
            return style;
        case Kind::kListView:
            return style | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                   LVS_NOSORTHEADER;
    }
    return style;
}

void WriteClass(TemplateWriter& w, Kind kind) {
    switch (kind) {
        case Kind::kGroupBox:
        case Kind::kPushButton:
        case Kind::kDefPushButton:
        case Kind::kAutoRadio:
        case Kind::kAutoCheckBox:
            w.Ordinal(kButtonClass);
            return;
        case Kind::kStatic:
        case Kind::kIcon:
            w.Ordinal(kStaticClass);
            return;
        case Kind::kDropDownList:
            w.Ordinal(kComboBoxClass);
            return;
        case Kind::kEdit:
            w.Ordinal(kEditClass);
            return;
        case Kind::kIpAddress:
            w.Text("SysIPAddress32");
            return;
        case Kind::kListView:
            w.Text("SysListView32");
            return;
    }
}

}  // namespace

std::vector<uint16_t> BuildDialogTemplate(const DialogDesc& desc) {
    TemplateWriter w;
    uint32_t style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    if (desc.minimizeBox)
        style |= WS_MINIMIZEBOX;
    if (desc.resizable)
        style |= WS_THICKFRAME;
    w.Word(1);       // dlgVer
    w.Word(0xFFFF);  // signature: extended template
    w.Dword(0);      // helpID
    w.Dword(0);      // exStyle
    w.Dword(style);
    w.Word(static_cast<uint16_t>(desc.controls.size()));
    w.Word(0);
    w.Word(0);
    w.Word(static_cast<uint16_t>(desc.width));
    w.Word(static_cast<uint16_t>(desc.height));
    if (desc.menuId != 0) {
        w.Ordinal(static_cast<uint16_t>(desc.menuId));
    } else {
        w.Word(0);
    }
    w.Word(0);  // default dialog class
    w.Text(desc.caption);
    w.Word(8);  // point size
    w.Word(FW_NORMAL);
    w.Word(0x0100);  // italic FALSE, charset DEFAULT_CHARSET
    w.Text("MS Shell Dlg");

    for (const ControlDesc& c : desc.controls) {
        w.AlignDword();
        w.Dword(0);  // helpID
        w.Dword(c.kind == Kind::kEdit || c.kind == Kind::kListView ? WS_EX_CLIENTEDGE : 0);
        w.Dword(ControlStyle(c));
        w.Word(static_cast<uint16_t>(c.rect.x));
        w.Word(static_cast<uint16_t>(c.rect.y));
        w.Word(static_cast<uint16_t>(c.rect.w));
        w.Word(static_cast<uint16_t>(c.rect.h));
        w.Dword(static_cast<uint32_t>(c.id == kNoId ? 0xFFFF : c.id));
        WriteClass(w, c.kind);
        if (c.kind == Kind::kIcon) {
            w.Ordinal(static_cast<uint16_t>(c.iconId));
        } else {
            const bool listed = c.kind == Kind::kDropDownList || c.kind == Kind::kListView;
            w.Text(listed ? std::string() : c.caption);
        }
        w.Word(0);  // no creation data
    }
    return w.Take();
}

}  // namespace ui
