// Control ids and the description of the connection panel (template 102).
#pragma once

#include "ui/dialog_desc.h"

enum MainDialogControl {
    IDC_STATUS = 1006,
    IDC_CLOSE = 1124,
    IDC_LABEL_PORT = 1135,
    IDC_OPEN = 1143,
    IDC_LABEL_BAUD = 1148,
    IDC_LABEL_DATABIT = 1149,
    IDC_LABEL_STOPBIT = 1150,
    IDC_LABEL_PARITY = 1151,
    IDC_COMBO_STOPBIT = 1152,
    IDC_COMBO_DATABIT = 1153,
    IDC_COMBO_PARITY = 1154,
    IDC_COMBO_BAUD = 1155,
    IDC_COMBO_PORT = 1156,
    IDC_SERIAL = 1159,
    IDC_USB = 1160,
};

const ui::DialogDesc& MainDialogDesc();
