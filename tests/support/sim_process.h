// Runs the printer-sim tool as a child process for tests that talk to it over its pty.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace simproc {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

inline long MsSince(Clock::time_point t) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

// Reads from fd until count bytes came or timeoutMs passed.
inline Bytes ReadFor(int fd, size_t count, long timeoutMs) {
    Bytes data;
    const auto start = Clock::now();
    uint8_t buf[256];
    pollfd p{fd, POLLIN, 0};
    while (data.size() < count &&
           poll(&p, 1, static_cast<int>(std::max(0L, timeoutMs - MsSince(start)))) > 0) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        data.insert(data.end(), buf, buf + n);
    }
    return data;
}

// Runs printer-sim with its stdout on a pipe.
class SimProcess {
  public:
    // A process starts in milliseconds: only a hang, on however busy a machine, reaches this.
    static constexpr long kStartLimitMs = 10000;

    explicit SimProcess(std::vector<std::string> args) {
        args.insert(args.begin(), PRINTER_SIM_PATH);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        int out[2];
        if (pipe(out) != 0)
            return;
        if ((pid_ = fork()) == 0) {
            dup2(out[1], 1);
            close(out[0]);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        stdout_ = out[0];
    }
    ~SimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(stdout_);
    }
    // The pty's path, or "" when the tool printed none, which fails the test.
    std::string Path() {
        std::string path = Output();
        if (path.empty())
            ADD_FAILURE() << "waited " << kStartLimitMs << " ms for printer-sim to print its path";
        if (!path.empty() && path.back() == '\n')
            path.pop_back();
        return path;
    }
    // The first chunk of stdout (the tool prints its path in one write), or "" once it has ended
    // or kStartLimitMs have passed.
    std::string Output() {
        const Bytes b = ReadFor(stdout_, 1, kStartLimitMs);
        return std::string(b.begin(), b.end());
    }
    // The exit status after sending sig (0: none), or -1 when the process ran on for 2 s.
    int Exit(int sig) {
        kill(pid_, sig);
        int status = 0;
        for (int wait = 0; wait < 200; ++wait) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

  private:
    pid_t pid_ = -1;
    int stdout_ = -1;
};

}  // namespace simproc
