// The serial link on POSIX systems: a termios port opened exclusively, and the reader thread that
// cuts the printer's bytes into replies by line silence and feeds the receive queue.
#include "link/serial_link_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "link/bounded_write_posix.h"
#include "link/posix_reader_thread.h"
#include "link/rx_queue.h"

namespace {

bool BaudCode(uint32_t baud, speed_t* code) {
    static const struct {
        uint32_t baud;
        speed_t code;
    } kBauds[] = {{1200, B1200},   {2400, B2400},     {4800, B4800},
                  {9600, B9600},   {19200, B19200},   {38400, B38400},
                  {57600, B57600}, {115200, B115200}, {230400, B230400}};
    for (const auto& b : kBauds) {
        if (b.baud == baud) {
            *code = b.code;
            return true;
        }
    }
    return false;
}

bool DataBitsFlag(uint8_t bits, tcflag_t* flag) {
    switch (bits) {
        case 5:
            *flag = CS5;
            return true;
        case 6:
            *flag = CS6;
            return true;
        case 7:
            *flag = CS7;
            return true;
        case 8:
            *flag = CS8;
            return true;
    }
    return false;
}

// The line has gone away for good: an adapter unplugged, the other end of a pseudo-terminal
// closed, the device failing; error is the failed read's, 0 when none was made.
bool LineGone(short revents, int error) {
    return (revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 || error == EIO || error == ENXIO ||
           error == ENODEV;
}

}  // namespace

CPosixSerialLink::~CPosixSerialLink() {
    Close();
}

SerialOpenResult CPosixSerialLink::Open(const SerialSettings& settings, CRxQueue& queue,
                                        NotifyFn notify, int* error) {
    Close();
    const SerialOpenResult result = [&] {
        fd_ = open(settings.portName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        // Another user's TIOCEXCL refuses the open itself.
        if (fd_ < 0)
            return errno == EBUSY ? SerialOpenResult::kInUse : SerialOpenResult::kOpenFailed;
        // TIOCEXCL keeps other users out; the lock also keeps out another of our own processes
        // running with privileges that TIOCEXCL lets through.
        if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK)
                return SerialOpenResult::kOpenFailed;
            errno = EBUSY;
            return SerialOpenResult::kInUse;
        }
        if (ioctl(fd_, TIOCEXCL) != 0)
            return SerialOpenResult::kOpenFailed;
        const SerialOpenResult configured = Configure(settings);
        if (configured != SerialOpenResult::kOpened)
            return configured;
        queue_ = &queue;
        notify_ = std::move(notify);
        const CPosixReaderThread::Start started = reader_.Run([this] { ThreadWatchComm(); });
        if (started != CPosixReaderThread::Start::kStarted)
            return started == CPosixReaderThread::Start::kNoWakeUp
                       ? SerialOpenResult::kWatchFailed
                       : SerialOpenResult::kThreadFailed;
        return SerialOpenResult::kOpened;
    }();
    if (result != SerialOpenResult::kOpened) {
        const int saved = errno;
        Close();
        if (error != nullptr)
            *error = saved;
    }
    return result;
}

SerialOpenResult CPosixSerialLink::Configure(const SerialSettings& settings) {
    termios tio{};
    speed_t speed = 0;
    tcflag_t size = 0;
    if (!BaudCode(settings.baudRate, &speed) || !DataBitsFlag(settings.dataBits, &size) ||
        settings.parity > 2) {
        errno = EINVAL;
        return SerialOpenResult::kConfigFailed;
    }
    if (tcgetattr(fd_, &tio) != 0)
        return SerialOpenResult::kConfigFailed;
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD | size;
    if (settings.parity != 0)
        tio.c_cflag |= PARENB | (settings.parity == 1 ? PARODD : 0);
    if (settings.stopBits != 0)
        tio.c_cflag |= CSTOPB;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0 ||
        tcsetattr(fd_, TCSANOW, &tio) != 0)
        return SerialOpenResult::kConfigFailed;
    tcflush(fd_, TCIOFLUSH);
    settings_ = settings;
    return SerialOpenResult::kOpened;
}

void CPosixSerialLink::Close() {
    reader_.Stop();
    if (fd_ >= 0) {
        tcflush(fd_, TCIOFLUSH);
        // A pseudo-terminal keeps its exclusive mode after the last close, while its other side
        // stays open: the next user, unprivileged, would find it busy.
        ioctl(fd_, TIOCNXCL);
        close(fd_);  // also drops the lock
    }
    fd_ = -1;
    notify_ = nullptr;
    queue_ = nullptr;
}

uint32_t CPosixSerialLink::WriteComm(const uint8_t* data, uint32_t length) {
    if (fd_ < 0 || data == nullptr || length == 0)
        return 0;
    const uint32_t written = WriteWithin(fd_, data, length, WriteBoundMs(settings_, length));
    if (written < length)
        tcflush(fd_, TCOFLUSH);  // what is left of a write given up must not go out later
    return written < length ? 0 : written;
}

void CPosixSerialLink::Deliver(uint32_t* held) {
    if (*held == 0)
        return;
    // A chunk the queue cannot hold is dropped whole.
    const bool queued = queue_->PutChunk(chunk_, *held);
    *held = 0;
    if (notify_)
        notify_(queued ? LinkEvent::kData : LinkEvent::kQueueFull);
}

void CPosixSerialLink::ThreadWatchComm() {
    uint32_t held = 0;  // bytes of the current batch read so far
    for (;;) {
        short events = 0;
        // Nothing held: wait for the first byte. Otherwise the batch ends with the gap.
        const auto wait =
            reader_.WaitFor(fd_, held > 0 ? static_cast<int>(kReplyGapMs) : -1, &events);
        if (wait == CPosixReaderThread::Wait::kAgain)
            continue;
        if (wait == CPosixReaderThread::Wait::kStop)
            return;
        if (wait == CPosixReaderThread::Wait::kQuiet) {
            Deliver(&held);
            continue;
        }
        // Bytes still waiting are read before a hang-up is taken.
        const bool readable = (events & POLLIN) != 0;
        const ssize_t n = readable ? read(fd_, chunk_ + held, kReplyChunkSize - held) : -1;
        const int error = n < 0 && readable ? errno : 0;
        if (n > 0) {
            held += static_cast<uint32_t>(n);
            if (held == kReplyChunkSize)
                Deliver(&held);
            continue;
        }
        if (n < 0 && (error == EAGAIN || error == EINTR))
            continue;
        // What came is still delivered.
        Deliver(&held);
        if (LineGone(events, error)) {
            if (notify_)
                notify_(LinkEvent::kDisconnected);
            return;
        }
        // A port that keeps failing must not keep the reader busy.
        if (reader_.StopRequested(static_cast<int>(kReadRetryMs)))
            return;
    }
}
