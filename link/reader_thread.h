// A link's reader thread with the stop event that every one of its waits also watches, so that
// closing a link can always end its reader and wait for it.
#pragma once

#include <windows.h>

#include <functional>

#include "link/win_handle.h"

class CReaderThread {
  public:
    enum class IoResult { kDone, kFailed, kStopped };
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
    // Waits for the reader's overlapped operation on device. When a stop comes first the
    // operation is cancelled and kStopped returned.
    IoResult Finish(HANDLE device, OVERLAPPED* ov, DWORD* count) const;
    // Cancels the reader's pending operation and gives it a bounded time to report back; what is
    // still pending after that is completed by CloseHandle.
    static void Cancel(HANDLE device, OVERLAPPED* ov);

  private:
    static unsigned __stdcall Entry(void* self);

    CWinHandle stop_;
    CWinHandle thread_;
    std::function<void()> body_;
};
