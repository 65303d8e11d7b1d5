// apply --watch: a bench where printers are plugged into one port one after another. Each
// printer that answers is brought to the profile once; the next is taken when it has gone.
#pragma once

#include "cli/apply_plan.h"
#include "cli/operator_io.h"
#include "cli/result_output.h"
#include "cli/stop_switch.h"

// Serves command's one port until Ctrl-C; with --usb, each USB printer as it is plugged in, where
// the system tells of that.
void WatchStation(const CApplyPlan& plan, const CliCommand& command, COperatorIo& io,
                  CResultOutput& output, CStopSwitch& stop);
