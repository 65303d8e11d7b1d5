// Serves a simulated printer on a pseudo-terminal: one thread reads the master and plays timed
// sends.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The utility opens the slave by its path as if it were a serial port. We keep a slave fd of our
// own open for our whole life: otherwise the tty hangs up each time the utility closes it, and the
// master reports EIO until someone opens the slave again.
class CPtyTransport {
  public:
    using ReceiveFn = std::function<void(const uint8_t* data, size_t n)>;
    // Bytes just written to the master; runs with the send queue locked, so it must not Send.
    using SentFn = std::function<void(const uint8_t* data, size_t n)>;

    // How long the master is left alone after it reports a hang-up or an error.
    static constexpr std::chrono::milliseconds kErrorBackOff{50};

    CPtyTransport() = default;
    ~CPtyTransport();
    CPtyTransport(const CPtyTransport&) = delete;
    CPtyTransport& operator=(const CPtyTransport&) = delete;

    // Creates the pty with both sides in raw mode. On failure says why in *error.
    bool Open(std::string* error);
    // The slave's path, e.g. /dev/pts/3; empty before Open.
    const std::string& SlavePath() const { return slavePath_; }

    // Starts the thread; onReceive runs on it with each chunk read from the master, onSent (if
    // given) with each piece written to it.
    bool Start(ReceiveFn onReceive, SentFn onSent = nullptr);
    // Any thread: writes bytes to the master delayMs from now, but never before an earlier send.
    void Send(std::vector<uint8_t> bytes, unsigned delayMs);
    // Joins the thread; sends still pending are dropped. Safe to call more than once.
    void Stop();

  private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        Clock::time_point due;
        std::vector<uint8_t> bytes;
        size_t written = 0;
    };

    void Run();
    void Wake();
    // Writes what is due. Returns true when a due send waits for room in the tty.
    bool WriteDue(Clock::time_point now, Clock::time_point* quietUntil);
    void CloseFds();

    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    std::string slavePath_;
    ReceiveFn onReceive_;
    SentFn onSent_;
    std::thread thread_;

    std::mutex mutex_;  // guards the members below
    std::deque<Pending> queue_;
    bool stop_ = false;
};
