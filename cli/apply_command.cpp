// zephra-cli apply: brings each printer to a profile, with its own inventory row, and says what
// became of each.
#include "cli/apply_printer.h"
#include "cli/commands.h"
#include "cli/fleet_run.h"
#include "cli/result_output.h"
#include "cli/station_watch.h"

int RunApply(const CliCommand& command, COperatorIo& io, CStopSwitch& stop) {
    CApplyPlan plan;
    std::string refusal = plan.Prepare(command);
    CResultOutput output(command, io, plan.ProfileDigest());
    if (refusal.empty())
        refusal = output.OpenLog();
    if (!refusal.empty()) {
        io.Error("zephra-cli: " + refusal);
        return kExitUsage;
    }
    if (command.fleet.watch)
        WatchStation(plan, command, io, output, stop);
    else if (command.ports.size() > 1)
        RunFleet(plan, command, io, output, stop);
    else
        output.Printer(ApplyToPrinter(plan, command, command.ports.front(), io, stop));
    return output.Finish();
}
