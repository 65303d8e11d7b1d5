// A report-style list view as the dialogs see it: rows of tab-separated columns, one chosen.
#include "ui/win32/list_view.h"

#include <commctrl.h>

#include <vector>

#include "ui/win32/text.h"

namespace ui {

namespace {

std::vector<std::string> Columns(const std::string& text) {
    std::vector<std::string> columns(1);
    for (char c : text) {
        if (c == '\t')
            columns.emplace_back();
        else
            columns.back() += c;
    }
    return columns;
}

int ColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    return header == nullptr ? 0 : static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = &wide[0];
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void SetUpListView(HWND dialog, HWND list, const ControlDesc& desc) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (size_t i = 0; i < desc.items.size(); ++i) {
        RECT width = {0, 0, i < desc.columnWidths.size() ? desc.columnWidths[i] : 50, 0};
        MapDialogRect(dialog, &width);
        std::wstring header = Widen(desc.items[i]);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = width.right;
        column.pszText = &header[0];
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

int ListRowCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListRowText(HWND list, int index) {
    if (index < 0 || index >= ListRowCount(list))
        return std::string();
    std::string text;
    const int columns = ColumnCount(list);
    for (int column = 0; column < columns; ++column) {
        wchar_t cell[512] = {};
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = cell;
        item.cchTextMax = static_cast<int>(sizeof cell / sizeof cell[0]);
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        text += (column > 0 ? "\t" : "") + Narrow(cell);
    }
    return text;
}

void AddListRow(HWND list, const std::string& text) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = ListRowCount(list);
    wchar_t empty[] = L"";
    item.pszText = empty;
    const int row =
        static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0)
        SetListRow(list, row, text);
}

void SetListRow(HWND list, int index, const std::string& text) {
    if (index < 0 || index >= ListRowCount(list))
        return;
    const std::vector<std::string> columns = Columns(text);
    const int count = ColumnCount(list);
    for (int column = 0; column < count; ++column)
        SetCell(list, index, column,
                column < static_cast<int>(columns.size()) ? columns[column] : std::string());
}

int ListSelection(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectListRow(HWND list, int index) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    // Every row loses the choice, then the one asked for takes it.
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (index < 0 || index >= ListRowCount(list))
        return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void ClearList(HWND list) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

}  // namespace ui
