// One overlapped write at a time to a device, bounded in time, shared by the link
// implementations.
#include "link/bounded_writer.h"

#include "link/reader_thread.h"

CBoundedWriter::CBoundedWriter() {
    ResetOverlapped(&ov_, nullptr);
}

bool CBoundedWriter::Prepare() {
    if (!event_.Valid())
        event_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ResetOverlapped(&ov_, event_.Get());
    pending_ = false;
    return event_.Valid();
}

uint32_t CBoundedWriter::Write(HANDLE device, const uint8_t* data, uint32_t length,
                               DWORD timeoutMs) {
    DWORD written = 0;
    if (pending_) {
        if (WaitForSingleObject(ov_.hEvent, 0) != WAIT_OBJECT_0)
            return 0;
        GetOverlappedResult(device, &ov_, &written, FALSE);
        pending_ = false;
    }
    buffer_.assign(data, data + length);
    ResetEvent(ov_.hEvent);
    written = 0;
    if (WriteFile(device, buffer_.data(), length, &written, &ov_))
        return written;
    if (GetLastError() != ERROR_IO_PENDING)
        return 0;
    if (WaitForSingleObject(ov_.hEvent, timeoutMs) != WAIT_OBJECT_0) {
        if (!CReaderThread::Cancel(device, &ov_)) {
            pending_ = true;
            return 0;
        }
        // A write that completed while it was being cancelled still counts.
        return GetOverlappedResult(device, &ov_, &written, FALSE) ? written : 0;
    }
    if (!GetOverlappedResult(device, &ov_, &written, FALSE) &&
        GetLastError() == ERROR_OPERATION_ABORTED) {
        return 0;
    }
    return written;
}

void CBoundedWriter::Cancel(HANDLE device) {
    if (pending_)
        CancelIoEx(device, &ov_);
    pending_ = false;
}

void CBoundedWriter::Release() {
    event_.Reset();
    ResetOverlapped(&ov_, nullptr);
    pending_ = false;
}
