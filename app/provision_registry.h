// Where Zephra.exe keeps the operator's "Backups and network check..." choices: per user, in the
// registry under HKEY_CURRENT_USER\Software\Zephra.
#pragma once

#include <string>

#include "app/window_provision.h"

// What is kept, or the defaults where nothing is; reading writes nothing.
ProvisionSettings LoadProvisionSettings();
void StoreProvisionSettings(const ProvisionSettings& settings);
// %LOCALAPPDATA%\Zephra\Backups; not made here.
std::string DefaultBackupDir();
