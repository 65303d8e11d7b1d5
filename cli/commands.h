// zephra-cli's commands, each run against the utility's own panel and pages.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/operator_io.h"
#include "cli/panel_session.h"
#include "cli/stop_switch.h"

struct CommandOutcome {
    int status = kExitOk;
    std::vector<std::string> results;  // lines for standard output
    std::vector<std::string> errors;   // lines for standard error
};

CommandOutcome RunIdentify(const CliCommand& command, COperatorIo& io);
CommandOutcome RunRead(const CliCommand& command, COperatorIo& io);
CommandOutcome RunApply(const CliCommand& command, COperatorIo& io, CStopSwitch& stop);

// Opens the port and waits for the identification; kNone, with the status and reason in
// *outcome, when there is no printer page to go on with.
CPanelSession::Family Connect(CPanelSession& session, const LinkChoice& link,
                              CommandOutcome* outcome);
