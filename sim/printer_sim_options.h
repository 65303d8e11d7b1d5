// printer-sim's command line: the options, their parsing and how they set up each family.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/sim_printer.h"

struct SimOptions {
    uint8_t model = '5';
    IdentifyMode mode = IdentifyMode::kNormal;
    unsigned delayMs = CSimPrinter::kDefaultDelayMs;
    std::string logPath, timedLogPath;
    // Presets and faults the families share.
    std::vector<std::string> sets, refuse, silent;
    bool split = false;
    // Current generation only.
    bool joinFails = false;
    // Wi-Fi module only.
    unsigned badVersions = 0;
    std::vector<std::string> ackAs;
    // Legacy only.
    std::string version, mac, storePath;
    std::vector<std::string> records, wrongLetters;
};

// Returns 0 to go on, -1 after --help or --version, or the exit status after saying what is wrong.
int ParseSimOptions(int argc, char** argv, SimOptions* options);

// Applies the family options to the protocol the model picked; false after saying what is wrong.
bool ConfigureFamily(const SimOptions& options, CSimPrinter* printer);
