// Control ids and the description of "Network check": the wait for the printer on its network
// after a save, and what it found.
#pragma once

#include "ui/dialog_desc.h"

namespace netcheck {

enum Control {
    IDC_NET_PROGRESS = 1301,
    IDC_NET_RESULT = 1302,
    IDC_NET_ADDRESS_LABEL = 1303,
    IDC_NET_ADDRESS = 1304,
    IDC_NET_CHECK = 1305,
};

const ui::DialogDesc& NetworkCheckDesc();

}  // namespace netcheck
