// zephra-cli's argument checks: what is taken, and the one-line error for what is not.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

int Parse(const std::string& line, CliCommand* command, std::string* message,
          PortNaming naming = PortNaming::kDevicePaths) {
    std::istringstream words(line);
    std::vector<std::string> args{"zephra-cli"};
    for (std::string w; words >> w;)
        args.push_back(w);
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    return ParseCli(static_cast<int>(argv.size()), argv.data(), command, message, naming);
}

TEST(CliOptions, IdentifyTakesThePanelsChoicesAsListIndexes) {
    const struct {
        const char* line;
        int baud, parity, dataBits, stopBits;
    } cases[] = {
        {"identify --port /dev/ttyS0", 3, 0, 0, 0},
        {"identify --port /dev/ttyS0 --baud 9600 --parity even --data 8 --stop 2", 0, 2, 0, 1},
        {"identify --parity Odd --baud 115200 --port /dev/ttyS0", 4, 1, 0, 0},
    };
    for (const auto& c : cases) {
        CliCommand command;
        std::string message;
        ASSERT_EQ(Parse(c.line, &command, &message), -1) << c.line << ": " << message;
        EXPECT_EQ(command.kind, CliCommand::Kind::kIdentify);
        EXPECT_EQ(command.link.port, "/dev/ttyS0");
        EXPECT_EQ(command.link.baud, c.baud) << c.line;
        EXPECT_EQ(command.link.parity, c.parity) << c.line;
        EXPECT_EQ(command.link.dataBits, c.dataBits) << c.line;
        EXPECT_EQ(command.link.stopBits, c.stopBits) << c.line;
    }
}

TEST(CliOptions, BadUsageIsOneLineNamingTheProblem) {
    const struct {
        const char* line;
        const char* names;
    } cases[] = {
        {"", "subcommand"},
        {"identify", "--port"},
        {"identify --port", "--port"},
        {"identify --port /dev/ttyS0 --baud 1234", "--baud 1234"},
        {"identify --port /dev/ttyS0 --parity mark", "--parity mark"},
        {"identify --port /dev/ttyS0 --data 7", "--data 7"},
        {"identify --port /dev/ttyS0 --stop 3", "--stop 3"},
        {"identify --port /dev/ttyS0 --colour red", "--colour"},
        {"erase --port /dev/ttyS0", "erase"},
        {"identify --usb", "--usb"},
    };
    for (const auto& c : cases) {
        CliCommand command;
        std::string message;
        EXPECT_EQ(Parse(c.line, &command, &message), kExitUsage) << c.line;
        EXPECT_NE(message.find(c.names), std::string::npos) << c.line << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << c.line << ": " << message;
        EXPECT_EQ(message.rfind("zephra-cli: ", 0), 0u) << message;
    }
    CliCommand command;
    std::string help;
    EXPECT_EQ(Parse("--help", &command, &help), kExitOk);
    EXPECT_NE(help.find("identify"), std::string::npos);
    EXPECT_EQ(Parse("identify --help", &command, &help), kExitOk);
    EXPECT_NE(help.find("--parity"), std::string::npos);
}

TEST(CliOptions, ComPortsAreThePanelsListInAnyCaseOrItsUsbLink) {
    const struct {
        const char* line;
        int status;
        const char* portOrMessage;  // the port taken, or what the error names
    } cases[] = {
        {"read --port com3", -1, "COM3"},
        {"read --port COM20", -1, "COM20"},
        {"read --usb", -1, "USB"},
        {"read --port COM21", kExitUsage, "--port COM21 is not one of COM1 to COM20"},
        {"read --port /dev/ttyS0", kExitUsage, "/dev/ttyS0"},
        {"apply p.json --port COM1 --port COM0", kExitUsage, "COM0"},
        {"read --port COM1 --usb", kExitUsage, "--usb"},
        {"read", kExitUsage, "--port or --usb"},
    };
    for (const auto& c : cases) {
        CliCommand command;
        std::string message;
        ASSERT_EQ(Parse(c.line, &command, &message, PortNaming::kComPorts), c.status)
            << c.line << ": " << message;
        if (c.status < 0) {
            EXPECT_EQ(command.link.port, c.portOrMessage) << c.line;
            EXPECT_EQ(command.link.usb, command.link.port == "USB") << c.line;
        } else {
            EXPECT_NE(message.find(c.portOrMessage), std::string::npos)
                << c.line << ": " << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}

}  // namespace
