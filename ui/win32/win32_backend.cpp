// The real window system: dialogs built from their descriptions with DialogBoxIndirectParamW.
#include "ui/win32/win32_backend.h"

#include <commdlg.h>

#include <cstring>

#include "ui/dialog.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/text.h"
#include "ui/win32/win32_window.h"

namespace ui {

namespace {
const wchar_t kMessageBoxCaption[] = L"Zephra";
}

Win32Backend::Win32Backend(HINSTANCE instance)
    : instance_(instance),
      filter_(SetWindowsHookExW(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId())),
      uiThread_(GetCurrentThreadId()) {}

Win32Backend::~Win32Backend() {
    if (filter_)
        UnhookWindowsHookEx(filter_);
}

// Sees every message of a dialog's modal loop before the dialog manager does, so a dialog that
// swallows Enter never gets the default button's or IDOK's command from it.
LRESULT CALLBACK Win32Backend::MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
            Win32Window* window = Win32Window::FromHandle(GetAncestor(msg->hwnd, GA_ROOT));
            if (window != nullptr && window->Dialog().SwallowsEnter())
                return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int Win32Backend::RunModal(CDialog& dialog) {
    const std::vector<uint16_t> tmpl = BuildDialogTemplate(dialog.Desc());
    Win32Window window(instance_, dialog);
    HWND owner = shown_.empty() ? nullptr : shown_.back()->Handle();
    shown_.push_back(&window);
    const INT_PTR result =
        DialogBoxIndirectParamW(instance_, reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), owner,
                                Win32Window::DialogProc, reinterpret_cast<LPARAM>(&window));
    shown_.pop_back();
    return static_cast<int>(result);
}

HWND Win32Backend::TopWindow() const {
    // A window from another thread must not borrow the UI thread's window as its owner.
    if (GetCurrentThreadId() == uiThread_ && !shown_.empty())
        return shown_.back()->Handle();
    return nullptr;
}

int Win32Backend::ShowMessageBox(const std::string& text, unsigned type) {
    HWND owner = TopWindow();
    return ::MessageBoxW(owner, Widen(text).c_str(), kMessageBoxCaption, type | MB_SETFOREGROUND);
}

uint32_t Win32Backend::TickCount() {
    return GetTickCount();
}

void Win32Backend::Sleep(unsigned ms) {
    ::Sleep(ms);
}

void Win32Backend::PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::string Win32Backend::LoadText(unsigned id) {
    const wchar_t* text = nullptr;
    const int n = ::LoadStringW(instance_, id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 ? Narrow(std::wstring(text, static_cast<size_t>(n))) : std::string();
}

std::string Win32Backend::AskFileName(FileDialogKind kind, const FileFilter& filter) {
    // The filter is pairs of NUL-ended strings, ended by one more NUL.
    std::wstring filterText = Widen(filter.description) + L'\0' + Widen(filter.pattern) + L'\0';
    filterText += L'\0';
    const std::wstring pattern = Widen(filter.pattern);
    const size_t dot = pattern.rfind(L'.');
    const std::wstring extension = dot == std::wstring::npos ? L"" : pattern.substr(dot + 1);
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = TopWindow();
    ofn.lpstrFilter = filterText.c_str();
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    BOOL chosen;
    if (kind == FileDialogKind::kOpen) {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameW(&ofn);
    } else {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameW(&ofn);
    }
    return chosen ? Narrow(path) : std::string();
}

bool Win32Backend::CopyToClipboard(const std::string& text) {
    const std::wstring wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr)
        return false;
    std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(TopWindow())) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it takes it.
    const bool taken = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!taken)
        GlobalFree(memory);
    return taken;
}

}  // namespace ui
