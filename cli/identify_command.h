// zephra-cli identify: opens the port as the panel does and says which printer answered.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"

struct CommandOutcome {
    int status = kExitOk;
    std::string result;               // for standard output
    std::vector<std::string> errors;  // lines for standard error
};

CommandOutcome RunIdentify(const LinkChoice& link);
