// Control ids and the description of "Network check".
#include "app/network_check_layout.h"

#include "ui/message.h"

using ui::Kind;

namespace netcheck {

const ui::DialogDesc& NetworkCheckDesc() {
    static const ui::DialogDesc desc{
        0,
        "Network check",
        280,
        100,
        0,
        false,
        {
            {IDC_NET_PROGRESS, Kind::kStatic, "", {7, 7, 266, 9}},
            {IDC_NET_RESULT, Kind::kStatic, "", {7, 20, 266, 36}},
            // A DHCP printer's address, where the operator knows it from the network's server.
            {IDC_NET_ADDRESS_LABEL, Kind::kStatic, "Its address:", {7, 63, 46, 9}, ui::kHidden},
            {IDC_NET_ADDRESS,
             Kind::kEdit,
             "",
             {56, 61, 80, 12},
             ui::kHidden | ui::kTabStop,
             {},
             15},
            {IDC_NET_CHECK,
             Kind::kPushButton,
             "Check",
             {140, 60, 50, 14},
             ui::kHidden | ui::kTabStop},
            {ui::kIdCancel, Kind::kPushButton, "Cancel", {223, 79, 50, 14}, ui::kTabStop},
        },
    };
    return desc;
}

}  // namespace netcheck
