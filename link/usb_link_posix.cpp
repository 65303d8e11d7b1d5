// The USB printer link on POSIX systems: the printer-class device node (/dev/usb/lp0) and the
// reader thread that batches its chunks as the USB link does and feeds the receive queue.
#include "link/usb_link_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "link/bounded_write_posix.h"
#include "link/line_quiet.h"
#include "link/rx_queue.h"
#include "link/usb_chunk_batching.h"

CPosixUsbLink::~CPosixUsbLink() {
    Close();
}

UsbOpenResult CPosixUsbLink::Open(const std::string& path, CRxQueue& queue, NotifyFn notify,
                                  ReadModeFn readMode, int* error) {
    Close();
    const UsbOpenResult result = [&] {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0)
            return UsbOpenResult::kOpenFailed;
        queue_ = &queue;
        notify_ = std::move(notify);
        readMode_ = std::move(readMode);
        const CPosixReaderThread::Start started = reader_.Run([this] { TestUSBReadThread(); });
        if (started != CPosixReaderThread::Start::kStarted)
            return started == CPosixReaderThread::Start::kNoWakeUp ? UsbOpenResult::kNoEvent
                                                                   : UsbOpenResult::kThreadFailed;
        return UsbOpenResult::kOpened;
    }();
    if (result != UsbOpenResult::kOpened) {
        const int saved = errno;
        Close();
        if (error != nullptr)
            *error = saved;
    }
    return result;
}

void CPosixUsbLink::Close() {
    reader_.Stop();
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
    notify_ = nullptr;
    readMode_ = nullptr;
    queue_ = nullptr;
}

uint32_t CPosixUsbLink::WriteComm(const uint8_t* data, uint32_t length) {
    if (fd_ < 0 || data == nullptr || length == 0)
        return 0;
    const uint32_t written = WriteWithin(fd_, data, length, kUsbWriteTimeoutMs);
    return written < length ? 0 : written;
}

void CPosixUsbLink::TestUSBReadThread() {
    bool held = false;  // bytes queued in read mode that the caller's thread was not told of
    for (;;) {
        if (reader_.StopRequested(static_cast<int>(kUsbReadPauseMs)))
            return;
        short events = 0;
        // Nothing held: wait for the printer for as long as it takes; the close ends that wait.
        const auto wait = reader_.WaitFor(fd_, held ? static_cast<int>(kQuietGapMs) : -1, &events);
        if (wait == CPosixReaderThread::Wait::kAgain)
            continue;
        if (wait == CPosixReaderThread::Wait::kStop)
            return;
        if (wait == CPosixReaderThread::Wait::kQuiet) {
            held = DeliverUsbQuietGap(notify_, held).notifyWhenQuiet;
            continue;
        }
        // Bytes still waiting are read before a hang-up is taken.
        const bool readable = (events & POLLIN) != 0;
        const ssize_t n = readable ? read(fd_, chunk_, sizeof chunk_) : -1;
        if (n < 0 && readable && (errno == EAGAIN || errno == EINTR))
            continue;
        const bool gone = n < 0 || (n == 0 && (events & (POLLHUP | POLLERR)) != 0);
        if (!gone) {
            // A read of no bytes holds what was held.
            const bool readMode = readMode_ && readMode_();
            held =
                DeliverUsbChunk(*queue_, notify_, chunk_, static_cast<uint32_t>(n), readMode, held)
                    .notifyWhenQuiet;
            continue;
        }
        // The printer was unplugged or switched off: what came is still told, then the loss,
        // once; the caller's thread releases the link.
        DeliverUsbQuietGap(notify_, held);
        if (notify_)
            notify_(LinkEvent::kDisconnected);
        return;
    }
}
