// Control ids and the description of "Find printer...": every port of the PC and which printer
// answers on it.
#include "app/find_printer_layout.h"

#include "ui/message.h"

using ui::Kind;

namespace findprinter {

const ui::DialogDesc& FindPrinterDesc() {
    static const ui::DialogDesc desc{
        0,
        "Find printer",
        360,
        196,
        0,
        false,
        {
            ui::ListViewControl(IDC_FIND_PORTS, {7, 7, 346, 130}, {"Port", "Device", "Printer"},
                                {52, 150, 136}),
            {ui::kNoId,
             Kind::kStatic,
             "A Wi-Fi module that does not identify itself gives no answer too: Open shows its "
             "page after a second.",
             {7, 141, 346, 18}},
            {IDC_FIND_STATUS, Kind::kStatic, "", {7, 162, 346, 9}},
            {IDC_FIND_USE, Kind::kDefPushButton, "Use", {178, 176, 56, 14}, ui::kTabStop},
            {IDC_FIND_AGAIN, Kind::kPushButton, "Search again", {238, 176, 56, 14}, ui::kTabStop},
            {ui::kIdCancel, Kind::kPushButton, "Cancel", {298, 176, 55, 14}, ui::kTabStop},
        },
    };
    return desc;
}

}  // namespace findprinter
