// A write to a non-blocking device, bounded in time, shared by the POSIX links.
#include "link/bounded_write_posix.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

uint32_t WriteWithin(int fd, const uint8_t* data, uint32_t length, uint32_t ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    uint32_t written = 0;
    while (written < length) {
        const ssize_t n = write(fd, data + written, length - written);
        if (n > 0) {
            written += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{fd, POLLOUT, 0};
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0)
            break;
    }
    return written;
}
