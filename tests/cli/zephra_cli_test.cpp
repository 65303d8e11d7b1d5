// zephra-cli identify against printer-sim on a pseudo-terminal, and the profiles apply refuses.
#include <gtest/gtest.h>

#include "link/rx_queue.h"
#include "link/serial_link_posix.h"
#include "tests/cli/cli_run.h"
#include "tests/support/profile_steps.h"
#include "tests/support/sim_process.h"

namespace {

using simproc::SimProcess;

TEST(ZephraCliIdentify, NamesTheFamilyAndModelOrPrintsThePanelsMessage) {
    const struct {
        std::vector<std::string> sim;
        int status;
        const char *out, *err;
    } cases[] = {
        {{"--model", "5"}, 0, "current 5\n", ""},
        {{"--model", "3"}, 0, "legacy 3\n", ""},
        {{"--model", "4"}, 0, "module 4\n", ""},
        {{"--model", "4", "--identify", "silent"}, 0, "module\n", ""},
        {{"--model", "7", "--identify", "split"}, 0, "current 7\n", ""},
        {{"--model", "5", "--identify", "two"}, 1, "", "Check the printer connection.\n"},
        {{"--model", "5", "--identify", "unknown"}, 1, "", "Check the printer model.\n"},
    };
    for (const auto& c : cases) {
        SimProcess sim(c.sim);
        const std::string path = sim.Path();
        ASSERT_FALSE(path.empty());
        const CliRun run = Cli("identify --port " + path + " --baud 115200");
        EXPECT_EQ(run.status, c.status) << c.out << c.err << run.err;
        EXPECT_EQ(run.out, c.out) << c.err;
        EXPECT_EQ(run.err, c.err) << c.out;
    }
}

TEST(ZephraCliIdentify, BadUsageOrPortsSendNothingAndExitTwo) {
    const std::string log = TestFile("sim.log");
    SimProcess sim({"--model", "5", "--log", log});
    const std::string path = sim.Path();
    ASSERT_FALSE(path.empty());
    CRxQueue queue;
    CPosixSerialLink holder;
    const struct {
        std::string args;
        const char* names;
        bool busy;
    } cases[] = {
        {"identify --port " + path + " --baud 4800", "--baud 4800", false},
        {"identify --port /dev/no-such-port", "/dev/no-such-port: No such file", false},
        {"identify --port " + path, "Device or resource busy", true},
    };
    for (const auto& c : cases) {
        if (c.busy) {
            SerialSettings settings;
            settings.portName = path;
            settings.baudRate = 57600;
            ASSERT_EQ(holder.Open(settings, queue, nullptr), SerialOpenResult::kOpened);
        }
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
        EXPECT_NE(run.err.find(c.names), std::string::npos) << c.args << ": " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    holder.Close();
    EXPECT_EQ(ReadText(log), "");
}

// A profile holds only what its page's controls could hold; a save starts with every value
// accepted or not at all.
TEST(ZephraCliApply, ProfilesNoPageCanHoldAreRefusedWithNothingWritten) {
    const std::string head = R"({"format": "zephra-printer-settings", "version": 1, )";
    const std::string current = head + R"("family": "current", "settings": )";
    const std::string notProfile = "This file is not a printer settings profile.";
    const std::string notHeld = " is not a value this page can hold.";
    const std::string control = " holds a control character.";
    const struct {
        const char* model;
        std::string text, message;
        bool read;  // refused by the page after its read, or else before any port is opened
    } cases[] = {
        {"5", current + R"({"ssid": "Shop\u0000Net"}})", R"("ssid")" + control, false},
        {"5", current + R"({"ssid": "Shop\tNet"}})", R"("ssid")" + control, false},
        {"3", head + R"("family": "legacy", "settings": {"peer_domain_name": "a\u0085b"}})",
         R"("peer_domain_name")" + control, false},
        {"5", current + R"({"port": 9100}})", R"("port")" + notHeld, false},
        {"5", current + R"({"ssid": {"name": "Shop"}}})", R"("ssid")" + notHeld, false},
        {"5", current + R"({"ssid": )" + std::string(100000, '[') + std::string(100000, ']') + "}}",
         notProfile, false},
        {"5", head + R"("settings": {}})", notProfile, false},
        {"5", head + R"("family": "kiosk", "settings": {}})",
         R"(a printer family ("kiosk") that this utility does not know.)", false},
        {"4",
         head + R"("family": "module", "settings": {"wlan_mode": "Access Point mode", )" +
             R"("security": "WPA2-PSK", "key_data_type": "ASCII", "key": ")" +
             std::string(64, 'k') + R"("}})",
         "module refused: Invalid WPA2 PSK Key : Error [-103]\n", true},
    };
    const std::string log = TestFile("refused.log");
    ProfileFile profile("refused");
    for (const auto& c : cases) {
        profile.Write(c.text);
        SimProcess sim({"--model", c.model, "--log", log});
        const std::string path = sim.Path();
        ASSERT_FALSE(path.empty());
        const CliRun run = Cli("apply " + profile.Path() + " --yes --port " + path);
        EXPECT_EQ(run.status, 2) << c.message << run.err;
        if (c.read) {
            EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
            EXPECT_EQ(ReadText(log).find("1B 7E 57"), std::string::npos) << "a write went out";
        } else {
            EXPECT_EQ(run.out, "") << c.message;
            EXPECT_NE(run.err.find(c.message + "\n"), std::string::npos) << run.err;
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
            EXPECT_EQ(ReadText(log), "") << c.message;
        }
    }
}

}  // namespace
