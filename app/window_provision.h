// What the window does to make a save safe: a backup before every save, the network check after
// one, and where it keeps its choices.
#pragma once

#include <functional>
#include <string>

#include "provision/printer_network.h"

// The operator's choices in "Backups and network check...".
struct ProvisionSettings {
    bool backups = true;
    std::string backupDir;  // "" for the per-user folder
    bool verify = false;    // off: on a workbench the PC is often not on the printer's network
    unsigned verifySeconds = 60;
};

// The network check's seconds the settings take.
constexpr unsigned kMinVerifySeconds = 1, kMaxVerifySeconds = 3600;

struct WindowProvision {
    ProvisionSettings settings;
    // The per-user folder, made at the first backup.
    std::string defaultBackupDir;
    NetworkProbes probes;
    // Keeps the settings the operator chose for the next run; none for a run that keeps nothing.
    std::function<void(const ProvisionSettings&)> store;
};
