// UTF-8 (the core's strings) to and from UTF-16 (the Win32 wide APIs).
#pragma once

#include <windows.h>

#include <string>

namespace ui {

inline std::wstring Widen(const std::string& text) {
    if (text.empty())
        return std::wstring();
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

inline std::string Narrow(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n,
                        nullptr, nullptr);
    return text;
}

// The system's words for an error code, as one line without its closing full stop.
inline std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = n > 0 ? Narrow(std::wstring(text, n)) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(code) : message;
}

}  // namespace ui
