// printer-sim's network side: who joins, what each family's save leaves it joining with, and the
// printer listening on loopback after the delay.
#include "sim/sim_network.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/sim_current_gen.h"
#include "sim/sim_join_view.h"
#include "sim/sim_legacy.h"
#include "sim/sim_module.h"
#include "tests/sim/sim_rig.h"
#include "tests/support/sim_process.h"

namespace {

using namespace std::string_literals;
using Clock = std::chrono::steady_clock;

// A wrong key or SSID, an access point and a DHCP address are proven with zephra-cli --verify
// against printer-sim; these are the rules that test does not reach.
TEST(SimNetwork, JoinsOnlyWithItsSsidASecurityThatFitsAndTheKey) {
    SimNetworkConfig network{"Office", "secret123", 0, "127.0.0.9"};
    SimJoinView base;
    base.infrastructure = true;
    base.ssid = "Office";
    base.secured = true;
    base.key = "secret123";
    base.ip = "127.0.0.5";
    base.port = "9100";
    const struct {
        const char* name;
        void (*change)(SimJoinView*, SimNetworkConfig*);
        std::string address, why;  // address when it joins, a part of why when not
    } kRows[] = {
        {"right key", [](SimJoinView*, SimNetworkConfig*) {}, "127.0.0.5", ""},
        {"key not derived from it",
         [](SimJoinView* v, SimNetworkConfig*) { v->keyMismatch = true; }, "", "wrong key"},
        {"open printer", [](SimJoinView* v, SimNetworkConfig*) { v->secured = false; }, "",
         "needs a key"},
        {"open network", [](SimJoinView*, SimNetworkConfig* n) { n->key.reset(); }, "",
         "network is open"},
        {"open on open",
         [](SimJoinView* v, SimNetworkConfig* n) {
             n->key.reset();
             v->secured = false;
         },
         "127.0.0.5", ""},
        {"DHCP without a server",
         [](SimJoinView* v, SimNetworkConfig* n) {
             v->dhcp = true;
             n->dhcpAddress.clear();
         },
         "", "no --dhcp-address"},
        {"private address", [](SimJoinView* v, SimNetworkConfig*) { v->ip = "192.168.1.100"; }, "",
         "192.168.1.100 is outside 127.0.0.0/8"},
        {"no address", [](SimJoinView* v, SimNetworkConfig*) { v->ip = "127.0.0"; }, "",
         "not an IPv4 address"},
        {"port 0", [](SimJoinView* v, SimNetworkConfig*) { v->port = "0"; }, "", "not a TCP port"},
        {"port 65536", [](SimJoinView* v, SimNetworkConfig*) { v->port = "65536"; }, "",
         "not a TCP port"},
    };
    for (const auto& row : kRows) {
        SimJoinView view = base;
        SimNetworkConfig net = network;
        row.change(&view, &net);
        const SimJoinDecision d = DecideJoin(net, view);
        EXPECT_EQ(d.joins, row.why.empty()) << row.name;
        if (d.joins) {
            EXPECT_EQ(d.address, row.address) << row.name;
            EXPECT_EQ(d.port, 9100) << row.name;
        } else {
            EXPECT_NE(d.why.find(row.why), std::string::npos) << row.name << ": " << d.why;
        }
    }
}

// Each family takes what it was sent onto the network only when its save ends.
TEST(SimNetwork, EachFamilysSaveEndsWithItsLastRequestAndLeavesWhatItJoinsWith) {
    SimRig<CSimCurrentGen> gen('5');
    gen.Feed(Esc("Wj9101\0"s));
    EXPECT_EQ(gen.printer.SavesEnded(), 0u);
    // Without manual settings the printer finds the security itself and joins with D's key.
    gen.Feed(Esc("DOffice secret123\0"s));
    EXPECT_EQ(gen.printer.SavesEnded(), 1u);
    std::optional<SimJoinView> view = JoinViewOf(gen.printer);
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->infrastructure && view->secured);
    EXPECT_EQ(view->ssid + " " + view->key + " " + view->port, "Office secret123 9101");
    gen.Feed(Esc("MOffice\0"s));  // manual, with the security held: None
    EXPECT_EQ(gen.printer.SavesEnded(), 2u);
    EXPECT_FALSE(JoinViewOf(gen.printer)->secured);

    SimRig<CSimModule> module('4');
    module.Feed(
        Esc("W\x11"
            "Cafe\0"s));
    EXPECT_EQ(module.printer.SavesEnded(), 0u);
    module.Feed(
        Esc("W\x20"
            "9102\0"s));
    EXPECT_EQ(module.printer.SavesEnded(), 1u);
    view = JoinViewOf(module.printer);
    EXPECT_EQ(view->ssid + " " + view->key + " " + view->port, "Cafe officekey1 9102");
    EXPECT_TRUE(view->dhcp);

