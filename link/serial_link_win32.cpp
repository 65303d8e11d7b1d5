// The serial COM-port link: overlapped port I/O and the reader thread that feeds the receive queue.
#include "link/serial_link_win32.h"

#include <cstring>

#include "link/rx_queue.h"

namespace {

constexpr DWORD kQueueSize = 4096;
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
// A port that never stops sending must not keep the reader from notifying or from stopping.
constexpr int kMaxChunksPerDrain = 16;
void ClearLineErrors(HANDLE comm) {
    DWORD errors = 0;
    COMSTAT stat{};
    ClearCommError(comm, &errors, &stat);
}

}  // namespace

CSerialLink::CSerialLink() {
    ResetOverlapped(&osRead_, nullptr);
    ResetOverlapped(&osWrite_, nullptr);
    ResetOverlapped(&osWait_, nullptr);
}

CSerialLink::~CSerialLink() {
    Close();
}

SerialOpenResult CSerialLink::Open(const SerialSettings& settings, CRxQueue& queue,
                                   NotifyFn notify) {
    Close();

    readEvent_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    writeEvent_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!readEvent_.Valid() || !writeEvent_.Valid()) {
        Close();
        return SerialOpenResult::kNoEvent;
    }
    ResetOverlapped(&osRead_, readEvent_.Get());
    ResetOverlapped(&osWrite_, writeEvent_.Get());

    // "\\.\COMn" reaches ports above COM9, which have no DOS device name of their own.
    comm_.Reset(CreateFileA(settings.portName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr));
    if (!comm_.Valid()) {
        Close();
        return SerialOpenResult::kOpenFailed;
    }

    SetCommMask(comm_.Get(), EV_RXCHAR);
    SetupComm(comm_.Get(), kQueueSize, kQueueSize);
    PurgeComm(comm_.Get(), kPurgeAll);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;  // with 0/0 below: a read returns what has arrived
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 1000;
    timeouts.WriteTotalTimeoutConstant = 20;
    SetCommTimeouts(comm_.Get(), &timeouts);

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool configured = GetCommState(comm_.Get(), &dcb) != 0;
    if (configured) {
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.BaudRate = settings.baudRate;
        dcb.ByteSize = settings.dataBits;
        dcb.Parity = settings.parity;
        dcb.StopBits = settings.stopBits;
        configured = SetCommState(comm_.Get(), &dcb) != 0;
    }
    if (!configured) {
        Close();
        return SerialOpenResult::kConfigFailed;
    }

    // The reader's own wait is prepared here so that a failure reaches the caller.
    waitEvent_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!waitEvent_.Valid() || !reader_.Prepare() || !SetCommMask(comm_.Get(), EV_RXCHAR)) {
        Close();
        return SerialOpenResult::kWatchFailed;
    }
    ResetOverlapped(&osWait_, waitEvent_.Get());

    queue_ = &queue;
    notify_ = std::move(notify);
    if (!reader_.Start([this] { ThreadWatchComm(); })) {
        Close();
        return SerialOpenResult::kThreadFailed;
    }
    return SerialOpenResult::kOpened;
}

void CSerialLink::Close() {
    reader_.Stop();
    if (comm_.Valid()) {
        SetCommMask(comm_.Get(), 0);
        PurgeComm(comm_.Get(), kPurgeAll);
        comm_.Reset();
    }
    // Only now can no operation refer to the OVERLAPPED events any more.
    waitEvent_.Reset();
    readEvent_.Reset();
    writeEvent_.Reset();
    ResetOverlapped(&osRead_, nullptr);
    ResetOverlapped(&osWrite_, nullptr);
    ResetOverlapped(&osWait_, nullptr);
    notify_ = nullptr;
    queue_ = nullptr;
}

uint32_t CSerialLink::WriteComm(const uint8_t* data, uint32_t length) {
    if (!comm_.Valid() || data == nullptr || length == 0)
        return 0;
    ResetEvent(osWrite_.hEvent);
    DWORD written = 0;
    if (WriteFile(comm_.Get(), data, length, &written, &osWrite_))
        return written;
    if (GetLastError() != ERROR_IO_PENDING) {
        ClearLineErrors(comm_.Get());
        return 0;
    }
    // The write time-outs bound this wait; the OVERLAPPED is free again once it returns.
    if (!GetOverlappedResult(comm_.Get(), &osWrite_, &written, TRUE)) {
        ClearLineErrors(comm_.Get());
    }
    return written;
}

bool CSerialLink::InputWaiting() {
    DWORD errors = 0;
    COMSTAT stat{};
    return ClearCommError(comm_.Get(), &errors, &stat) && stat.cbInQue > 0;
}

uint32_t CSerialLink::ReadComm(uint8_t* buffer, uint32_t size) {
    if (!InputWaiting())
        return 0;
    ResetEvent(osRead_.hEvent);
    DWORD read = 0;
    if (!ReadFile(comm_.Get(), buffer, size, &read, &osRead_)) {
        if (GetLastError() != ERROR_IO_PENDING) {
            ClearLineErrors(comm_.Get());
            return 0;
        }
        if (reader_.Finish(comm_.Get(), &osRead_, &read) != CReaderThread::IoResult::kDone)
            ClearLineErrors(comm_.Get());
    }
    return read < size ? read : size;
}

bool CSerialLink::Drain() {
    bool any = false;
    for (int i = 0; i < kMaxChunksPerDrain && !reader_.StopRequested(); ++i) {
        const uint32_t n = ReadComm(chunk_, sizeof chunk_);
        if (n == 0)
            break;
        queue_->PutChunk(chunk_, n);  // a chunk the queue cannot hold is dropped whole
        any = true;
    }
    return any;
}

void CSerialLink::ThreadWatchComm() {
    bool waitPending = false;
    for (;;) {
        bool received = false;
        if (!waitPending) {
            waitMask_ = 0;
            ResetEvent(osWait_.hEvent);
            if (WaitCommEvent(comm_.Get(), &waitMask_, &osWait_)) {
                received = (waitMask_ & EV_RXCHAR) != 0;
            } else if (GetLastError() == ERROR_IO_PENDING) {
                waitPending = true;
            } else {
                ClearLineErrors(comm_.Get());
            }
        }
        if (waitPending || !received) {
            const CReaderThread::Wake wake =
                reader_.Wait(waitPending ? osWait_.hEvent : nullptr, kCycleMs);
            if (wake == CReaderThread::Wake::kStop)
                break;
            if (wake == CReaderThread::Wake::kEvent) {
                DWORD ignored = 0;
                waitPending = false;
                received = GetOverlappedResult(comm_.Get(), &osWait_, &ignored, FALSE) &&
                           (waitMask_ & EV_RXCHAR) != 0;
            } else {
                // Bytes that came while no wait was armed raise no event; look for them too.
                received = InputWaiting();
            }
        }
        if (!received)
            continue;
        // Let the rest of a reply arrive so that it is delivered with one notification.
        if (reader_.StopRequested(kCycleMs))
            break;
        if (Drain() && notify_)
            notify_(LinkEvent::kData);
    }
    if (waitPending) {
        SetCommMask(comm_.Get(), 0);  // ends a pending wait where the driver honours it
        CReaderThread::Cancel(comm_.Get(), &osWait_);
    }
}
