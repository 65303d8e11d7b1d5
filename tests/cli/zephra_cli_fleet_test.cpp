// zephra-cli apply on a fleet: per-printer values from an inventory, the plan, printers left
// unwritten when they already match, keys given apart and input refused before anything is sent.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>

#include "cli/apply_plan.h"
#include "tests/cli/cli_run.h"
#include "tests/page_current/page1_fixture.h"
#include "tests/support/profile_steps.h"
#include "tests/support/sim_process.h"

namespace {

using nlohmann::json;
using simproc::SimProcess;

// A current-generation printer in Infrastructure mode with static addresses, and any other
// printer-sim options.
std::vector<std::string> FleetPrinterArgs(int n, const std::string& log,
                                          std::vector<std::string> more) {
    std::vector<std::string> args{
        "--model", "5",      "--set", "mode=0",
        "--set",   "dhcp=0", "--set", "mac=00:1A:2B:3C:4D:0" + std::to_string(n),
        "--log",   log};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}
struct FleetPrinter {
    explicit FleetPrinter(int n, std::vector<std::string> more = {})
        : log(TestFile("fleet" + std::to_string(n) + ".log")),
          sim(FleetPrinterArgs(n, log, std::move(more))),
          path(sim.Path()) {}
    // What the printer received since the last call.
    std::string Received() {
        const std::string text = ReadText(log);
        const std::string since = text.substr(std::min(seen, text.size()));
        seen = text.size();
        return since;
    }
    std::string log;
    size_t seen = 0;
    SimProcess sim;
    std::string path;
};

std::vector<json> JsonLines(const std::string& out) {
    std::vector<json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(json::parse(line));
    return lines;
}

class CliFleet : public Page1Test {};

TEST_F(CliFleet, AnInventoryGivesEachPrinterItsOwnAndAPrinterThatMatchesIsNotWritten) {
    FleetPrinter printers[] = {FleetPrinter(1), FleetPrinter(2), FleetPrinter(3)};
    ProfileFile profile("fleet"), inventory("fleet-inventory");
    ASSERT_EQ(Cli("read --yes --port " + printers[0].path + " --out " + profile.Path()).status, 0);
    json settings = json::parse(profile.Read());
    settings["settings"]["ssid"] = "Shop-Floor";
    profile.Write(settings.dump());
    // As a spreadsheet writes it: a byte-order mark, CR LF, the MAC in three spellings, quotes.
    const std::string header = "\xEF\xBB\xBFMAC,IP_Address,ssid\r\n";
    inventory.Write(
        header + "00-1a-2b-3c-4d-01,10.0.0.1,\r\n001A2B3C4D02,10.0.0.2,\"Bay \"\"B\"\", 2\"\r\n" +
        "00:1A:2B:3C:4D:03,10.0.0.3,\r\n");
    std::string ports;
    for (FleetPrinter& p : printers) {
        ports += " --port " + p.path;
        p.Received();
    }
    const std::string apply = "apply " + profile.Path() + " --inventory " + inventory.Path();

    CliRun run = Cli(apply + " --json" + ports);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<json> lines = JsonLines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    EXPECT_EQ(lines[3]["summary"]["applied"], 3) << run.out;
    for (int n = 1; n <= 3; ++n) {
        // The ports are served at once: each line comes as its printer ends.
        const auto line = *std::find_if(lines.begin(), lines.end(), [&](const json& l) {
            return l.value("port", "") == printers[n - 1].path;
        });
        EXPECT_EQ(line["result"], "applied") << line;
        EXPECT_EQ(line["family"], "current");
        EXPECT_EQ(line["mac"], "00:1A:2B:3C:4D:0" + std::to_string(n));
        const json held = json::parse(Cli("read --port " + printers[n - 1].path).out)["settings"];
        EXPECT_EQ(held["ip_address"], "10.0.0." + std::to_string(n));
        EXPECT_EQ(held["ssid"], n == 2 ? "Bay \"B\", 2" : "Shop-Floor");
    }
    // Printer 2 received what the page itself sends for the profile with its row.
    ProfileFile own("fleet-own");
    settings["settings"]["ip_address"] = "10.0.0.2";
    settings["settings"]["ssid"] = "Bay \"B\", 2";
    own.Write(settings.dump());
    ReadInfrastructure();
    EXPECT_EQ(LoadProfileFile(ui_, Page(), own), std::vector<std::string>{});
    ForgetTraffic();
    ASSERT_TRUE(ui_.Click(Page(), Buttons().save));
    ui_.Advance(10000);
    const Bytes save = Wire();
    std::string saveHex;
    for (uint8_t b : save) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", b);
        saveHex += hex;
    }
    std::string received = printers[1].Received();
    std::replace(received.begin(), received.end(), '\n', ' ');
    EXPECT_NE(received.find(saveHex), std::string::npos);

