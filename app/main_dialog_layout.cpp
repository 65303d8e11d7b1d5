// Control ids and the description of the connection panel (template 102).
#include "app/main_dialog_layout.h"

#include <string>
#include <vector>

#include "res/resource.h"

using ui::Kind;

namespace {

std::vector<std::string> PortNames() {
    std::vector<std::string> names;
    for (int i = 1; i <= 20; ++i)
        names.push_back("COM" + std::to_string(i));
    return names;
}

}  // namespace

const ui::DialogDesc& MainDialogDesc() {
    static const ui::DialogDesc desc{
        IDD_ZEPHRA_DIALOG,
        "Velmora_v7.3",
        518,
        92,
        IDR_MENU_MAIN,
        false,
        {
            {ui::kNoId, Kind::kGroupBox, "Communication Setting", {7, 0, 504, 85}},
            {IDC_LABEL_PORT, Kind::kStatic, "Port", {13, 35, 37, 9}},
            {IDC_LABEL_BAUD, Kind::kStatic, "Baud Rate", {71, 35, 46, 9}},
            {IDC_LABEL_PARITY, Kind::kStatic, "Parity", {131, 35, 44, 9}},
            {IDC_LABEL_DATABIT, Kind::kStatic, "Data Bit", {189, 35, 46, 9}},
            {IDC_LABEL_STOPBIT, Kind::kStatic, "Stop Bit", {248, 35, 43, 9}},
            {IDC_COMBO_PORT, Kind::kDropDownList, "", {12, 45, 48, 96}, ui::kTabStop, PortNames()},
            {IDC_COMBO_BAUD,
             Kind::kDropDownList,
             "",
             {71, 45, 48, 97},
             ui::kTabStop,
             {"9600", "19200", "38400", "57600", "115200"}},
            {IDC_COMBO_PARITY,
             Kind::kDropDownList,
             "",
             {130, 45, 48, 89},
             ui::kTabStop,
             {"None", "Odd", "Even"}},
            {IDC_COMBO_DATABIT, Kind::kDropDownList, "", {189, 45, 48, 94}, ui::kTabStop, {"8"}},
            {IDC_COMBO_STOPBIT,
             Kind::kDropDownList,
             "",
             {248, 45, 48, 104},
             ui::kTabStop,
             {"1", "2"}},
            {IDC_OPEN, Kind::kPushButton, "Open", {302, 35, 96, 37}, ui::kTabStop},
            {IDC_CLOSE, Kind::kPushButton, "Close", {405, 35, 96, 37}, ui::kTabStop},
            {ui::kNoId, Kind::kStatic, "Status : ", {11, 66, 33, 9}},
            {IDC_STATUS, Kind::kStatic, "Static", {44, 66, 194, 10}},
            {IDC_SERIAL, Kind::kAutoRadio, "Serial", {15, 16, 33, 10}, ui::kGroup | ui::kTabStop},
            {IDC_USB, Kind::kAutoRadio, "USB", {68, 16, 29, 10}},
        },
    };
    return desc;
}
