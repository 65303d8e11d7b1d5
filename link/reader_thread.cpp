// A link's reader thread with the stop event that every one of its waits also watches, so that
// closing a link can always end its reader and wait for it.
#include "link/reader_thread.h"

#include <process.h>

namespace {
// How long a cancelled operation may take to report back.
constexpr DWORD kCancelWaitMs = 500;
}  // namespace

bool CReaderThread::Prepare() {
    if (stop_.Valid())
        return ResetEvent(stop_.Get()) != 0;
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return stop_.Valid();
}

bool CReaderThread::Start(std::function<void()> body) {
    body_ = std::move(body);
    const uintptr_t thread = _beginthreadex(nullptr, 0, &CReaderThread::Entry, this, 0, nullptr);
    if (thread == 0)
        return false;
    thread_.Reset(reinterpret_cast<HANDLE>(thread));
    return true;
}

unsigned __stdcall CReaderThread::Entry(void* self) {
    static_cast<CReaderThread*>(self)->body_();
    return 1;
}

void CReaderThread::Stop() {
    if (thread_.Valid()) {
        SetEvent(stop_.Get());
        // Every wait of the reader also watches the stop event, so this join always ends.
        WaitForSingleObject(thread_.Get(), INFINITE);
        thread_.Reset();
    }
    stop_.Reset();
    body_ = nullptr;
}

CReaderThread::Wake CReaderThread::Wait(HANDLE event, DWORD ms) const {
    HANDLE events[2] = {stop_.Get(), event};
    switch (WaitForMultipleObjects(event ? 2 : 1, events, FALSE, ms)) {
        case WAIT_OBJECT_0 + 1:
            return Wake::kEvent;
        case WAIT_TIMEOUT:
            return Wake::kTimeout;
        default:
            return Wake::kStop;  // the stop, or a wait that failed: either way, end
    }
}

CReaderThread::IoResult CReaderThread::Read(HANDLE device, OVERLAPPED* ov, uint8_t* buffer,
                                            DWORD size, DWORD* count, DWORD waitMs,
                                            bool resume) const {
    *count = 0;
    if (!resume) {
        ResetEvent(ov->hEvent);
        if (ReadFile(device, buffer, size, count, ov))
            return IoResult::kDone;
        if (GetLastError() != ERROR_IO_PENDING)
            return IoResult::kFailed;
    }
    switch (Wait(ov->hEvent, waitMs)) {
        case Wake::kEvent:
            break;
        case Wake::kTimeout:
            return IoResult::kTimeout;
        case Wake::kStop:
            Cancel(device, ov);
            *count = 0;
            return IoResult::kStopped;
    }
    return GetOverlappedResult(device, ov, count, FALSE) ? IoResult::kDone : IoResult::kFailed;
}

bool CReaderThread::Cancel(HANDLE device, OVERLAPPED* ov) {
    CancelIoEx(device, ov);
    if (WaitForSingleObject(ov->hEvent, kCancelWaitMs) != WAIT_OBJECT_0)
        return false;
    DWORD ignored = 0;
    GetOverlappedResult(device, ov, &ignored, FALSE);
    return true;
}