    // Already at the profile: read and left alone, exactly as a read.
    printers[0].Received();
    printers[2].Received();
    ASSERT_EQ(Cli("read --port " + printers[0].path).status, 0);
    const std::string readOnly = printers[0].Received();
    run = Cli(apply + " --jobs 1" + ports);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, printers[0].path + " current unchanged\n" + printers[1].path +
                           " current unchanged\n" + printers[2].path +
                           " current unchanged\n0 of 3 printers applied, 3 unchanged\n");
    for (FleetPrinter& p : printers)
        EXPECT_EQ(p.Received(), readOnly);

    // The plan: what would change and what would not, with nothing written.
    inventory.Write(
        header + "001a2b3c4d01,10.0.0.1,Other\r\n001a2b3c4d02,10.0.0.2,\"Bay \"\"B\"\", 2\"\r\n");
    run =
        Cli(apply + " --check --jobs 1 --port " + printers[0].path + " --port " + printers[1].path);
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_EQ(run.out, printers[0].path +
                           " current would-change\n  ssid: \"Shop-Floor\" -> \"Other\"\n" +
                           printers[1].path + " current unchanged\n" +
                           "0 of 2 printers applied, 1 unchanged, 1 would-change\n");
    EXPECT_EQ(printers[0].Received(), readOnly);
    EXPECT_EQ(printers[1].Received(), readOnly);
    // A printer the inventory does not list is refused, unless unlisted printers are allowed.
    run = Cli(apply + " --port " + printers[2].path);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              printers[2].path + " current refused: no inventory row for 00:1A:2B:3C:4D:03");
    EXPECT_EQ(Cli(apply + " --allow-unlisted --port " + printers[2].path).status, 0);

    // Rows by the port as given, first; a later "port" column is the printer's own network port.
    inventory.Write("\xEF\xBB\xBF\"Port\",ssid,port\r\n" + printers[0].path + ",By-Port,9101\r\n" +
                    printers[1].path + ",,\r\n");
    run = Cli(apply + " --jobs 1" + ports);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, printers[0].path + " current applied\n" + printers[1].path +
                           " current applied\n" + printers[2].path +
                           " current refused: no inventory row for " + printers[2].path +
                           "\n2 of 3 printers applied, 1 refused\n");
    const json held = json::parse(Cli("read --port " + printers[0].path).out)["settings"];
    EXPECT_EQ(held["ssid"], "By-Port");
    EXPECT_EQ(held["port"], "9101");
    EXPECT_EQ(json::parse(Cli("read --port " + printers[1].path).out)["settings"]["ssid"],
              "Shop-Floor");
}

