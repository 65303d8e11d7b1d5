// apply on one printer: identified, read, compared with what it should hold, and written only
// when something differs.
#pragma once

#include <string>

#include "cli/apply_plan.h"
#include "cli/operator_io.h"
#include "cli/printer_report.h"
#include "cli/stop_switch.h"

PrinterReport ApplyToPrinter(const CApplyPlan& plan, const CliCommand& command,
                             const std::string& port, COperatorIo& io, CStopSwitch& stop);
