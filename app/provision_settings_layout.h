// Control ids and the description of "Backups and network check...": the window's backups before
// every save and its network check after one.
#pragma once

#include "ui/dialog_desc.h"

namespace provisionsettings {

enum Control {
    IDC_SET_BACKUPS = 1401,
    IDC_SET_FOLDER = 1402,
    IDC_SET_FOLDER_HINT = 1403,
    IDC_SET_VERIFY = 1404,
    IDC_SET_SECONDS = 1405,
};

const ui::DialogDesc& ProvisionSettingsDesc();

}  // namespace provisionsettings
