// Building blocks the three printer pages lay out their controls with, and the lists they share.
#include "page_shared/page_layout_kit.h"

#include <utility>

namespace pagekit {

using ui::Kind;

const char kPageTitle[] = "Velmora_v7.4";

ui::ControlDesc GroupBox(int id, const std::string& caption, ui::Rect rect) {
    return ui::ControlDesc(id, Kind::kGroupBox, caption, rect);
}

ui::ControlDesc Label(int id, const std::string& text, int x, int y, int width) {
    return ui::ControlDesc(id, Kind::kStatic, text,
                           {x, y + (kFieldHeight - kLabelHeight) / 2, width, kLabelHeight});
}

ui::ControlDesc Field(int id, Kind kind, int x, int y, int width, uint32_t style,
                      std::vector<std::string> items) {
    const int height = kind == Kind::kDropDownList ? kDropHeight : kFieldHeight;
    return ui::ControlDesc(id, kind, "", {x, y, width, height}, style, std::move(items));
}

ui::ControlDesc Button(int id, Kind kind, const std::string& caption, int x, int y, int width,
                       uint32_t style) {
    const bool push = kind == Kind::kPushButton || kind == Kind::kDefPushButton;
    // Check boxes and radio buttons sit centred on a field row.
    const int height = push ? kButtonHeight : kCheckHeight;
    const int top = push ? y : y + (kFieldHeight - kCheckHeight) / 2;
    return ui::ControlDesc(id, kind, caption, {x, top, width, height}, style);
}

void AddRow(std::vector<ui::ControlDesc>& out, const Column& column, int y, int labelId,
            const std::string& label, int id, Kind kind, uint32_t style,
            std::vector<std::string> items) {
    out.push_back(Label(labelId, label, column.x, y, column.labelWidth));
    out.push_back(Field(id, kind, column.FieldX(), y, column.fieldWidth, style, std::move(items)));
}

void AddInfoBlock(std::vector<ui::ControlDesc>& out, const InfoIds& ids, ui::Rect box,
                  const Column& column) {
    const uint32_t readOnly = ui::kReadOnly | ui::kTabStop;
    const int top = box.y + 12;
    out.push_back(GroupBox(ids.box, "WLAN Information", box));
    AddRow(out, column, top, ids.statusLabel, "Printer Status", ids.status, Kind::kEdit, readOnly);
    AddRow(out, column, top + kRowPitch, ids.versionLabel, "Version", ids.version, Kind::kEdit,
           readOnly);
    AddRow(out, column, top + 2 * kRowPitch, ids.macLabel, "MAC Address", ids.mac, Kind::kEdit,
           readOnly);
}

const std::vector<std::string>& WlanModes() {
    static const std::vector<std::string> modes{"Access Point mode", "Infrastructure mode"};
    return modes;
}

const std::vector<std::string>& WepKeySizes() {
    static const std::vector<std::string> sizes{"WEP-64bits", "WEP-128bits"};
    return sizes;
}

const std::vector<std::string>& WpaEncryptions() {
    static const std::vector<std::string> encryptions{"WPA PSK", "WPA2 PSK"};
    return encryptions;
}

const std::vector<std::string>& WpaCiphers() {
    static const std::vector<std::string> ciphers{"TKIP", "AES"};
    return ciphers;
}

}  // namespace pagekit
