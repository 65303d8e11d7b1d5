// zephra-cli apply --verify against printer-sims on a simulated network: each printer's join,
// seen or not, and where it was found. Every address is in 127.0.0.0/8, or inside network
// namespaces the test makes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/cli/cli_run.h"
#include "tests/support/profile_steps.h"
#include "tests/support/sim_process.h"

namespace {

using nlohmann::json;
using simproc::SimProcess;

// The network every printer can join, and how long a join takes after a save.
constexpr char kNetwork[] = "Office:rightkey123";
constexpr char kJoinDelay[] = "1";
// A wait expected to end well: the join and its seconds' polling, ten times over and more, so
// that only a hang runs out. A wait expected to run out has the short one.
constexpr char kJoinLimit[] = "30";
constexpr char kRunsOutLimit[] = "3";

// An address of this test process's own, so that tests run at once never share one: the pid
// whole in the middle two bytes (two processes meet only if their pids are 64000 apart), the
// row last. The Ansible test takes its addresses the same way.
std::string Address(int row) {
    const int pid = getpid();
    return "127." + std::to_string(1 + pid / 256 % 250) + "." + std::to_string(pid % 256) + "." +
           std::to_string(row);
}

struct Row {
    int n;                  // the printer's MAC address ends in it
    std::string inventory;  // its inventory cells after the MAC address
    bool runsOut;           // its wait is expected to run out
    int status;             // its own exit status
    json network;           // the "network" object, seconds left out
};

TEST(ZephraCliVerify, EachPrinterIsSeenOnItsNetworkOrSaysWhyNot) {
    const Row rows[] = {
        // The right key: seen once it has joined.
        {1,
         Address(1) + ",,,,,",
         false,
         0,
         {{"state", "reachable"}, {"address", Address(1)}, {"port", 9100}, {"found_by", "static"}}},
        {2,
         Address(2) + ",,,,wrongkey123,",
         true,
         4,
         {{"state", "unreachable"},
          {"address", Address(2)},
          {"port", 9100},
          {"reason", "no answer within 3 s"}}},
        {3,
         Address(3) + ",,,Elsewhere,,",
         true,
         4,
         {{"state", "unreachable"},
          {"address", Address(3)},
          {"port", 9100},
          {"reason", "no answer within 3 s"}}},
        {4,
         ",,,,,Access Point mode",
         false,
         0,
         {{"state", "not_checked"}, {"reason", "in Access Point mode, where it joins no network"}}},
        {5,
         "," + Address(5) + ",true,,,",
         false,
         0,
         {{"state", "reachable"},
          {"address", Address(5)},
          {"port", 9100},
          {"found_by", "inventory"}}},
        // DHCP with nothing to give its address: loopback has no neighbours.
        {6,
         ",,true,,,",
         true,
         0,
         {{"state", "not_checked"},
          {"reason", "no address within 3 s: its MAC address is not in the neighbour table"}}},
    };
    std::vector<std::unique_ptr<SimProcess>> sims;
    std::map<std::string, const Row*> byPort;
    std::string inventory = "mac,ip_address,address,dhcp,ssid,key,wlan_mode\n";
    std::map<bool, std::string> ports;  // by runsOut
    for (const Row& row : rows) {
        const std::string mac = "00:1A:2B:3C:4D:0" + std::to_string(row.n);
        sims.push_back(std::make_unique<SimProcess>(std::vector<std::string>{
            "--model", "5", "--set", "mode=0", "--set", "dhcp=0", "--set", "mac=" + mac,
            "--network", kNetwork, "--join-delay", kJoinDelay, "--dhcp-address", Address(row.n)}));
        const std::string path = sims.back()->Path();
        byPort[path] = &row;
        ports[row.runsOut] += " --port " + path;
        inventory += mac + "," + row.inventory + "\n";
    }
    ProfileFile profile("verify"), table("verify-inventory");
    ASSERT_EQ(Cli("read --port " + byPort.begin()->first + " --out " + profile.Path()).status, 0);
    json settings = json::parse(profile.Read());
    settings["settings"].update({{"ssid", "Office"},
                                 {"security", "WPA"},
                                 {"manual_security", true},
                                 {"key", "rightkey123"}});
    profile.Write(settings.dump());
    table.Write(inventory);

    // The printers expected to be seen, and those whose wait is expected to run out, each a fleet
    // with its own limit: three of each, two of the latter unreachable.
    for (const bool runsOut : {false, true}) {
        const CliRun run =
            Cli("apply " + profile.Path() + " --inventory " + table.Path() +
                " --verify=" + (runsOut ? kRunsOutLimit : kJoinLimit) + " --json" + ports[runsOut]);
        EXPECT_EQ(run.status, runsOut ? 4 : 0) << run.err;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 4) << run.out;
        std::istringstream out(run.out);
        for (std::string line; std::getline(out, line);) {
            const json object = json::parse(line);
            if (object.contains("summary")) {
                EXPECT_EQ(object["summary"]["unreachable"], runsOut ? 2 : 0) << line;
                EXPECT_EQ(object["summary"]["applied"], 3) << line;
                continue;
            }
            const Row& row = *byPort.at(object["port"]);
            json network = object["network"];
            EXPECT_EQ(object["result"], "applied") << line;
            EXPECT_EQ(object["status"], row.status) << line;
            if (network.contains("seconds")) {
                // Not before the join; the limit alone bounds it.
                EXPECT_GE(network["seconds"].get<double>(), 1.0) << line;
                network.erase("seconds");
            }
            EXPECT_EQ(network, row.network) << "row " << row.n << ", waited up to "
                                            << (runsOut ? kRunsOutLimit : kJoinLimit) << " s";
        }
    }
    // One printer on DHCP, its address given on the command line: already joined, so seen at once.
    // Found by its row: pseudo-terminals' names do not sort as their numbers do.
    const auto dhcp = std::find_if(byPort.begin(), byPort.end(),
                                   [](const auto& port) { return port.second->n == 6; });
    const CliRun one =
        Cli("apply " + profile.Path() + " --inventory " + table.Path() + " --verify=" + kJoinLimit +
            " --address " + Address(6) + " --port " + dhcp->first);
    EXPECT_EQ(one.status, 0) << "waited up to " << kJoinLimit << " s for it:\n"
                             << one.err << one.out;
    EXPECT_NE(one.out.find(" current unchanged\n  network: reachable at " + Address(6) +
                           ":9100 (command_line) after "),
              std::string::npos)
        << one.out;
    // The wait is shown only on a terminal.
    EXPECT_EQ(one.out.find('\r'), std::string::npos) << one.out;
}

