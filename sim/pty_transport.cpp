// Pseudo-terminal transport for the simulated printer: raw pty, reader thread, ordered timed sends.
#include "sim/pty_transport.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

bool MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

void SetFlag(int fd, int getCmd, int setCmd, int flag) {
    const int flags = fcntl(fd, getCmd);
    if (flags >= 0)
        fcntl(fd, setCmd, flags | flag);
}

}  // namespace

CPtyTransport::~CPtyTransport() {
    Stop();
    CloseFds();
}

bool CPtyTransport::Open(std::string* error) {
    if (master_ >= 0)
        return true;
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
        *error = std::string("openpty: ") + std::strerror(errno);
        return false;
    }
    char name[256];
    if (ttyname_r(slave_, name, sizeof name) != 0 || !MakeRaw(slave_) || !MakeRaw(master_) ||
        pipe2(wake_, O_NONBLOCK | O_CLOEXEC) != 0) {
        *error = std::string("pty setup: ") + std::strerror(errno);
        CloseFds();
        return false;
    }
    // The master never blocks the thread; neither fd leaks into a child process.
    SetFlag(master_, F_GETFL, F_SETFL, O_NONBLOCK);
    SetFlag(master_, F_GETFD, F_SETFD, FD_CLOEXEC);
    SetFlag(slave_, F_GETFD, F_SETFD, FD_CLOEXEC);
    slavePath_ = name;
    return true;
}

bool CPtyTransport::Start(ReceiveFn onReceive, SentFn onSent) {
    if (master_ < 0 || thread_.joinable())
        return false;
    onReceive_ = std::move(onReceive);
    onSent_ = std::move(onSent);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = false;
    }
    thread_ = std::thread(&CPtyTransport::Run, this);
    return true;
}

void CPtyTransport::Send(std::vector<uint8_t> bytes, unsigned delayMs) {
    if (bytes.empty())
        return;
    {
        // First in, first out: a send that falls due early still waits behind earlier ones.
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(
            Pending{Clock::now() + std::chrono::milliseconds(delayMs), std::move(bytes), 0});
    }
    Wake();
}

void CPtyTransport::Stop() {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    Wake();
    thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.clear();
}

void CPtyTransport::Wake() {
    const uint8_t token = 1;
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    const ssize_t ignored = write(wake_[1], &token, 1);
    (void)ignored;
}

void CPtyTransport::CloseFds() {
    for (int* fd : {&master_, &slave_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
}

bool CPtyTransport::WriteDue(Clock::time_point now, Clock::time_point* quietUntil) {
    std::lock_guard<std::mutex> lock(mutex_);
    while (!queue_.empty() && queue_.front().due <= now) {
        Pending& head = queue_.front();
        const ssize_t n =
            write(master_, head.bytes.data() + head.written, head.bytes.size() - head.written);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                return true;
            *quietUntil = now + kErrorBackOff;
            return false;
        }
        if (onSent_)
            onSent_(head.bytes.data() + head.written, static_cast<size_t>(n));
        head.written += static_cast<size_t>(n);
        if (head.written < head.bytes.size())
            return true;
        queue_.pop_front();
    }
    return false;
}

void CPtyTransport::Run() {
    uint8_t buffer[4096];
    Clock::time_point quietUntil{};
    bool waitingForRoom = false;
    for (;;) {
        const Clock::time_point now = Clock::now();
        bool sendDue = false;
        int timeoutMs = -1;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_)
                return;
            if (!queue_.empty()) {
                sendDue = queue_.front().due <= now;
                if (!sendDue)
                    timeoutMs = static_cast<int>(
                        std::chrono::ceil<std::chrono::milliseconds>(queue_.front().due - now)
                            .count());
            }
        }
        // After an error the master is left out of the poll for a while; a hung-up master
        // would otherwise report POLLHUP at once, every time, and the loop would spin.
        const bool quiet = now < quietUntil;
        if (quiet) {
            const int left = static_cast<int>(
                std::chrono::ceil<std::chrono::milliseconds>(quietUntil - now).count());
            timeoutMs = timeoutMs < 0 ? left : std::min(timeoutMs, left);
        } else if (sendDue && !waitingForRoom) {
            timeoutMs = 0;
        }

        pollfd fds[2] = {{wake_[0], POLLIN, 0}, {quiet ? -1 : master_, POLLIN, 0}};
        if (sendDue && waitingForRoom)
            fds[1].events |= POLLOUT;
        if (poll(fds, 2, timeoutMs) < 0 && errno != EINTR)
            quietUntil = Clock::now() + kErrorBackOff;

        if (fds[0].revents & POLLIN) {
            while (read(wake_[0], buffer, sizeof buffer) > 0) {
            }
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n > 0) {
                onReceive_(buffer, static_cast<size_t>(n));
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                // EIO: no one holds the slave. Keep serving; the next open brings it back.
                quietUntil = Clock::now() + kErrorBackOff;
            }
        } else if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            quietUntil = Clock::now() + kErrorBackOff;
        }

        const Clock::time_point after = Clock::now();
        waitingForRoom = after >= quietUntil && WriteDue(after, &quietUntil);
    }
}
