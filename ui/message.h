// Window message ids, command codes and the posted-message record shared by both backends.
#pragma once

#include <cstdint>
#include <vector>

namespace ui {

constexpr unsigned kWmUser = 0x0400;

// Command notification codes as the window system sends them.
constexpr int kBnClicked = 0;
constexpr int kEnChange = 0x0300;
constexpr int kEnKillFocus = 0x0200;
constexpr int kCbnSelChange = 1;
// A list view's row chosen by a double-click (sent as a command, as a list box does).
constexpr int kListDoubleClick = 2;

// Standard command ids and message-box results.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Message-box types (combinable: one button set, one icon).
constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbYesNo = 0x04;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr unsigned kMbButtonMask = 0x0F;
constexpr unsigned kMbIconMask = 0xF0;

// System commands.
constexpr unsigned kScClose = 0xF060;

// A message posted to a dialog. Posted messages carry their bytes with them, so a later message
// never changes what an earlier one holds.
struct Message {
    unsigned id = 0;
    uintptr_t wParam = 0;
    std::vector<uint8_t> payload;
};

}  // namespace ui