// Two network namespaces of the test's own joined by a veth pair, the printer's end with the
// printer's MAC address; what the test sends goes nowhere else. Empty when they cannot be made.
class VethPair {
  public:
    VethPair(const std::string& mac)
        : station_("zephra-s-" + std::to_string(getpid())),
          printer_("zephra-p-" + std::to_string(getpid())) {
        const std::string link = "zv" + std::to_string(getpid());
        made_ = Run("ip netns add " + station_) && Run("ip netns add " + printer_) &&
                Run("ip link add " + link + "s netns " + station_ + " type veth peer name " + link +
                    "p netns " + printer_ + " address " + mac) &&
                Run("ip -n " + station_ + " address add " + kStationAddress + "/24 dev " + link +
                    "s") &&
                Run("ip -n " + printer_ + " address add " + kPrinterAddress + "/24 dev " + link +
                    "p") &&
                Run("ip -n " + station_ + " link set " + link + "s up") &&
                Run("ip -n " + printer_ + " link set " + link + "p up");
    }
    ~VethPair() {
        Run("ip netns del " + station_);
        Run("ip netns del " + printer_);
    }
    bool Made() const { return made_; }
    std::string InStation() const { return "ip netns exec " + station_; }
    std::string InPrinter() const { return "ip netns exec " + printer_; }
    // Documentation addresses (192.0.2.0/24), here only inside the two namespaces.
    static constexpr char kStationAddress[] = "192.0.2.1", kPrinterAddress[] = "192.0.2.2";

