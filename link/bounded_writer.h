// One overlapped write at a time to a device, bounded in time, shared by the link
// implementations.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "link/win_handle.h"

// Writes from the link's own copy of the bytes: a write that outlives its cancel reads no
// caller's memory, and the next write finds it still pending rather than reusing its OVERLAPPED.
// Callers serialise Write, Cancel and Release.
class CBoundedWriter {
  public:
    CBoundedWriter();
    CBoundedWriter(const CBoundedWriter&) = delete;
    CBoundedWriter& operator=(const CBoundedWriter&) = delete;

    // Creates the write's event once; false when it cannot be created.
    bool Prepare();
    // Writes and waits up to timeoutMs. Returns the count written; 0 when the write failed, or
    // ran out of time and was cancelled, or an earlier write is still pending.
    uint32_t Write(HANDLE device, const uint8_t* data, uint32_t length, DWORD timeoutMs);
    // Cancels a write still pending; call while the device is open.
    void Cancel(HANDLE device);
    // Closes the event; only once the device is closed, which completes what is still pending.
    void Release();

  private:
    CWinHandle event_;
    OVERLAPPED ov_;
    bool pending_ = false;  // a write whose cancel was not honoured in time
    std::vector<uint8_t> buffer_;
};
