// The reader thread of a POSIX link: every wait it makes also watches a wake-up that Stop signals,
// so Stop always ends it and returns only once it can no longer touch the device.
#pragma once

#include <functional>
#include <thread>

class CPosixReaderThread {
  public:
    CPosixReaderThread() = default;
    ~CPosixReaderThread() { Stop(); }
    CPosixReaderThread(const CPosixReaderThread&) = delete;
    CPosixReaderThread& operator=(const CPosixReaderThread&) = delete;

    enum class Start { kStarted, kNoWakeUp, kNoThread };
    // Runs body on a new thread; on failure errno says why and nothing runs.
    Start Run(std::function<void()> body);
    // Wakes the reader, waits for it to end and releases the wake-up. Safe to call twice.
    void Stop();

    // What a wait for the device ended with.
    enum class Wait { kStop, kReady, kQuiet, kAgain };
    // Waits up to ms (-1 for ever) for fd to have bytes or to hang up; kReady with its poll events
    // in *events, kAgain after a signal.
    Wait WaitFor(int fd, int ms, short* events) const;
    // Waits up to ms for the stop; true when it came, or the wait failed.
    bool StopRequested(int ms) const;

  private:
    int wake_ = -1;  // an eventfd that Stop signals
    std::thread thread_;
};
