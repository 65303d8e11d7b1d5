// RAII owner of one Win32 handle and the OVERLAPPED reset, shared by the link implementations.
#pragma once

#include <windows.h>

#include <cstring>

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

// A fresh OVERLAPPED record signalling the given event (or none).
inline void ResetOverlapped(OVERLAPPED* ov, HANDLE event) {
    std::memset(ov, 0, sizeof *ov);
    ov->hEvent = event;
}
