// Control ids and the description of "Find printer...": every port of the PC and which printer
// answers on it.
#pragma once

#include "ui/dialog_desc.h"

namespace findprinter {

enum Control {
    IDC_FIND_PORTS = 1201,
    IDC_FIND_STATUS = 1202,
    IDC_FIND_USE = 1203,
    IDC_FIND_AGAIN = 1204,
};

const ui::DialogDesc& FindPrinterDesc();

}  // namespace findprinter
