// The simulated printer on a real pseudo-terminal: the transport, and the printer-sim tool.
#include "sim/pty_transport.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sim/sim_printer.h"
#include "tests/support/sim_process.h"

namespace {

using simproc::Bytes;
using simproc::Clock;
using simproc::MsSince;
using simproc::ReadFor;
using simproc::SimProcess;

const Bytes kIdentify = {0x1B, 0x00, 0x02, 0x02};

// Opens the port, writes the request and returns the reply of `count` bytes and how long it took.
Bytes Exchange(const std::string& path, const Bytes& request, size_t count, long* ms) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    EXPECT_GE(fd, 0) << path;
    if (fd < 0)
        return {};
    const auto start = Clock::now();
    EXPECT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    const Bytes reply = ReadFor(fd, count, 1000);
    *ms = MsSince(start);
    close(fd);
    return reply;
}

TEST(PtyTransport, AnswersOnTheSlaveAndAfterItIsClosedAndReopened) {
    CPtyTransport transport;
    CSimPrinter printer('5', [&](Bytes b, unsigned d) { transport.Send(std::move(b), d); });
    std::string error;
    ASSERT_TRUE(transport.Open(&error)) << error;
    ASSERT_TRUE(transport.Start([&](const uint8_t* d, size_t n) { printer.Receive(d, n); }));
    const std::string path = transport.SlavePath();
    for (int round = 0; round < 3; ++round) {
        long ms = 0;
        EXPECT_EQ(Exchange(path, kIdentify, 8, &ms), CSimPrinter::IdentifyReply('5')) << round;
        EXPECT_GE(ms, 15);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    transport.Stop();
}

TEST(PrinterSimTool, PrintsItsPathAndAnswersWithItsOptions) {
    const std::string timed = ::testing::TempDir() + "printer-sim-timed.log";
    SimProcess sim({"--model", "7", "--delay", "40", "--set", "ssid=Office", "--split",
                    "--timed-log", timed, "--read-end", "", "--query-end", "0d0A"});
    std::string path = sim.Output();
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    ASSERT_EQ(path.back(), '\n');
    path.pop_back();
    long ms = 0;
    EXPECT_EQ(Exchange(path, kIdentify, 8, &ms), CSimPrinter::IdentifyReply('7'));
    EXPECT_GE(ms, 35);
    // A current-generation read of the preset, split into two parts 20 ms apart, its value ending
    // the reply; then a query ending in 0D 0A.
    const Bytes read = {0x1B, 0x7E, 'R', 0x00};
    const Bytes want = {0x1B, 0x7E, 'R', 0x00, '@', 'O', 'f', 'f', 'i', 'c', 'e'};
    EXPECT_EQ(Exchange(path, read, want.size(), &ms), want);
    EXPECT_GE(ms, 55);
    const Bytes band = {0x1B, 0x7E, 'Q', '?', '7', 0x0D, 0x0A};
    EXPECT_EQ(Exchange(path, {0x1B, 0x7E, 'Q', '?'}, band.size(), &ms), band);
    EXPECT_EQ(sim.Exit(SIGTERM), 0);
    // The timed log: each chunk received and each write, the split reply's two among them.
    std::ifstream file(timed);
    std::string line, lines;
    while (std::getline(file, line))
        lines += line.substr(line.find(' ') + 1) + "\n";
    EXPECT_EQ(lines.substr(lines.find("< 1B 7E")),
              "< 1B 7E 52 00\n> 1B 7E 52 00 40 4F 66\n> 66 69 63 65\n"
              "< 1B 7E 51 3F\n> 1B 7E 51 3F 37\n> 0D 0A\n");
}

TEST(PrinterSimTool, ServesTheWifiModuleWithItsOptions) {
    SimProcess sim({"--model", "4", "--identify", "silent", "--set", "ssid=Cafe", "--bad-version",
                    "1", "--refuse", "R10", "--split", "--read-trailer", "000D0A"});
    std::string path = sim.Output();
    ASSERT_FALSE(path.empty());
    path.pop_back();
    long ms = 0;
    const Bytes version = Exchange(path, {0x1B, 0x7E, 'V'}, 23, &ms);
    ASSERT_EQ(version.size(), 23u);
    EXPECT_EQ(version[3], '1');
    const Bytes ssid = {0x1B, 0x7E, 'R', '0', 0x00, 's', 's',  'i', 'd',
                        '=',  'C',  'a', 'f', 'e',  0,   0x0D, 0x0A};
    EXPECT_EQ(Exchange(path, {0x1B, 0x7E, 'R', 0x11}, ssid.size(), &ms), ssid);
    const Bytes refused = {0x1B, 0x7E, 'R', '1', 0x00, 0x00, 0x0D, 0x0A};
    EXPECT_EQ(Exchange(path, {0x1B, 0x7E, 'R', 0x10}, refused.size(), &ms), refused);
    EXPECT_EQ(sim.Exit(SIGTERM), 0);
}

TEST(PrinterSimTool, LegacyModelServesItsPresetsAndKeepsTheStoreFile) {
    const std::string store = ::testing::TempDir() + "printer-sim-store.txt";
    SimProcess sim({"--model", "3", "--id-version", "3.14c", "--mac", "00:0A:FF:10:20:30",
                    "--record", "21=" + std::string(60, '0') + "4142", "--refuse", "W00", "--store",
                    store});
    std::string path = sim.Output();
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
    path.pop_back();
    long ms = 0;
    EXPECT_EQ(Exchange(path, {0x1B, 0x7E, 'C'}, 19, &ms),
              Bytes({0x1B, 0x7E, 'C', 0, 3, 14, 2, 0, 0, 0, 0, 0x00, 0x0A, 0xFF, 0x10, 0x20, 0x30,
                     0, 0}));
    Bytes ssid(35, 0);
    ssid[0] = 0x1B;
    ssid[1] = 0x7E;
    ssid[2] = 'R';
    ssid[33] = 'A';
    ssid[34] = 'B';
    EXPECT_EQ(Exchange(path, {0x1B, 0x7E, 'R', 0x21}, 35, &ms), ssid);
    EXPECT_EQ(Exchange(path, {0x1B, 0x7E, 'W', 0x00, 1, 2, 3, 4}, 3, &ms),
              Bytes({0x1B, 0x7E, '9'}));
    EXPECT_EQ(Exchange(path, {0x1B, 0x7E, 'W', 0x01, 255, 255, 0, 0}, 3, &ms),
              Bytes({0x1B, 0x7E, 'W'}));
    EXPECT_EQ(sim.Exit(SIGTERM), 0);
    std::ifstream file(store);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    EXPECT_NE(text.find("\n01 FF FF 00 00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\npsk unwritten\n"), std::string::npos) << text;
}

TEST(PrinterSimTool, BadArgumentsExitWithStatusTwoAndNoPath) {
    for (const char* line : {"--identify loud",
                             "--model 55",
                             "--delay -1",
                             "--bogus",
                             "--log",
                             "--set colour=red",
                             "--refuse q",
                             "--model 4 --d-status-ff",
                             "--model 4 --refuse V",
                             "--model 4 --ack-as 1=2",
                             "--model 5 --bad-version 1",
                             "--model 5 --silent W01",
                             "--model 3 --set ssid=x",
                             "--model 5 --mac 00:11:22:33:44:55",
                             "--model 3 --mac 00:11",
                             "--model 3 --id-version 1.2",
                             "--model 3 --record 00=0102",
                             "--model 3 --record 04=01020304",
                             "--model 3 --wrong-letter W0=R",
                             "--model 3 --refuse W3",
                             "--model 4 --store x",
                             "--model 3 --bad-version 1",
                             "--model 4 --read-trailer 0D0",
                             "--model 4 --read-trailer 0x0D",
                             "--model 5 --query-end none",
                             "--model 5 --read-trailer 00",
                             "--model 4 --read-end none",
                             "--model 3 --query-end 0D",
                             "--network Office --dhcp-address 192.168.1.5",
                             "--network Office --dhcp-address 127.0.0",
                             "--join-delay 1",
                             "--dhcp-address 127.0.0.5",
                             "--network :key",
                             "--network Office:",
                             "--network Office --join-delay -1"}) {
        std::istringstream words(line);
        const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
        SimProcess bad(args);
        EXPECT_EQ(bad.Output(), "") << line;
        EXPECT_EQ(bad.Exit(0), 2) << line;
    }
}

}  // namespace
