// apply on several ports at once, each in a zephra-cli process of its own.
#include "cli/fleet_run.h"

#include "cli/child_processes.h"
#include "cli/commands.h"

namespace {

// The command line that applies the plan to one port and says how as JSON lines. The key goes
// on standard input, never in the arguments.
std::vector<std::string> PortArguments(const CApplyPlan& plan, const CliCommand& command,
                                       const std::string& port) {
    const FleetOptions& fleet = command.fleet;
    const bool restore = command.kind == CliCommand::Kind::kRestore;
    std::vector<std::string> args{restore ? "restore" : "apply",
                                  restore ? command.restoreDir : command.profile, "--port", port,
                                  "--json"};
    for (const std::string& arg : LinkArguments(command.link))
        args.push_back(arg);
    const struct {
        bool given;
        std::vector<std::string> args;
    } options[] = {
        {!fleet.inventory.empty(), {"--inventory", fleet.inventory, "--one-of-fleet"}},
        {fleet.allowUnlisted, {"--allow-unlisted"}},
        {fleet.check, {"--check"}},
        {fleet.force, {"--force"}},
        {fleet.strict, {"--strict"}},
        {!fleet.backup.empty(), {"--backup", fleet.backup}},
        {fleet.verify > 0, {"--verify=" + std::to_string(fleet.verify)}},
        {!command.trace.empty(), {"--trace", command.trace}},
        {command.yes, {"--yes"}},
        {plan.HasKey(), {"--key-stdin"}},
    };
    for (const auto& option : options) {
        if (option.given)
            args.insert(args.end(), option.args.begin(), option.args.end());
    }
    return args;
}

}  // namespace

void RunFleet(const CApplyPlan& plan, const CliCommand& command, COperatorIo& io,
              CResultOutput& output, CStopSwitch& stop) {
    const std::vector<std::string>& ports = command.ports;
    std::vector<ChildRun> runs;
    for (const std::string& port : ports)
        runs.push_back({ThisProgram(), PortArguments(plan, command, port), plan.Key()});
    std::vector<bool> reported(ports.size(), false);
    CChildProcesses children;
    stop.OnTrip([&children] { children.Stop(); });
    const unsigned jobs =
        command.fleet.jobs > 0 ? command.fleet.jobs : static_cast<unsigned>(ports.size());
    const std::vector<int> statuses =
        children.Run(runs, jobs, [&](size_t i, ChildStream stream, const std::string& line) {
            PrinterReport report;
            const nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
            if (stream == ChildStream::kOut && object.contains("summary"))
                return;
            if (stream == ChildStream::kOut && ReportFromJson(object, &report)) {
                report.port = ports[i];
                output.Printer(report);
                reported[i] = true;
            } else {
                io.Error(ports[i] + ": " + line);
            }
        });
    stop.OnTrip(nullptr);
    for (size_t i = 0; i < ports.size(); ++i) {
        if (reported[i])
            continue;
        PrinterReport report;
        report.port = ports[i];
        if (statuses[i] < 0) {
            report.result = "stopped";
            report.message = "not started";
        } else {
            report.message = "ended with status " + std::to_string(statuses[i]) + " and no result";
        }
        output.Printer(report);
    }
}
