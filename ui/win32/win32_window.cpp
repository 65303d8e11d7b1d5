// One shown dialog on the real window system: control access and the dialog procedure.
#include "ui/win32/win32_window.h"

#include <commctrl.h>

#include "ui/dialog.h"
#include "ui/win32/list_view.h"
#include "ui/win32/text.h"

namespace ui {

namespace {
// Wakes the dialog for the next message in its own posted queue.
constexpr UINT kWmPosted = WM_APP + 1;
const wchar_t kWindowProperty[] = L"ZephraDialogWindow";
}  // namespace

Win32Window* Win32Window::FromHandle(HWND hwnd) {
    return hwnd == nullptr ? nullptr : static_cast<Win32Window*>(GetPropW(hwnd, kWindowProperty));
}

Win32Window::Win32Window(HINSTANCE instance, CDialog& dialog)
    : instance_(instance), dialog_(dialog) {}

Win32Window::~Win32Window() {
    if (bigIcon_)
        DestroyIcon(bigIcon_);
    if (smallIcon_)
        DestroyIcon(smallIcon_);
}

INT_PTR CALLBACK Win32Window::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* window = reinterpret_cast<Win32Window*>(lParam);
        SetPropW(hwnd, kWindowProperty, window);
        window->hwnd_ = hwnd;
        window->FillFromDescription();
        window->dialog_.Attach(window);
        return window->dialog_.OnInitDialog() ? TRUE : FALSE;
    }
    Win32Window* window = FromHandle(hwnd);
    if (window == nullptr)
        return FALSE;
    if (msg == WM_NCDESTROY)
        RemovePropW(hwnd, kWindowProperty);
    return window->Handle(msg, wParam, lParam);
}

INT_PTR Win32Window::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            dialog_.OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == NM_DBLCLK && ListView(static_cast<int>(header->idFrom)) &&
                ListSelection(header->hwndFrom) >= 0)
                dialog_.OnCommand(static_cast<int>(header->idFrom), kListDoubleClick);
            return FALSE;
        }
        case WM_TIMER:
            // Timers are one-shot: gone before the handler runs, so it may arm them again.
            ::KillTimer(hwnd_, wParam);
            dialog_.OnTimer(static_cast<unsigned>(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            return dialog_.OnSysCommand(static_cast<unsigned>(wParam)) ? TRUE : FALSE;
        case kWmPosted: {
            Message message;
            {
                std::lock_guard<std::mutex> lock(postedMutex_);
                if (posted_.empty())
                    return TRUE;
                message = std::move(posted_.front());
                posted_.pop_front();
            }
            dialog_.OnMessage(message);
            return TRUE;
        }
        case WM_QUERYDRAGICON:
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(bigIcon_));
            return bigIcon_ != nullptr;
        case WM_PAINT:
            return PaintIconWhileMinimised();
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED)
                FollowSize(LOWORD(lParam), HIWORD(lParam));
            return FALSE;
        case WM_GETMINMAXINFO:
            if (startWindow_.cx > 0) {
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                info->ptMinTrackSize = {startWindow_.cx, startWindow_.cy};
            }
            return FALSE;
        case WM_DESTROY:
            dialog_.Detach();
            return FALSE;
    }
    return FALSE;
}

bool Win32Window::PaintIconWhileMinimised() {
    if (!IsIconic(hwnd_) || bigIcon_ == nullptr)
        return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT rect;
    GetClientRect(hwnd_, &rect);
    const int x = (rect.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, bigIcon_);
    EndPaint(hwnd_, &ps);
    return true;
}

void Win32Window::FillFromDescription() {
    for (const ControlDesc& c : dialog_.Desc().controls) {
        if (c.kind == Kind::kListView) {
            SetUpListView(hwnd_, Item(c.id), c);
            continue;
        }
        for (const std::string& item : c.items)
            AddItem(c.id, item);
        if (c.limit > 0)
            SetLimitText(c.id, c.limit);
        // A many-line edit holds far more than the 32K characters it takes by default.
        if (c.kind == Kind::kEdit && (c.style & kMultiline) && c.limit == 0)
            SetLimitText(c.id, 0);
    }
    if (dialog_.Desc().resizable)
        RecordAnchoredControls();
}

void Win32Window::RecordAnchoredControls() {
    RECT client, window;
    GetClientRect(hwnd_, &client);
    GetWindowRect(hwnd_, &window);
    startClient_ = {client.right, client.bottom};
    startWindow_ = {window.right - window.left, window.bottom - window.top};
    for (const ControlDesc& c : dialog_.Desc().controls) {
        const uint32_t anchors = c.style & (kStretch | kFollowBottom | kFollowRight);
        HWND control = Item(c.id);
        if (anchors == 0 || control == nullptr)
            continue;
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
        anchored_.push_back(Anchored{control, rect, anchors});
    }
}