TEST(ZephraCliFleet, PortsServedAtOnceEachEndInTheirOwnWholeLines) {
    FleetPrinter printers[] = {FleetPrinter(1), FleetPrinter(2), FleetPrinter(3)};
    SimProcess silent({"--model", "5", "--silent", "R"});
    ProfileFile profile("jobs");
    ASSERT_EQ(Cli("read --port " + printers[0].path + " --out " + profile.Path()).status, 0);
    const std::string silentPath = silent.Path();
    std::string ports = " --port " + silentPath;
    for (FleetPrinter& p : printers)
        ports += " --port " + p.path;
    const CliRun run = Cli("apply " + profile.Path() + " --force --jobs 4" + ports);
    EXPECT_EQ(run.status, 1) << run.err;
    std::istringstream out(run.out), err(run.err);
    std::vector<std::string> results;
    for (std::string line; std::getline(out, line);)
        results.push_back(line);
    ASSERT_EQ(results.size(), 5u) << run.out;
    EXPECT_EQ(results.back(), "3 of 4 printers applied, 1 failed");
    std::vector<std::string> expected{silentPath +
                                      " current failed: Connection failure : Error [Timeout]"};
    for (FleetPrinter& p : printers)
        expected.push_back(p.path + " current applied");
    results.pop_back();
    std::sort(results.begin(), results.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(results, expected);
    // Every line of progress and every message is whole and names its port.
    const std::regex whole(
        "(/dev/pts/[0-9]+): (reading|saving) [0-9]+/[0-9]+: [A-Za-z ]+|"
        "(/dev/pts/[0-9]+): [A-Z][A-Za-z :\\[\\]]+");
    for (std::string line; std::getline(err, line);)
        EXPECT_TRUE(std::regex_match(line, whole)) << line;
}

TEST(ZephraCliFleet, AKeyGivenApartReachesThePrinterAndNeverTheOutput) {
    FleetPrinter printer(4);
    ProfileFile profile("keyless"), keyFile("key-file");
    ASSERT_EQ(Cli("read --port " + printer.path + " --out " + profile.Path()).status, 0);
    json settings = json::parse(profile.Read());
    settings["settings"]["security"] = "WPA";
    profile.Write(settings.dump());
    keyFile.Write("from-a-file-9\n");
    const struct {
        std::string before, option, key;  // before the program, its key option
    } cases[] = {
        {"ZEPHRA_TEST_KEY=from-the-env-8", "--key-env ZEPHRA_TEST_KEY", "from-the-env-8"},
        {"", "--key-file " + keyFile.Path(), "from-a-file-9"},
        {"echo from-stdin-77 |", "--key-stdin", "from-stdin-77"},
    };
    for (const auto& c : cases) {
        const std::string logFile = TestFile("key.jsonl");
        const std::string command = c.before + " " ZEPHRA_CLI_PATH " apply " + profile.Path() +
                                    " " + c.option + " --json --log " + logFile + " --port " +
                                    printer.path + " >" + TestFile("key.out") + " 2>&1";
        // Each run's key differs from the last: every run writes.
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0) << c.option;
        const std::string out = ReadText(TestFile("key.out")) + ReadText(logFile);
        EXPECT_EQ(out.find(c.key), std::string::npos) << out;
        EXPECT_NE(out.find("{\"key\":\"changes\",\"setting\":\"key\"}"), std::string::npos) << out;
        EXPECT_NE(ReadText(logFile).find("\"profile_sha256\":\""), std::string::npos);
        EXPECT_EQ(json::parse(Cli("read --yes --port " + printer.path).out)["settings"]["key"],
                  c.key);
        std::remove(logFile.c_str());
    }
    // The plan runs the page's own check of the key, which only the page knows, writing nothing.
    printer.Received();
    const int planned =
        WEXITSTATUS(std::system(("ZEPHRA_TEST_KEY=short " ZEPHRA_CLI_PATH " apply " +
                                 profile.Path() + " --key-env ZEPHRA_TEST_KEY --check --port " +
                                 printer.path + " >" + TestFile("key.out") + " 2>/dev/null")
                                    .c_str()));
    EXPECT_EQ(planned, 2);
    EXPECT_EQ(ReadText(TestFile("key.out")).substr(0, ReadText(TestFile("key.out")).find('\n')),
              printer.path + " current refused: WPA key should be use 8 ~ 63 characters");
    EXPECT_EQ(printer.Received().find("1B 7E 57"), std::string::npos);
}

