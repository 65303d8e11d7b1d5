// The simulated printer over a real pseudo-terminal: in-process transport and the printer-sim tool.
#include "sim/pty_transport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sim/sim_printer.h"

extern char** environ;

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

const Bytes kRequest = {0x1B, 0x00, 0x02, 0x02};

long MsSince(Clock::time_point t) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

// Reads from fd until count bytes came or timeoutMs passed.
Bytes ReadFor(int fd, size_t count, int timeoutMs) {
    Bytes data;
    const auto start = Clock::now();
    while (data.size() < count) {
        const long left = timeoutMs - MsSince(start);
        if (left <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            continue;
        uint8_t buf[256];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        data.insert(data.end(), buf, buf + n);
    }
    return data;
}

int OpenPort(const std::string& path) {
    return open(path.c_str(), O_RDWR | O_NOCTTY);
}

bool WriteAll(int fd, const Bytes& b) {
    return write(fd, b.data(), b.size()) == static_cast<ssize_t>(b.size());
}

long CpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000L +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000L;
}

// A printer served in-process on a pty.
struct PtyRig {
    explicit PtyRig(uint8_t model)
        : printer(model, [this](Bytes b, unsigned d) { transport.Send(std::move(b), d); }) {
        std::string error;
        opened = transport.Open(&error);
        EXPECT_TRUE(opened) << error;
        transport.Start([this](const uint8_t* d, size_t n) { printer.Receive(d, n); });
    }
    ~PtyRig() { transport.Stop(); }
    CPtyTransport transport;
    CSimPrinter printer;
    bool opened = false;
};

TEST(PtyTransport, AnswersOnTheSlaveAndKeepsServingAcrossReopens) {
    PtyRig rig('5');
    ASSERT_TRUE(rig.opened);
    EXPECT_EQ(rig.transport.SlavePath().rfind("/dev/pts/", 0), 0u);
    for (int round = 0; round < 3; ++round) {
        const int fd = OpenPort(rig.transport.SlavePath());
        ASSERT_GE(fd, 0);
        const auto start = Clock::now();
        ASSERT_TRUE(WriteAll(fd, kRequest));
        EXPECT_EQ(ReadFor(fd, 8, 1000), CSimPrinter::IdentifyReply('5')) << "round " << round;
        EXPECT_GE(MsSince(start), 15);
        close(fd);
        // With the utility gone the thread must idle, not spin on the closed tty.
        const long cpu = CpuMs();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_LT(CpuMs() - cpu, 50);
    }
}

TEST(PtyTransport, SendsKeepTheirOrderWhateverTheirDelays) {
    CPtyTransport transport;
    std::string error;
    ASSERT_TRUE(transport.Open(&error)) << error;
    ASSERT_TRUE(transport.Start([](const uint8_t*, size_t) {}));
    const int fd = OpenPort(transport.SlavePath());
    ASSERT_GE(fd, 0);
    const auto start = Clock::now();
    transport.Send({0x01}, 150);
    transport.Send({0x02, 0x03}, 0);
    transport.Send({}, 0);
    EXPECT_TRUE(ReadFor(fd, 1, 100).empty());
    EXPECT_EQ(ReadFor(fd, 3, 1000), (Bytes{0x01, 0x02, 0x03}));
    EXPECT_GE(MsSince(start), 140);
    close(fd);
}

TEST(PtyTransport, SplitReplyArrivesInTwoPartsAGapApart) {
    PtyRig rig('7');
    ASSERT_TRUE(rig.opened);
    rig.printer.SetIdentifyMode(IdentifyMode::kSplit);
    const int fd = OpenPort(rig.transport.SlavePath());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, {0x1B, 0x00}));
    ASSERT_TRUE(WriteAll(fd, {0x02, 0x02}));
    EXPECT_EQ(ReadFor(fd, 3, 1000), (Bytes{0x1B, 0x00, 0x02}));
    const auto head = Clock::now();
    EXPECT_EQ(ReadFor(fd, 5, 1000), (Bytes{0x02, 0x00, '7', 0x0D, 0x0A}));
    EXPECT_GE(MsSince(head), 80);
    close(fd);
}

TEST(PtyTransport, StopDropsPendingSendsAndReturnsPromptly) {
    CPtyTransport transport;
    std::string error;
    ASSERT_TRUE(transport.Open(&error)) << error;
    ASSERT_TRUE(transport.Start([](const uint8_t*, size_t) {}));
    transport.Send({0x01}, 10000);
    const auto start = Clock::now();
    transport.Stop();
    transport.Stop();
    EXPECT_LT(MsSince(start), 500);
}

