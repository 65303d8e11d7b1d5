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

// The command and link taken: the port, the panel's list indexes, and "usb" for its USB link.
std::string Taken(const CliCommand& command) {
    static const char* const kKinds[] = {"none", "identify", "read", "apply", "restore", "ports"};
    const LinkChoice& l = command.link;
    return std::string(kKinds[static_cast<int>(command.kind)]) + " " + l.port + " " +
           std::to_string(l.baud) + " " + std::to_string(l.parity) + " " +
           std::to_string(l.dataBits) + " " + std::to_string(l.stopBits) + (l.usb ? " usb" : "");
}

TEST(CliOptions, LinksTakenAndOneLineErrorsNamingTheProblem) {
    const PortNaming kPaths = PortNaming::kDevicePaths, kCom = PortNaming::kComPorts;
    const struct {
        const char* line;
        PortNaming naming;
        int status;
        std::string expected;  // the command taken, or what the error names
    } cases[] = {
        {"identify --port /dev/ttyS0", kPaths, -1, "identify /dev/ttyS0 3 0 0 0"},
        {"identify --port /dev/ttyS0 --baud 9600 --parity even --data 8 --stop 2", kPaths, -1,
         "identify /dev/ttyS0 0 2 0 1"},
        {"identify --parity Odd --baud 115200 --port /dev/ttyS0", kPaths, -1,
         "identify /dev/ttyS0 4 1 0 0"},
        {"", kPaths, kExitUsage, "subcommand"},
        {"identify", kPaths, kExitUsage, "--port"},
        {"identify --port", kPaths, kExitUsage, "--port"},
        {"identify --port /dev/ttyS0 --baud 1234", kPaths, kExitUsage, "--baud 1234"},
        {"identify --port /dev/ttyS0 --parity mark", kPaths, kExitUsage, "--parity mark"},
        {"identify --port /dev/ttyS0 --data 7", kPaths, kExitUsage, "--data 7"},
        {"identify --port /dev/ttyS0 --stop 3", kPaths, kExitUsage, "--stop 3"},
        {"identify --port /dev/ttyS0 --colour red", kPaths, kExitUsage, "--colour"},
        {"erase --port /dev/ttyS0", kPaths, kExitUsage, "erase"},
        // Paths: a USB printer's node is a port like any other; --usb finds the first one.
        {"identify --usb", kPaths, -1, "identify USB 3 0 0 0 usb"},
        {"identify --port /dev/usb/lp0 --usb", kPaths, kExitUsage, "--usb"},
        // Where ports are COM ports: the panel's list in any case, or its USB link.
        {"read --port com3", kCom, -1, "read COM3 3 0 0 0"},
        {"read --port COM20", kCom, -1, "read COM20 3 0 0 0"},
        {"read --usb", kCom, -1, "read USB 3 0 0 0 usb"},
        {"read --port COM21", kCom, kExitUsage, "--port COM21 is not one of COM1 to COM20"},
        {"read --port /dev/ttyS0", kCom, kExitUsage, "/dev/ttyS0"},
        {"apply p.json --port COM1 --port COM0", kCom, kExitUsage, "COM0"},
        {"read --port COM1 --usb", kCom, kExitUsage, "--usb"},
        {"read", kCom, kExitUsage, "--port or --usb"},
        {"apply p.json --port COM1 --jobs 0", kCom, kExitUsage, "--jobs"},
        {"apply p.json --port COM1 --port COM2 --watch", kCom, kExitUsage, "--watch"},
        {"apply p.json --port COM1 --key-env K --key-stdin", kCom, kExitUsage, "--key-"},
        {"apply p.json --port COM1 --allow-unlisted", kCom, kExitUsage, "--inventory"},
        // restore takes apply's ways of writing, but its profiles come from the folder alone.
        {"restore backups --port COM1 --port COM2 --check --backup b --jobs 1", kCom, -1,
         "restore COM1 3 0 0 0"},
        {"restore --port COM1", kCom, kExitUsage, "folder"},
        {"restore backups --port COM1 --inventory i.csv", kCom, kExitUsage, "--inventory"},
        {"restore backups --port COM1 --key-stdin", kCom, kExitUsage, "--key-stdin"},
        {"restore backups --port COM1 --port COM2 --watch", kCom, kExitUsage, "--watch"},
        {"restore backups --port COM1 --verify=5 --address 127.0.0.5", kCom, -1,
         "restore COM1 3 0 0 0"},
        {"apply p.json --port COM1 --address 127.0.0.5", kCom, kExitUsage, "needs --verify"},
        {"apply p.json --port COM1 --port COM2 --verify --address 127.0.0.5", kCom, kExitUsage,
         "--address is for one printer"},
        {"apply p.json --port COM1 --watch --verify --address 127.0.0.5", kCom, kExitUsage,
         "--address is for one printer"},
        {"apply p.json --port COM1 --verify --address 127.0.0.256", kCom, kExitUsage,
         "--address 127.0.0.256 is not an IPv4 address"},
        {"apply p.json --port COM1 --verify --address 127.0.0.09", kCom, kExitUsage,
         "--address 127.0.0.09 is not an IPv4 address"},
        {"apply p.json --port COM1 --verify --address 127.0.1", kCom, kExitUsage,
         "--address 127.0.1 is not an IPv4 address"},
        {"apply p.json --port COM1 --verify=0", kCom, kExitUsage, "--verify"},
        // ports lists what the system has, and takes ports it does not list as the others do.
        {"ports", kPaths, -1, "ports  3 0 0 0"},
        {"ports --identify --baud 9600 --port /dev/pts/3", kPaths, -1, "ports /dev/pts/3 0 0 0 0"},
        {"ports --port COM21", kCom, kExitUsage, "COM21"},
        {"ports --usb", kCom, kExitUsage, "--usb"},
    };
    for (const auto& c : cases) {
        CliCommand command;
        std::string message;
        ASSERT_EQ(Parse(c.line, &command, &message, c.naming), c.status)
            << c.line << ": " << message;
        if (c.status < 0) {
            EXPECT_EQ(Taken(command), c.expected) << c.line;
            continue;
        }
        EXPECT_NE(message.find(c.expected), std::string::npos) << c.line << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << c.line << ": " << message;
        EXPECT_EQ(message.rfind("zephra-cli: ", 0), 0u) << message;
    }
    // --verify waits 60 s unless given its own limit; without it, not at all.
    for (const auto& [line, seconds] : {std::pair{"apply p.json --port COM1", 0u},
                                        {"apply p.json --port COM1 --verify", 60u},
                                        {"apply p.json --port COM1 --verify=5", 5u}}) {
        CliCommand command;
        std::string message;
        ASSERT_EQ(Parse(line, &command, &message), -1) << message;
        EXPECT_EQ(command.fleet.verify, seconds) << line;
    }
    CliCommand command;
    std::string help;
    EXPECT_EQ(Parse("--help", &command, &help), kExitOk);
    EXPECT_NE(help.find("identify"), std::string::npos);
    EXPECT_EQ(Parse("identify --help", &command, &help), kExitOk);
    EXPECT_NE(help.find("--parity"), std::string::npos);
}

}  // namespace
