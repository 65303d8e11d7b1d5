// The reader thread of a POSIX link, which a stop can always wake.
#include "link/posix_reader_thread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

CPosixReaderThread::Start CPosixReaderThread::Run(std::function<void()> body) {
    Stop();
    wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_ < 0)
        return Start::kNoWakeUp;
    try {
        thread_ = std::thread(std::move(body));
    } catch (const std::system_error& e) {
        Stop();
        errno = e.code().value();
        return Start::kNoThread;
    }
    return Start::kStarted;
}

void CPosixReaderThread::Stop() {
    if (thread_.joinable()) {
        const uint64_t one = 1;
        (void)!write(wake_, &one, sizeof one);
        thread_.join();
    }
    if (wake_ >= 0)
        close(wake_);
    wake_ = -1;
}

CPosixReaderThread::Wait CPosixReaderThread::WaitFor(int fd, int ms, short* events) const {
    pollfd p[2] = {{wake_, POLLIN, 0}, {fd, POLLIN, 0}};
    const int ready = poll(p, 2, ms);
    if (ready < 0 && errno == EINTR)
        return Wait::kAgain;
    if (ready < 0 || p[0].revents != 0)
        return Wait::kStop;
    *events = p[1].revents;
    return ready == 0 ? Wait::kQuiet : Wait::kReady;
}

bool CPosixReaderThread::StopRequested(int ms) const {
    pollfd p{wake_, POLLIN, 0};
    return poll(&p, 1, ms) != 0;
}
