// zephra-cli read and apply against printer-sim processes, and the bytes of apply against those of
// the page's own save in the window.
#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <regex>
#include <sstream>

#include "tests/cli/cli_run.h"
#include "tests/page_current/page1_fixture.h"
#include "tests/page_legacy/page2_fixture.h"
#include "tests/page_module/page3_fixture.h"
#include "tests/support/profile_steps.h"
#include "tests/support/sim_process.h"

namespace {

using nlohmann::json;
using simproc::SimProcess;

// What printer-sim received, as one stream.
Bytes LoggedBytes(const std::string& log) {
    Bytes bytes;
    std::istringstream hex(ReadText(log));
    for (unsigned b; hex >> std::hex >> b;)
        bytes.push_back(static_cast<uint8_t>(b));
    return bytes;
}

// The progress lines that break the page's plan: every line is "reading|saving n/N: name", and
// the last of each exchange (before the next 1/N) is its N-th.
std::string BrokenPlans(const std::string& err) {
    static const std::regex kLine("(?:reading|saving) ([0-9]+)/([0-9]+): .+");
    std::istringstream lines(err);
    std::string broken, last;
    bool lastEnds = true;  // the line before is its exchange's N-th
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        // Ports served at once say whose line it is.
        const size_t progress = std::min(line.find("reading"), line.find("saving"));
        if (progress == std::string::npos)
            continue;
        line.erase(0, progress);
        if (!std::regex_match(line, m, kLine) || (m[1] == "1" && !lastEnds))
            broken += (m.empty() ? line : last) + "|";
        last = line;
        lastEnds = !m.empty() && m[1] == m[2];
    }
    return lastEnds ? broken : broken + last + "|";
}

// How many times part occurs in text.
size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

bool Contains(const Bytes& stream, const Bytes& part) {
    return std::search(stream.begin(), stream.end(), part.begin(), part.end()) != stream.end();
}

// The same printer read, changed and written, once from the command line and once in the page.
template <typename PageTest>
class CliApply : public PageTest {};
using Families = ::testing::Types<Page1Test, Page2Test, Page3Test>;
TYPED_TEST_SUITE(CliApply, Families);

// B is a USB printer: its node opens with the USB link, which batches replies its own way.
TYPED_TEST(CliApply, TwoPrintersTakeTheProfileWithTheBytesOfThePagesOwnSave) {
    const std::string logB = TestFile("b.log");
    const std::string model(1, static_cast<char>(TestFixture::kPrinterModel));
    SimProcess a({"--model", model});
    SimProcess b({"--model", model, "--log", logB, "--split"});
    UsbNodes usb;
    const std::string pathA = a.Path(), pathB = usb.Add(b.Path());
    ASSERT_FALSE(pathA.empty() || pathB.empty());

    const std::string profile = TestFile("profile.json");
    CliRun run = Cli("read --yes --port " + pathA + " --out " + profile);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Include the security key in the file? Yes\n"), std::string::npos);
    struct stat file {};
    ASSERT_EQ(stat(profile.c_str(), &file), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u) << "a profile with its key is its owner's alone";
    json settings = json::parse(ReadText(profile));
    settings["settings"]["ssid"] = "Shop-Floor";
    ProfileFile changed("changed");
    changed.Write(settings.dump());

    run = Cli("apply " + changed.Path() + " --yes --jobs 1 --port " + pathA + " --port " + pathB);
    const std::string family = settings["family"];
    EXPECT_EQ(run.out, pathA + " " + family + " applied\n" + pathB + " " + family +
                           " applied\n2 of 2 printers applied\n")
        << run.err;
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(BrokenPlans(run.err), "") << run.err;
    run = Cli("read --port " + pathB);
    EXPECT_EQ(json::parse(run.out)["settings"]["ssid"], "Shop-Floor") << run.err;

    // Saved without its key, a profile is applied and leaves the printer's key as it is.
    ProfileFile keyless("keyless");
    ASSERT_EQ(Cli("read --port " + pathA + " --out " + keyless.Path()).status, 0);
    json kept = json::parse(keyless.Read());
    kept["settings"]["ssid"] = "Key-Kept";
    keyless.Write(kept.dump());
    run = Cli("apply " + keyless.Path() + " --yes --port " + pathB);
    EXPECT_EQ(run.out, pathB + " " + family + " applied\n1 of 1 printers applied\n") << run.err;
    EXPECT_EQ(run.status, 0);
    const json after = json::parse(Cli("read --yes --port " + pathB).out)["settings"];
    EXPECT_EQ(after["ssid"], "Key-Kept");
    for (const auto& [name, value] : settings["settings"].items()) {
        if (!kept["settings"].contains(name)) {
            EXPECT_EQ(after.value(name, json()), value) << name;
        }
    }

    this->OpenAndRead();
    EXPECT_EQ(LoadProfileFile(this->ui_, this->Page(), changed), std::vector<std::string>{});
    this->ForgetTraffic();
    ASSERT_TRUE(this->ui_.Click(this->Page(), this->Buttons().save));
    this->ui_.Advance(10000);
    const Bytes save = this->Wire();
    ASSERT_GT(save.size(), 8u);
    EXPECT_TRUE(Contains(LoggedBytes(logB), save));
}

