// The options Zephra.exe takes on its command line.
#pragma once

#include <string>
#include <vector>

#include "app/window_provision.h"

struct CommandLine {
    std::string traceFile;   // --trace FILE: the protocol trace is appended to it as it happens
    bool traceKeys = false;  // --trace-keys: keys show in the trace instead of "**"
    // For tests and scripted set-ups, in place of what "Backups and network check..." keeps:
    std::string backupDir;  // --backup-dir DIR
    bool noBackup = false;  // --no-backup
    int verify = -1;        // --verify[=SECONDS]: the network check's seconds; -1 unset
    std::string error;      // why an option's value cannot be taken; "" for none
};

// args without the program name. Options it does not know are left alone.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The settings as the command line changes them.
ProvisionSettings WithCommandLine(ProvisionSettings settings, const CommandLine& options);
