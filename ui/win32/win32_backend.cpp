// The real window system: dialogs built from their descriptions with DialogBoxIndirectParamW.
#include "ui/win32/win32_backend.h"

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

int Win32Backend::ShowMessageBox(const std::string& text, unsigned type) {
    // A box from another thread must not borrow the UI thread's window as its owner.
    HWND owner = nullptr;
    if (GetCurrentThreadId() == uiThread_ && !shown_.empty())
        owner = shown_.back()->Handle();
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

}  // namespace ui
