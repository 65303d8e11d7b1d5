// Which printer answers on each of several serial ports, all asked at once.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/stop_switch.h"

struct PortIdentity {
    std::string family;   // "current", "legacy" or "module"; "" when none answered
    std::string model;    // the model character the printer named
    std::string message;  // why there is no family: "no answer", or what stood in the way
};

// Identifies the printer on each port as the panel's Open does, every port at once on a link of
// its own, at the link's settings. The identification request is all that is sent. A trip of
// stop ends the search, and the ports not answered yet say "stopped".
std::vector<PortIdentity> IdentifyPorts(const std::vector<std::string>& ports,
                                        const LinkChoice& link, CStopSwitch& stop);