// Runs printer-sim with its stdout on a pipe.
class SimProcess {
  public:
    explicit SimProcess(std::vector<std::string> args) {
        args.insert(args.begin(), PRINTER_SIM_PATH);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (posix_spawn(&pid_, PRINTER_SIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        stdout_ = out[0];
    }
    ~SimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (stdout_ >= 0)
            close(stdout_);
    }
    // Stdout as far as the first newline, or what came within 2 s.
    std::string FirstLine() {
        std::string text;
        Bytes b;
        while (!(b = ReadFor(stdout_, 1, 2000)).empty()) {
            text.append(b.begin(), b.end());
            if (text.back() == '\n')
                break;
        }
        return text;
    }
    // The pty path from the first line, or "" when none came.
    std::string Path() {
        const std::string line = FirstLine();
        return line.size() > 1 && line.back() == '\n' ? line.substr(0, line.size() - 1) : "";
    }
    // Exit status after the signal, or -1 when the process did not end within 2 s.
    int StopWith(int sig) {
        kill(pid_, sig);
        const auto start = Clock::now();
        int status = 0;
        while (MsSince(start) < 2000) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }
    int Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int stdout_ = -1;
};

TEST(PrinterSimTool, PrintsItsPathAnswersAndLogsTheWire) {
    const std::string log = testing::TempDir() + "printer-sim-test.log";
    std::remove(log.c_str());
    SimProcess sim({"--model", "4", "--delay", "40", "--log", log});
    const std::string path = sim.Path();
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    for (int round = 0; round < 2; ++round) {
        const int fd = OpenPort(path);
        ASSERT_GE(fd, 0);
        const auto start = Clock::now();
        ASSERT_TRUE(WriteAll(fd, kRequest));
        EXPECT_EQ(ReadFor(fd, 8, 1000), CSimPrinter::IdentifyReply('4'));
        EXPECT_GE(MsSince(start), 35);
        close(fd);
    }
    EXPECT_EQ(sim.StopWith(SIGTERM), 0);
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "1B 00 02 02\n1B 00 02 02\n");
}

TEST(PrinterSimTool, FaultModeFromTheCommandLine) {
    SimProcess sim({"--model", "5", "--identify", "short5"});
    const std::string path = sim.Path();
    const int fd = OpenPort(path);
    ASSERT_GE(fd, 0) << path;
    ASSERT_TRUE(WriteAll(fd, kRequest));
    EXPECT_EQ(ReadFor(fd, 8, 400), (Bytes{0x1B, 0x00, 0x02, 0x02, 0x00}));
    close(fd);
    EXPECT_EQ(sim.StopWith(SIGINT), 0);
}

TEST(PrinterSimTool, CurrentGenerationPresetsAndFaults) {
    SimProcess sim({"--model", "7", "--set", "ssid=Office", "--set", "region=JP", "--refuse", "Q",
                    "--refuse", "R21", "--silent", "C", "--d-status-ff", "--split"});
    const std::string path = sim.Path();
    const int fd = OpenPort(path);
    ASSERT_GE(fd, 0) << path;
    const struct {
        Bytes request;
        Bytes reply;
    } kCases[] = {
        {{0x1B, 0x7E, 'R', 0x00}, {0x1B, 0x7E, 'R', 0x00, '@', 'O', 'f', 'f', 'i', 'c', 'e', 0x00}},
        {{0x1B, 0x7E, 'R', '!'}, {0x1B, 0x7E, 'R', '!', 'E', 0x00}},
        {{0x1B, 0x7E, 'Q', '6', 0x00}, {0x1B, 0x7E, 'Q', 'E'}},
        {{0x1B, 0x7E, 'C', '?'}, {}},
        {{0x1B, 0x7E, 'D', 'n', 0x00}, {0x1B, 0x7E, 'D', 0xFF}},
    };
    for (const auto& c : kCases) {
        ASSERT_TRUE(WriteAll(fd, c.request));
        // The split reply's second part comes 100 ms after the first.
        EXPECT_EQ(ReadFor(fd, c.reply.size() + 1, 400), c.reply);
    }
    close(fd);
    EXPECT_EQ(sim.StopWith(SIGTERM), 0);
}

TEST(PrinterSimTool, HelpAndBadArguments) {
    SimProcess help({"--help"});
    EXPECT_EQ(help.FirstLine().rfind("Usage: printer-sim", 0), 0u);
    EXPECT_EQ(help.Wait(), 0);
    for (const auto& args : std::vector<std::vector<std::string>>{{"--identify", "loud"},
                                                                  {"--model", "55"},
                                                                  {"--delay", "-1"},
                                                                  {"--bogus"},
                                                                  {"--log"},
                                                                  {"--set", "colour=red"},
                                                                  {"--set", "ssid"},
                                                                  {"--refuse", "q"},
                                                                  {"--silent", "R2"},
                                                                  {"--model", "4", "--split"}}) {
        SimProcess bad(args);
        EXPECT_TRUE(bad.FirstLine().empty());
        EXPECT_EQ(bad.Wait(), 2) << args[0];
    }
}

}  // namespace
