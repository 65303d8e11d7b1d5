// zephra-cli's commands, each run against the utility's own panel and pages. Each returns its
// exit status, having given its results and errors to the operator as they came.
#pragma once

#include "cli/cli_options.h"
#include "cli/operator_io.h"
#include "cli/panel_session.h"
#include "cli/stop_switch.h"

// How a command says that the printer's line went away.
constexpr char kPortClosed[] = "the port closed";

int RunIdentify(const CliCommand& command, COperatorIo& io);
int RunRead(const CliCommand& command, COperatorIo& io);
// apply, and restore, which is apply with each printer's newest backup for its profile.
int RunApply(const CliCommand& command, COperatorIo& io, CStopSwitch& stop);
int RunPorts(const CliCommand& command, COperatorIo& io, CStopSwitch& stop);

// Opens the port and waits for the identification; kNone, with the exit status in *status and
// the reason in *why when given, when there is no printer page to go on with.
CPanelSession::Family Connect(CPanelSession& session, const LinkChoice& link, COperatorIo& io,
                              int* status, std::string* why = nullptr);
