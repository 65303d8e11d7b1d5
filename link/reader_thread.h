// A link's reader thread with the stop event that every one of its waits also watches, so that
// closing a link can always end its reader and wait for it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "link/win_handle.h"

class CReaderThread {
  public:
    enum class IoResult { kDone, kFailed, kStopped, kTimeout };
    enum class Wake { kStop, kEvent, kTimeout };

    CReaderThread() = default;
    ~CReaderThread() { Stop(); }
    CReaderThread(const CReaderThread&) = delete;
    CReaderThread& operator=(const CReaderThread&) = delete;

    // Creates the stop event, or re-arms it; false when it cannot be created.
    bool Prepare();
    // Runs body on a new thread; false when the thread cannot be started.
    bool Start(std::function<void()> body);
    // Asks the reader to stop and returns once it has ended. Harmless when none runs.
    void Stop();

    // Waits up to ms for event (none: for nothing) or a stop, whichever comes first.
    Wake Wait(HANDLE event, DWORD ms) const;
    // True once a stop was asked for within waitMs; doubles as the reader's pacing sleep.
    bool StopRequested(DWORD waitMs = 0) const { return Wait(nullptr, waitMs) == Wake::kStop; }
    // Reads up to size bytes from device into buffer, waiting up to waitMs (INFINITE: for as
    // long as the device takes). When a stop comes first the read is cancelled and kStopped
    // returned. On kTimeout the read stays pending into buffer, which must stay untouched: the
    // next call, with resume set, waits for that read instead of starting another.
    IoResult Read(HANDLE device, OVERLAPPED* ov, uint8_t* buffer, DWORD size, DWORD* count,
                  DWORD waitMs = INFINITE, bool resume = false) const;
    // Cancels an overlapped operation on device and gives it a bounded time to report back;
    // false when it is still pending after that, and only CloseHandle completes it.
    static bool Cancel(HANDLE device, OVERLAPPED* ov);

  private:
    static unsigned __stdcall Entry(void* self);

    CWinHandle stop_;
    CWinHandle thread_;
    std::function<void()> body_;
};