void Win32Window::FollowSize(int width, int height) {
    const int dx = width - startClient_.cx, dy = height - startClient_.cy;
    for (const Anchored& a : anchored_) {
        RECT r = a.start;
        if (a.style & kStretch) {
            r.right += dx;
            r.bottom += dy;
        }
        if (a.style & kFollowRight)
            OffsetRect(&r, dx, 0);
        if (a.style & kFollowBottom)
            OffsetRect(&r, 0, dy);
        SetWindowPos(a.control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!anchored_.empty())
        InvalidateRect(hwnd_, nullptr, TRUE);
}

HWND Win32Window::Item(int id) const {
    return id == kNoId || hwnd_ == nullptr ? nullptr : GetDlgItem(hwnd_, id);
}

HWND Win32Window::ListView(int id) const {
    const ControlDesc* desc = dialog_.Desc().Find(id);
    return desc != nullptr && desc->kind == Kind::kListView ? Item(id) : nullptr;
}

std::string Win32Window::GetText(int id) {
    HWND item = Item(id);
    if (item == nullptr)
        return std::string();
    const int n = GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(item, &text[0], n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return Narrow(text);
}

void Win32Window::SetText(int id, const std::string& text) {
    if (HWND item = Item(id))
        SetWindowTextW(item, Widen(text).c_str());
}

bool Win32Window::IsEnabled(int id) {
    HWND item = Item(id);
    return item != nullptr && IsWindowEnabled(item);
}

void Win32Window::Enable(int id, bool enable) {
    if (HWND item = Item(id))
        EnableWindow(item, enable ? TRUE : FALSE);
}

bool Win32Window::IsVisible(int id) {
    HWND item = Item(id);
    return item != nullptr && (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Window::Show(int id, bool show) {
    if (HWND item = Item(id))
        ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}

int Win32Window::GetCheck(int id) {
    HWND item = Item(id);
    return item == nullptr ? 0 : static_cast<int>(SendMessageW(item, BM_GETCHECK, 0, 0));
}

void Win32Window::SetCheck(int id, int check) {
    if (HWND item = Item(id))
        SendMessageW(item, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

int Win32Window::GetCurSel(int id) {
    if (HWND list = ListView(id))
        return ListSelection(list);
    HWND item = Item(id);
    return item == nullptr ? -1 : static_cast<int>(SendMessageW(item, CB_GETCURSEL, 0, 0));
}

void Win32Window::SetCurSel(int id, int index) {
    if (HWND list = ListView(id))
        SelectListRow(list, index);
    else if (HWND item = Item(id))
        SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32Window::GetItemCount(int id) {
    if (HWND list = ListView(id))
        return ListRowCount(list);
    HWND item = Item(id);
    return item == nullptr ? 0 : static_cast<int>(SendMessageW(item, CB_GETCOUNT, 0, 0));
}

std::string Win32Window::GetItemText(int id, int index) {
    if (HWND list = ListView(id))
        return ListRowText(list, index);
    HWND item = Item(id);
    if (item == nullptr)
        return std::string();
    const LRESULT n = SendMessageW(item, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == CB_ERR)
        return std::string();
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(item, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(n));
    return Narrow(text);
}

void Win32Window::AddItem(int id, const std::string& text) {
    if (HWND list = ListView(id)) {
        AddListRow(list, text);
    } else if (HWND item = Item(id)) {
        SendMessageW(item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
}

void Win32Window::ReplaceItem(int id, int index, const std::string& text) {
    if (HWND list = ListView(id))
        SetListRow(list, index, text);
}

void Win32Window::ResetContent(int id) {
    if (HWND list = ListView(id))
        ClearList(list);
    else if (HWND item = Item(id))
        SendMessageW(item, CB_RESETCONTENT, 0, 0);
}

uint32_t Win32Window::GetAddress(int id) {
    DWORD address = 0;
    if (HWND item = Item(id)) {
        SendMessageW(item, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    }
    return address;
}

void Win32Window::SetAddress(int id, uint32_t address) {
    if (HWND item = Item(id))
        SendMessageW(item, IPM_SETADDRESS, 0, address);
}

void Win32Window::SetLimitText(int id, int limit) {
    if (HWND item = Item(id))
        SendMessageW(item, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void Win32Window::SetFocus(int id) {
    if (HWND item = Item(id)) {
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
    }
}

std::string Win32Window::GetCaption() {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd_, text, 256);
    return Narrow(text);
}

void Win32Window::AppendSystemMenuItem(unsigned command, const std::string& text) {
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (menu == nullptr)
        return;
    // One separator parts the dialog's own items from the window system's.
    if (!systemMenuExtended_)
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    systemMenuExtended_ = true;
    AppendMenuW(menu, MF_STRING, command, Widen(text).c_str());
}

void Win32Window::SetIcon(int iconId) {
    const auto load = [&](int metricX, int metricY) {
        return static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                             GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                             0));
    };
    if (bigIcon_)
        DestroyIcon(bigIcon_);
    if (smallIcon_)
        DestroyIcon(smallIcon_);
    bigIcon_ = load(SM_CXICON, SM_CYICON);
    smallIcon_ = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void Win32Window::Minimize() {
    ShowWindow(hwnd_, SW_MINIMIZE);
}

void Win32Window::SetTimer(unsigned timerId, unsigned ms) {
    ::SetTimer(hwnd_, timerId, ms, nullptr);
}

void Win32Window::KillTimer(unsigned timerId) {
    ::KillTimer(hwnd_, timerId);
}

void Win32Window::Post(Message message) {
    std::lock_guard<std::mutex> lock(postedMutex_);
    posted_.push_back(std::move(message));
    PostMessageW(hwnd_, kWmPosted, 0, 0);
}

void Win32Window::End(int result) {
    EndDialog(hwnd_, result);
}

}  // namespace ui
