// The program's own window messages.
#pragma once

#include "ui/message.h"

// Reader thread to main dialog: bytes were queued.
constexpr unsigned WM_COMM_READ = ui::kWmUser + 1;
// Reader thread to main dialog: the link's queue overflowed or its device went away.
constexpr unsigned WM_LINK_EVENT = ui::kWmUser + 2;
// Main dialog to a page: one notification's bytes (wParam the count, payload the bytes followed
// by zero bytes).
constexpr unsigned WM_PAGE1_DATA = ui::kWmUser + 11;
constexpr unsigned WM_PAGE2_DATA = ui::kWmUser + 12;
constexpr unsigned WM_PAGE3_DATA = ui::kWmUser + 13;
