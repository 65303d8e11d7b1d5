// apply on several ports at once: each port in a zephra-cli process of its own (a panel and its
// pages keep state for the whole process), its lines handed on whole as they come.
#pragma once

#include "cli/apply_plan.h"
#include "cli/operator_io.h"
#include "cli/result_output.h"
#include "cli/stop_switch.h"

void RunFleet(const CApplyPlan& plan, const CliCommand& command, COperatorIo& io,
              CResultOutput& output, CStopSwitch& stop);
