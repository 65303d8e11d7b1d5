// printer-sim's command line: the options, their parsing and how they set up each family.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_network.h"
#include "sim/sim_printer.h"

struct SimOptions {
    uint8_t model = '5';
    IdentifyMode mode = IdentifyMode::kNormal;
    unsigned delayMs = CSimPrinter::kDefaultDelayMs;
    std::string logPath, timedLogPath;
    // Presets and faults the families share.
    std::vector<std::string> sets, refuse, silent;
    bool split = false;
    // The network side: --network, and --join-delay and --dhcp-address, which need it.
    std::optional<SimNetworkConfig> network;
    std::optional<unsigned> joinDelayMs;
    std::string dhcpAddress;
    // Current generation only.
    bool joinFails = false;
    std::optional<std::vector<uint8_t>> queryEnd, readEnd;
    // Wi-Fi module only.
    unsigned badVersions = 0;
    std::vector<std::string> ackAs;
    std::optional<std::vector<uint8_t>> readTrailer;
    // Legacy only.
    std::string version, mac, storePath;
    std::vector<std::string> records, wrongLetters;
};

// Bytes as pairs of hex digits ("000D0A"); "" and "none" are no bytes.
bool ParseHexBytes(const std::string& text, std::vector<uint8_t>* bytes);

// Returns 0 to go on, -1 after --help or --version, or the exit status after saying what is wrong.
int ParseSimOptions(int argc, char** argv, SimOptions* options);

// Applies the family options to the protocol the model picked; false after saying what is wrong.
bool ConfigureFamily(const SimOptions& options, CSimPrinter* printer);
