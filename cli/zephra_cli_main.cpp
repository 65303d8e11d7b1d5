// zephra-cli: the utility's printer pages from the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_platform.h"
#include "cli/commands.h"

namespace {

int Run(const CliCommand& command, COperatorIo& io, CStopSwitch& stop) {
    switch (command.kind) {
        case CliCommand::Kind::kRead:
            return RunRead(command, io);
        case CliCommand::Kind::kApply:
        case CliCommand::Kind::kRestore:
            return RunApply(command, io, stop);
        case CliCommand::Kind::kPorts:
            return RunPorts(command, io, stop);
        case CliCommand::Kind::kIdentify:
        case CliCommand::Kind::kNone:
            break;
    }
    return RunIdentify(command, io);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = Utf8Arguments(argc, argv);
    std::vector<const char*> utf8Argv;
    for (const std::string& arg : args)
        utf8Argv.push_back(arg.c_str());
    CliCommand command;
    std::string message;
    const int parsed =
        ParseCli(static_cast<int>(utf8Argv.size()), utf8Argv.data(), &command, &message);
    if (parsed >= 0) {
        std::fputs((message + "\n").c_str(), parsed == kExitOk ? stdout : stderr);
        return parsed;
    }
    COperatorIo io(command);
    if (!io.Ok()) {
        std::fprintf(stderr, "zephra-cli: cannot open the trace file %s\n", command.trace.c_str());
        return kExitUsage;
    }
    CStopSwitch stop;
    WatchInterrupt([&stop](bool everyProcess) { stop.Trip(everyProcess); });
    FILE* results = SeparateResults();
    if (results == nullptr) {
        std::perror("zephra-cli");
        return kExitPrinterFault;
    }
    io.SetResults(results);
    const int status = Run(command, io, stop);
    std::fclose(results);
    return status;
}