TEST(ZephraCliFleet, InputThatCannotBeAppliedIsRefusedBeforeAnythingIsSent) {
    FleetPrinter printer(5);
    ProfileFile profile("refusals"), inventory("refusals-inventory"), empty("empty");
    ASSERT_EQ(Cli("read --port " + printer.path + " --out " + profile.Path()).status, 0);
    printer.Received();
    empty.Write("");
    const struct {
        std::string inventory, options;  // the inventory's text, "" for none
        std::string message;
    } cases[] = {
        {"mac,ip_address\n001a2b3c4d05,10.0.0.300\n", "",
         "row 2: The profile's \"ip_address\" is not a value this page can hold."},
        {"mac,colour\n001a2b3c4d05,red\n", "", "\"colour\""},
        {"mac,address\n001a2b3c4d05,10.0.0.300\n", "",
         "row 2, column address: \"10.0.0.300\" is not an IPv4 address"},
        {"mac,port\n001a2b3c4d05,9100\n00:1a:2b:3c:4d:05,9101\n", "", "row 3, column mac"},
        // A "mac" column anywhere chooses by MAC address; a leading "port" is then a setting.
        {"port,mac\n9100,001a2b3c4d05\n9101,00:1a:2b:3c:4d:05\n", "", "row 3, column mac"},
        {"mac,dhcp\n001a2b3c4d05,maybe\n", "", "row 2, column dhcp"},
        {"port,ssid\n" + printer.path + ",A\n/dev/ttyS99,B\n", "",
         "row 3, column port: /dev/ttyS99 is not among the ports given"},
        {"port,ssid\n" + printer.path + ",A\n" + printer.path + ",B\n", "",
         "row 3, column port: " + printer.path + " is also on row 2"},
        {"port,address\n" + printer.path + ",10.0.0.300\n", "", "row 2, column address"},
        {"ip_address\n10.0.0.1\n", "", "no \"mac\" column"},
        {"ssid,port\nBay,9100\n", "", "no \"mac\" column"},
        {"mac,ssid\n001a2b3c4d05,\"Bay 2\n", "", "line 2"},
        {"mac,ssid\n", "", "no printer rows"},
        {"", " --inventory /nonexistent.csv", "cannot read the inventory"},
        {"", " --key-file /nonexistent.key", "--key-file /nonexistent.key: cannot read it"},
        {"", " --key-file " + empty.Path(), "holds no key"},
        {"", " --key-env ZEPHRA_NO_SUCH_KEY", "is not set"},
        {"", " --key-file " + profile.Path(), "more than one line"},
    };
    for (const auto& c : cases) {
        std::string options = c.options;
        if (!c.inventory.empty()) {
            inventory.Write(c.inventory);
            options += " --inventory " + inventory.Path();
        }
        const CliRun run = Cli("apply " + profile.Path() + options + " --port " + printer.path);
        EXPECT_EQ(run.status, 2) << c.message << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.message << " in " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(printer.Received(), "") << c.message;
    }
}