    // A legacy printer joins with the WEP key its index picks, and with WPA only when the
    // pre-shared key it was sent derives from its passphrase.
    SimRig<CSimLegacy> legacy('3');
    const auto write = [&legacy](uint8_t record, const Bytes& payload) {
        legacy.Feed(Cat(Esc("W"), Cat({record}, payload)));
    };
    write(0x20, {1, 6, 1, 1, 1, 0, 0});
    write(0x22, Cat({'k', 'e', 'y', '0', '0', 'k', 'e', 'y', '0', '1'}, Bytes(10, 'x')));
    legacy.Feed(Esc("F"));
    EXPECT_EQ(legacy.printer.SavesEnded(), 1u);
    view = JoinViewOf(legacy.printer);
    EXPECT_TRUE(view->secured && !view->keyMismatch);
    EXPECT_EQ(view->key, "key01");
    EXPECT_EQ(view->ssid + " " + view->ip + " " + view->port, "Legacy-Printer 192.168.1.100 9100");
    write(0x20, {1, 6, 0, 0, 1, 4, 2});
    write(0x25, Bytes(32, 0));
    EXPECT_TRUE(JoinViewOf(legacy.printer)->keyMismatch);
}

// A loopback address of this test process's own, so tests running side by side do not meet.
std::string OwnAddress() {
    return "127.0.1." + std::to_string(2 + getpid() % 250);
}

// A port nothing listens on at address, as the kernel hands one out.
uint16_t FreePort(const std::string& address) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, address.c_str(), &a.sin_addr);
    socklen_t size = sizeof a;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&a), size), 0);
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size);
    close(fd);
    return ntohs(a.sin_port);
}

bool Accepts(const std::string& address, uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, address.c_str(), &a.sin_addr);
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    const bool accepted = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(fd);
    return accepted;
}

// Milliseconds until address:port accepts a connection (or stops accepting, when `accepting` is
// false); -1 when it has not after 5 s, which only a hang would take.
long MsUntil(bool accepting, const std::string& address, uint16_t port) {
    const auto start = Clock::now();
    while (Accepts(address, port) != accepting) {
        if (simproc::MsSince(start) > 5000)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return simproc::MsSince(start);
}

TEST(SimNetwork, JoinsAfterTheDelayAndLeavesOnASaveThatNoLongerFits) {
    const std::string address = OwnAddress();
    SimJoinView view;
    view.infrastructure = true;
    view.ssid = "Office";
    view.ip = address;
    view.port = std::to_string(FreePort(address));
    const uint16_t port = static_cast<uint16_t>(std::stoi(view.port));
    std::vector<std::string> said;
    std::mutex saying;
    CSimNetwork network({"Office", std::nullopt, 300, ""}, [&](const std::string& text) {
        std::lock_guard<std::mutex> lock(saying);
        said.push_back(text);
    });
    network.Update(view);
    const long joined = MsUntil(true, address, port);
    EXPECT_GE(joined, 290);
    EXPECT_NE(joined, -1);
    view.ssid = "Home";
    network.Update(view);
    EXPECT_NE(MsUntil(false, address, port), -1);
    view.ssid = "Office";
    network.Update(view);
    EXPECT_GE(MsUntil(true, address, port), 250);
    std::lock_guard<std::mutex> lock(saying);
    ASSERT_EQ(said.size(), 4u);
    EXPECT_EQ(said[0], "joined \"Office\", listening on " + address + ":" + view.port);
    EXPECT_EQ(said[1], "does not join \"Office\": no network named \"Home\"");
    EXPECT_EQ(said[2], "left \"Office\"");
}

// The tool: a printer that already holds what fits joins after the delay from its start.
TEST(SimNetwork, PrinterSimJoinsFromTheStartWhenItsSettingsFit) {
    const std::string address = OwnAddress();
    const std::string port = std::to_string(FreePort(address));
    simproc::SimProcess sim({"--model", "4", "--set", "ipaddr_type=0", "--set", "ipaddr=" + address,
                             "--set", "port=" + port, "--network", "Office:officekey1",
                             "--join-delay", "0.2"});
    ASSERT_FALSE(sim.Path().empty());
    EXPECT_NE(MsUntil(true, address, static_cast<uint16_t>(std::stoi(port))), -1);
    EXPECT_EQ(sim.Exit(SIGTERM), 0);
}

}  // namespace