TEST(ZephraCliApply, FaultsEndInTheirStatusAndMessageWithNothingWrittenAfterThem) {
    const std::string log = TestFile("fault.log");
    ProfileFile current("current"), legacy("legacy"), malformed("malformed"), module("module");
    for (const auto& [model, file] : {std::pair{"5", &current}, {"4", &module}, {"3", &legacy}}) {
        SimProcess sim({"--model", model});
        ASSERT_EQ(Cli("read --yes --port " + sim.Path() + " --out " + file->Path()).status, 0);
    }
    malformed.Write("{\"format\": \"zephra-printer-settings\", ");
    json movedPort = json::parse(module.Read());
    movedPort["settings"]["port"] = "9101";
    module.Write(movedPort.dump());
    const struct {
        const char* model;
        const char *fault, *letter;  // printer-sim's fault option, if any
        const ProfileFile& profile;
        int status;
        const char *result, *error;  // after the port; in standard error
        const char* wire;            // what the printer received, in hex
    } cases[] = {
        // The printer refuses the write, or is silent: the page's own message.
        {"5", "--refuse", "W", current, 1, " current failed: Check Port Number",
         "Check Port Number\n", nullptr},
        {"5", "--silent", "R", current, 1, " current failed: Connection failure : Error [Timeout]",
         "Connection failure : Error [Timeout]\n", nullptr},
        // The module's page never awaits the port's write: not "saved", but how far it is known.
        {"4", "--refuse", "W20", module, 1,
         " module failed: acknowledged up to Region; read-back differs: port", "Write Success\n",
         nullptr},
        // Identification only, then nothing.
        {"5", nullptr, nullptr, legacy, 2,
         " current refused: This file holds settings for a legacy printer.", "", "1B 00 02 02\n"},
        {"5", nullptr, nullptr, malformed, 2, nullptr,
         "This file is not a printer settings profile.\n", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--model", c.model, "--log", log};
        if (c.fault != nullptr)
            args.insert(args.end(), {c.fault, c.letter});
        SimProcess sim(args);
        const std::string path = sim.Path();
        // Forced: the profiles hold what the printers hold.
        const CliRun run = Cli("apply " + c.profile.Path() + " --force --yes --port " + path);
        EXPECT_EQ(run.status, c.status) << c.result << run.err;
        EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1),
                  c.result == nullptr ? "" : path + c.result + "\n")
            << run.err;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << c.error << " in " << run.err;
        if (c.wire != nullptr) {
            EXPECT_EQ(ReadText(log), c.wire);
        }
    }
}

TEST(ZephraCliApply, CtrlCEndsTheSaveAfterTheRequestUnderWay) {
    const std::string log = TestFile("stop.log");
    ProfileFile profile("stop");
    SimProcess sim({"--model", "3", "--delay", "100", "--log", log});
    const std::string path = sim.Path();
    ASSERT_EQ(Cli("read --yes --port " + path + " --out " + profile.Path()).status, 0);
    const pid_t cli = StartCli("apply --force --yes " + profile.Path() + " --port " + path, "stop");
    AwaitError("stop", "saving 3");
    kill(cli, SIGINT);
    EXPECT_EQ(CliStatus(cli), 1);
    // The request under way when Ctrl-C came is the last one sent: S, then a W per record.
    const std::string err = ReadText(TestFile("stop.err"));
    const size_t sent = Count(err, "saving ");
    ASSERT_GE(sent, 3u);
    EXPECT_EQ(ReadText(TestFile("stop.out")),
              path + " legacy stopped: after request " + std::to_string(sent) +
                  " of the save; the port is closed\n0 of 1 printers applied, 1 stopped\n");
    EXPECT_EQ(Count(ReadText(log), "1B 7E 57"), sent - 1);
}

// A line that goes away mid-read or mid-save ends the command at once, saying so.
TEST(ZephraCliApply, AHangUpMidReadOrMidSaveSaysThePortClosed) {
    ProfileFile profile("hang-up");
    {
        SimProcess sim({"--model", "3"});
        ASSERT_EQ(Cli("read --yes --port " + sim.Path() + " --out " + profile.Path()).status, 0);
    }
    const struct {
        std::string model, command, progress;
        const char *result, *error;  // after the port; in standard error
        bool usb;                    // an unplugged USB printer
    } cases[] = {
        {"5", "read", "reading 3", nullptr, "zephra-cli: the port closed\n", false},
        {"3", "apply --force --yes " + profile.Path(), "saving 3",
         " legacy failed: the port closed\n0 of 1 printers applied, 1 failed\n", "", false},
        {"5", "read", "reading 3", nullptr, "zephra-cli: the port closed\n", true},
    };
    for (const auto& c : cases) {
        SimProcess sim({"--model", c.model, "--delay", "100"});
        UsbNodes usb;
        const std::string path = c.usb ? usb.Add(sim.Path()) : sim.Path();
        const pid_t cli = StartCli(c.command + " --port " + path, "hang-up");
        AwaitError("hang-up", c.progress);
        const auto hungUp = simproc::Clock::now();
        sim.Exit(SIGKILL);
        EXPECT_EQ(CliStatus(cli), 1) << c.command;
        // Only a hang fails here: the end comes within milliseconds.
        EXPECT_LT(simproc::MsSince(hungUp), 10000) << c.command;
        EXPECT_EQ(ReadText(TestFile("hang-up.out")), c.result ? path + c.result : "");
        const std::string err = ReadText(TestFile("hang-up.err"));
        EXPECT_NE(err.find(c.error), std::string::npos) << err;
        // The panel's own word for it, in whichever order the two come.
        if (c.usb) {
            EXPECT_NE(err.find("Disconnect the USB communication."), std::string::npos) << err;
        }
    }
}

}  // namespace