TEST(ZephraCliFleet, ABackupBeforeEachWriteRestoresEachPrinterByItsMac) {
    FleetPrinter a(3, {"--set", "security=3", "--set", "wpakey=first-key", "--set", "ssid=Bay"});
    FleetPrinter b(4), c(5);
    const std::string dir = TestFile("backups");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    ProfileFile originalA("original-a"), originalB("original-b"), profile("backed-up");
    ASSERT_EQ(Cli("read --yes --port " + a.path + " --out " + originalA.Path()).status, 0);
    ASSERT_EQ(Cli("read --yes --port " + b.path + " --out " + originalB.Path()).status, 0);
    json settings = json::parse(originalA.Read());
    settings["settings"]["ssid"] = "Shop-Floor";
    settings["settings"]["key"] = "second-key";
    profile.Write(settings.dump());
    const std::string ports = " --port " + a.path + " --port " + b.path;

    // A fleet's children keep each printer's settings as read, keys included, before writing.
    CliRun run = Cli("apply " + profile.Path() + " --backup " + dir + " --json" + ports);
    EXPECT_EQ(run.status, 0) << run.err;
    for (const json& line : JsonLines(run.out)) {
        if (line.contains("summary"))
            continue;
        const bool isA = line["port"] == a.path;
        const std::string backup = line.value("backup", "");
        EXPECT_TRUE(
            std::regex_match(backup, std::regex(dir + "/00-1A-2B-3C-4D-0" + (isA ? "3" : "4") +
                                                R"(_\d{4}-\d\d-\d\d@\d\d-\d\d-\d\d\.\d{3}\.json)")))
            << line;
        EXPECT_EQ(ReadText(backup), (isA ? originalA : originalB).Read());
        struct stat file {};
        ASSERT_EQ(stat(backup.c_str(), &file), 0);
        EXPECT_EQ(file.st_mode & 0777, 0600u);
    }
    // Nothing written, no backup.
    run = Cli("apply " + profile.Path() + " --backup " + dir + ports);
    EXPECT_EQ(run.out.find("backup"), std::string::npos) << run.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);

    // Restored from their backups, both read back as they were, key and all; each names its
    // backup, and its log line the backup's digest.
    const std::string log = TestFile("restore.jsonl");
    std::remove(log.c_str());
    run = Cli("restore " + dir + " --yes --jobs 1 --log " + log + ports);
    EXPECT_EQ(run.status, 0) << run.err;
    // What a printer without security holds of a key is kept as it is, and said so.
    const std::string from = "  restored from: " + dir + "/00-1A-2B-3C-4D-0";
    EXPECT_TRUE(std::regex_match(
        run.out, std::regex(a.path + " current applied\n" + from + "3_.*\\.json\n" + b.path +
                            " current applied\n" + from + "4_.*\\.json\n" +
                            "  wpa_cipher: skipped, not written with security None\n" +
                            "  key: skipped, not written with security None\n" +
                            "2 of 2 printers applied\n")))
        << run.out;
    for (const json& line : JsonLines(ReadText(log))) {
        if (line.contains("summary"))
            continue;
        const std::string backup = line.value("restored_from", "");
        EXPECT_EQ(backup.rfind(dir + "/00-1A-2B-3C-4D-0", 0), 0u) << line;
        EXPECT_EQ(line["profile_sha256"], Sha256Hex(ReadText(backup))) << line;
    }
    std::remove(log.c_str());
    EXPECT_EQ(Cli("read --yes --port " + a.path).out, originalA.Read());
    EXPECT_EQ(Cli("read --yes --port " + b.path).out, originalB.Read());

    // No backup of its MAC, or no backup that can be made: refused after the read alone.
    ASSERT_EQ(Cli("read --port " + c.path).status, 0);
    const std::string readOnly = c.Received();
    run = Cli("restore " + dir + " --port " + c.path);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, c.path + " current refused: no backup of 00:1A:2B:3C:4D:05 in " + dir +
                           "\n0 of 1 printers applied, 1 refused\n");
    EXPECT_EQ(c.Received(), readOnly);
    run = Cli("apply " + profile.Path() + " --backup " + profile.Path() + " --port " + c.path);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find(c.path + " current refused: the backup " + profile.Path() +
                           "/00-1A-2B-3C-4D-05_"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(c.Received(), readOnly);
    // The text names the backup made.
    run = Cli("apply " + profile.Path() + " --backup " + dir + " --port " + c.path);
    EXPECT_NE(run.out.find(" current applied\n  backup: " + dir + "/00-1A-2B-3C-4D-05_"),
              std::string::npos)
        << run.out;
    std::filesystem::remove_all(dir);
}

TEST(ZephraCliFleet, AStationServesEachPrinterPluggedInOnce) {
    ProfileFile profile("station");
    const std::string port = TestFile("station-port");
    std::remove(port.c_str());
    std::unique_ptr<FleetPrinter> printer = std::make_unique<FleetPrinter>(6);
    ASSERT_EQ(Cli("read --port " + printer->path + " --out " + profile.Path()).status, 0);
    printer.reset();
    json settings = json::parse(profile.Read());
    settings["settings"]["ssid"] = "Bench";
    profile.Write(settings.dump());
    // The port comes and goes with the printer, as a USB adapter's does. Each is backed up first.
    const std::string dir = TestFile("station-backups");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    const pid_t cli = StartCli(
        "apply " + profile.Path() + " --watch --backup " + dir + " --port " + port, "station");
    for (int n : {7, 8}) {
        printer = std::make_unique<FleetPrinter>(n);
        ASSERT_EQ(symlink(printer->path.c_str(), port.c_str()), 0);
        AwaitLines("station", 2 * (n - 6));
        printer.reset();
        std::remove(port.c_str());
    }
    kill(cli, SIGINT);
    EXPECT_EQ(CliStatus(cli), 0);
    const std::string applied = port + " current applied\n  backup: " + dir + "/00-1A-2B-3C-4D-0";
    EXPECT_TRUE(std::regex_match(
        ReadText(TestFile("station.out")),
        std::regex(applied + "7_.*\\.json\n" + applied + "8_.*\\.json\n2 of 2 printers applied\n")))
        << ReadText(TestFile("station.out"));
    std::filesystem::remove_all(dir);
    EXPECT_NE(ReadText(TestFile("station.err")).find('\a'), std::string::npos);
}

}  // namespace
