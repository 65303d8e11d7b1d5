// zephra-cli apply --verify against printer-sims on a simulated network: each printer's join,
// seen or not, and where it was found. Every address is in 127.0.0.0/8.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <algorithm>
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

// An address of this test process's own, so that tests run at once never share one.
std::string Address(int row) {
    return "127." + std::to_string(getpid() % 250 + 1) + "." + std::to_string(row) + ".1";
}

struct Row {
    int n;                  // the printer's MAC address ends in it
    std::string inventory;  // its inventory cells after the MAC address
    int status;             // its own exit status
    json network;           // the "network" object, seconds left out
};

TEST(ZephraCliVerify, EachPrinterIsSeenOnItsNetworkOrSaysWhyNot) {
    const Row rows[] = {
        // The right key: seen once it has joined.
        {1,
         Address(1) + ",,,,,",
         0,
         {{"state", "reachable"}, {"address", Address(1)}, {"port", 9100}, {"found_by", "static"}}},
        {2,
         Address(2) + ",,,,wrongkey123,",
         4,
         {{"state", "unreachable"},
          {"address", Address(2)},
          {"port", 9100},
          {"reason", "no answer within 3 s"}}},
        {3,
         Address(3) + ",,,Elsewhere,,",
         4,
         {{"state", "unreachable"},
          {"address", Address(3)},
          {"port", 9100},
          {"reason", "no answer within 3 s"}}},
        {4,
         ",,,,,Access Point mode",
         0,
         {{"state", "not_checked"}, {"reason", "in Access Point mode, where it joins no network"}}},
        {5,
         "," + Address(5) + ",true,,,",
         0,
         {{"state", "reachable"},
          {"address", Address(5)},
          {"port", 9100},
          {"found_by", "inventory"}}},
        // DHCP with nothing to give its address: loopback has no neighbours.
        {6,
         ",,true,,,",
         0,
         {{"state", "not_checked"},
          {"reason", "no address within 3 s: its MAC address is not in the neighbour table"}}},
    };
    std::vector<std::unique_ptr<SimProcess>> sims;
    std::map<std::string, const Row*> byPort;
    std::string ports, inventory = "mac,ip_address,address,dhcp,ssid,key,wlan_mode\n";
    for (const Row& row : rows) {
        const std::string mac = "00:1A:2B:3C:4D:0" + std::to_string(row.n);
        sims.push_back(std::make_unique<SimProcess>(std::vector<std::string>{
            "--model", "5", "--set", "mode=0", "--set", "dhcp=0", "--set", "mac=" + mac,
            "--network", kNetwork, "--join-delay", kJoinDelay, "--dhcp-address", Address(row.n)}));
        const std::string path = sims.back()->Path();
        byPort[path] = &row;
        ports += " --port " + path;
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

    const CliRun run = Cli("apply " + profile.Path() + " --inventory " + table.Path() +
                           " --verify=3 --json" + ports);
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 7) << run.out;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);) {
        const json object = json::parse(line);
        if (object.contains("summary")) {
            EXPECT_EQ(object["summary"]["unreachable"], 2) << line;
            EXPECT_EQ(object["summary"]["applied"], 6) << line;
            continue;
        }
        const Row& row = *byPort.at(object["port"]);
        json network = object["network"];
        EXPECT_EQ(object["result"], "applied") << line;
        EXPECT_EQ(object["status"], row.status) << line;
        if (network.contains("seconds")) {
            // Not before the join; the bound only catches a wait that went on.
            EXPECT_GE(network["seconds"].get<double>(), 1.0) << line;
            EXPECT_LT(network["seconds"].get<double>(), 30.0) << line;
            network.erase("seconds");
        }
        EXPECT_EQ(network, row.network) << "row " << row.n;
    }
    // One printer on DHCP, its address given on the command line.
    const CliRun one =
        Cli("apply " + profile.Path() + " --inventory " + table.Path() + " --verify=3 --address " +
            Address(6) + " --port " + std::prev(byPort.end())->first);
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_NE(one.out.find(" current unchanged\n  network: reachable at " + Address(6) +
                           ":9100 (command_line) after "),
              std::string::npos)
        << one.out;
}

}  // namespace
