// The serial COM-port link: overlapped port I/O and the reader thread that feeds the receive queue.
#include "link/serial_link_win32.h"

#include "link/rx_queue.h"

namespace {

constexpr DWORD kQueueSize = 4096;
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

// False when the port cannot even report its line errors: its device has gone.
bool ClearLineErrors(HANDLE comm) {
    DWORD errors = 0;
    COMSTAT stat{};
    return ClearCommError(comm, &errors, &stat) != 0;
}

}  // namespace

CSerialLink::~CSerialLink() {
    Close();
}

SerialOpenResult CSerialLink::Open(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify,
                                   DWORD* error) {
    Close();
    // The code is taken before Close, whose own calls may replace it.
    const auto fail = [this, error](SerialOpenResult result) {
        *error = GetLastError();
        Close();
        return result;
    };

    readEvent_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!readEvent_.Valid() || !writer_.Prepare())
        return fail(SerialOpenResult::kNoEvent);
    ResetOverlapped(&osRead_, readEvent_.Get());

    // "\\.\COMn" reaches ports above COM9, which have no DOS device name of their own.
    comm_.Reset(CreateFileA(settings.portName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr));
    if (!comm_.Valid()) {
        // No sharing was asked for: a port another program has open is refused, never shared.
        const DWORD refused = GetLastError();
        return fail(refused == ERROR_ACCESS_DENIED || refused == ERROR_SHARING_VIOLATION
                        ? SerialOpenResult::kInUse
                        : SerialOpenResult::kOpenFailed);
    }

    SetCommMask(comm_.Get(), EV_RXCHAR);
    SetupComm(comm_.Get(), kQueueSize, kQueueSize);
    PurgeComm(comm_.Get(), kPurgeAll);
    // A read waits for the first byte, then returns once the line has been quiet for the gap (or
    // the buffer is full): one read, one batch. Writes are bounded by WriteComm's own wait.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = kReplyGapMs;
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
    if (!configured)
        return fail(SerialOpenResult::kConfigFailed);
    settings_ = settings;

    if (!reader_.Prepare())
        return fail(SerialOpenResult::kWatchFailed);
    queue_ = &queue;
    notify_ = std::move(notify);
    if (!reader_.Start([this] { ThreadWatchComm(); }))
        return fail(SerialOpenResult::kThreadFailed);
    return SerialOpenResult::kOpened;
}

void CSerialLink::Close() {
    // The reader cancels its own pending read when asked to stop.
    reader_.Stop();
    if (comm_.Valid()) {
        writer_.Cancel(comm_.Get());
        SetCommMask(comm_.Get(), 0);
        PurgeComm(comm_.Get(), kPurgeAll);
        comm_.Reset();
    }
    // Only now can no operation refer to the OVERLAPPED events any more.
    writer_.Release();
    readEvent_.Reset();
    ResetOverlapped(&osRead_, nullptr);
    notify_ = nullptr;
    queue_ = nullptr;
}

uint32_t CSerialLink::WriteComm(const uint8_t* data, uint32_t length) {
    if (!comm_.Valid() || data == nullptr || length == 0)
        return 0;
    const uint32_t written =
        writer_.Write(comm_.Get(), data, length, WriteBoundMs(settings_, length));
    if (written < length)
        ClearLineErrors(comm_.Get());
    return written;
}

CReaderThread::IoResult CSerialLink::ReadComm(uint8_t* buffer, uint32_t size, DWORD* count) {
    return reader_.Read(comm_.Get(), &osRead_, buffer, size, count);
}

bool CSerialLink::InputWaiting() {
    DWORD errors = 0;
    COMSTAT stat{};
    return ClearCommError(comm_.Get(), &errors, &stat) && stat.cbInQue > 0;
}

void CSerialLink::ThreadWatchComm() {
    uint32_t held = 0;  // bytes of the current batch read so far
    for (;;) {
        DWORD n = 0;
        const CReaderThread::IoResult result = ReadComm(chunk_ + held, kReplyChunkSize - held, &n);
        if (result == CReaderThread::IoResult::kStopped)
            return;
        const bool failed = result == CReaderThread::IoResult::kFailed || n == 0;
        if (!failed) {
            held += n;
            // Bytes already waiting mean the line never fell quiet: on a busy system the gap's
            // time-out can fire late, after more bytes have come.
            if (held < kReplyChunkSize && InputWaiting())
                continue;
        }
        if (held > 0) {
            queue_->PutChunk(chunk_, held);  // a chunk the queue cannot hold is dropped whole
            held = 0;
            if (notify_)
                notify_(LinkEvent::kData);
        }
        if (failed) {
            // A line error fails a read until it is cleared. A read that fails on a port that
            // cannot clear it has lost its line (an adapter unplugged, a pseudo-terminal hung
            // up): that is told once, and the reader ends.
            if (!ClearLineErrors(comm_.Get()) && result == CReaderThread::IoResult::kFailed) {
                if (notify_)
                    notify_(LinkEvent::kDisconnected);
                return;
            }
            // A port that keeps failing must not keep the reader busy.
            if (reader_.StopRequested(kReadRetryMs))
                return;
        }
    }
}
