// zephra-cli identify against printer-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include "link/rx_queue.h"
#include "link/serial_link_posix.h"
#include "tests/cli/cli_run.h"
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

}  // namespace
