// A report-style list view as the dialogs see it: rows of tab-separated columns, one chosen.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog_desc.h"

namespace ui {

// Heads the columns the description names, at its widths, and chooses whole rows.
void SetUpListView(HWND dialog, HWND list, const ControlDesc& desc);
int ListRowCount(HWND list);
std::string ListRowText(HWND list, int index);
void AddListRow(HWND list, const std::string& text);
void SetListRow(HWND list, int index, const std::string& text);
int ListSelection(HWND list);  // -1 when no row is chosen
void SelectListRow(HWND list, int index);
void ClearList(HWND list);

}  // namespace ui
