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

}  // namespace ui