  private:
    static bool Run(const std::string& command) {
        return std::system((command + " 2>/dev/null").c_str()) == 0;
    }
    std::string station_, printer_;
    bool made_ = false;
};

// A command run in the background until the test ends.
class Background {
  public:
    explicit Background(const std::string& command) : pid_(fork()) {
        if (pid_ == 0) {
            execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), nullptr);
            _exit(127);
        }
    }
    ~Background() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }

  private:
    pid_t pid_;
};

// A printer that already holds what it is given, on DHCP: verify starts at once and finds it
// by the two lookups a test can stand in for.
TEST(ZephraCliVerify, ADhcpPrinterIsFoundByItsMdnsNameOrInTheNeighbourTable) {
    if (geteuid() != 0)
        GTEST_SKIP() << "network namespaces and mount namespaces need root";
    const std::string mac = "00:1a:2b:3c:4d:07";
    VethPair pair(mac);
    if (!pair.Made())
        GTEST_SKIP() << "no network namespaces with a veth pair here (ip netns, veth)";
    // The printer's end listens as a printer would, and speaks first to the station, which so
    // learns its MAC address as from any printer's first packet.
    Background listener(pair.InPrinter() +
                        " python3 -c \"import socket\n"
                        "s = socket.create_server(('" +
                        VethPair::kPrinterAddress +
                        "', 9100))\n"
                        "socket.socket().connect_ex(('" +
                        VethPair::kStationAddress +
                        "', 9))\n"
                        "while True: s.accept()[0].close()\"");
    // No responder can run here: a mount namespace of its own gives zephra-cli a hosts file with
    // the module's name, through the same system resolver.
    const std::string hosts = TestFile("hosts");
    {
        std::ofstream file(hosts);
        file << Address(9) << " Till7.local\n";
    }
    const struct {
        std::vector<std::string> sim;
        std::string wrapper;
        json network;
    } rows[] = {
        {{"--model", "5", "--set", "mode=0", "--set", "dhcp=1", "--set", "mac=" + mac},
         pair.InStation(),
         {{"state", "reachable"},
          {"address", VethPair::kPrinterAddress},
          {"port", 9100},
          {"found_by", "neighbour"}}},
        {{"--model", "4", "--set", "configured=1", "--set", "ipaddr_type=1", "--set",
          "mdns_enabled=1", "--set", "mdns_hostname=Till7", "--set", "ssid=Office", "--set",
          "security=0", "--network", "Office", "--dhcp-address", Address(9)},
         "unshare -m sh -c 'mount --bind " + hosts + " /etc/hosts && exec \"$0\" \"$@\"'",
         {{"state", "reachable"}, {"address", Address(9)}, {"port", 9100}, {"found_by", "mdns"}}},
    };
    for (const auto& row : rows) {
        SimProcess sim(row.sim);
        const std::string port = sim.Path();
        ProfileFile profile("held");
        ASSERT_EQ(Cli("read --yes --port " + port + " --out " + profile.Path()).status, 0);
        // A module in Infrastructure mode reports no mDNS name: the profile names it.
        json held = json::parse(profile.Read());
        if (held["family"] == "module")
            held["settings"].update({{"mdns", true}, {"mdns_host_name", "Till7"}});
        profile.Write(held.dump());
        // Found at once; the limit only catches a hang.
        const CliRun run =
            Cli("apply " + profile.Path() + " --verify=" + kJoinLimit + " --json --port " + port,
                row.wrapper);
        EXPECT_EQ(run.status, 0) << "waited up to " << kJoinLimit << " s for it:\n"
                                 << run.err << run.out;
        json network = json::parse(run.out.substr(0, run.out.find('\n'))).value("network", json());
        network.erase("seconds");
        EXPECT_EQ(network, row.network) << run.out;
    }
    std::remove(hosts.c_str());
}

}  // namespace
