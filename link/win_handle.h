// RAII owner of one Win32 handle, shared by the link implementations.
#pragma once

#include <windows.h>

// Owns one Win32 handle; closes it once. Null and INVALID_HANDLE_VALUE both mean "none".
class CWinHandle {
  public:
    CWinHandle() = default;
    explicit CWinHandle(HANDLE h) : h_(h) {}
    ~CWinHandle() { Reset(); }
    CWinHandle(const CWinHandle&) = delete;
    CWinHandle& operator=(const CWinHandle&) = delete;

    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    void Reset(HANDLE h = nullptr) {
        if (Valid())
            CloseHandle(h_);
        h_ = h;
    }

  private:
    HANDLE h_ = nullptr;
};
