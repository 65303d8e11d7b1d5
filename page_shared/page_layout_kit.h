// Building blocks the three printer pages lay out their controls with, and the lists they share.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog_desc.h"

namespace pagekit {

// Every page shows the same window title.
extern const char kPageTitle[];

// Row metrics in dialog units: one row per field, fields 12 high, captions centred on them.
constexpr int kRowPitch = 14;
constexpr int kFieldHeight = 12;
constexpr int kLabelHeight = 8;
constexpr int kCheckHeight = 10;
constexpr int kButtonHeight = 14;
constexpr int kDropHeight = 100;  // a drop-down list's height includes its open list

// A column of caption + field rows: the caption at x, the field right after it.
struct Column {
    int x;
    int labelWidth;
    int fieldWidth;
    int FieldX() const { return x + labelWidth + 2; }
};

ui::ControlDesc GroupBox(int id, const std::string& caption, ui::Rect rect);
// A caption for the field on the row at y.
ui::ControlDesc Label(int id, const std::string& text, int x, int y, int width);
// An edit, IP-address control or drop-down list on the row at y, with its kind's height.
ui::ControlDesc Field(int id, ui::Kind kind, int x, int y, int width, uint32_t style = ui::kTabStop,
                      std::vector<std::string> items = {});
// A push button, check box or radio button, with its kind's height.
ui::ControlDesc Button(int id, ui::Kind kind, const std::string& caption, int x, int y, int width,
                       uint32_t style = ui::kTabStop);

// Appends a caption and its field, in that order, on the row at y of a column.
void AddRow(std::vector<ui::ControlDesc>& out, const Column& column, int y, int labelId,
            const std::string& label, int id, ui::Kind kind, uint32_t style = ui::kTabStop,
            std::vector<std::string> items = {});

// The ids of the "WLAN Information" block: its box, then caption and read-only field of
// Printer Status, Version and MAC Address.
struct InfoIds {
    int box;
    int statusLabel, status;
    int versionLabel, version;
    int macLabel, mac;
};

// Appends the "WLAN Information" box with its three read-only rows in the given column.
void AddInfoBlock(std::vector<ui::ControlDesc>& out, const InfoIds& ids, ui::Rect box,
                  const Column& column);

// Lists that more than one page offers, in the order the printers number their entries.
const std::vector<std::string>& WlanModes();       // access point, infrastructure
const std::vector<std::string>& WepKeySizes();     // 64, 128 bits
const std::vector<std::string>& WpaEncryptions();  // WPA PSK, WPA2 PSK
const std::vector<std::string>& WpaCiphers();      // TKIP, AES

}  // namespace pagekit
