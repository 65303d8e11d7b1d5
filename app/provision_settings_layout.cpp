// Control ids and the description of "Backups and network check...".
#include "app/provision_settings_layout.h"

#include "ui/message.h"

using ui::Kind;

namespace provisionsettings {

const ui::DialogDesc& ProvisionSettingsDesc() {
    static const ui::DialogDesc desc{
        0,
        "Backups and network check",
        280,
        118,
        0,
        false,
        {
            {IDC_SET_BACKUPS,
             Kind::kAutoCheckBox,
             "Keep a backup of the printer's settings before every save",
             {7, 7, 266, 10},
             ui::kTabStop},
            {ui::kNoId, Kind::kStatic, "Folder:", {17, 24, 30, 9}},
            {IDC_SET_FOLDER, Kind::kEdit, "", {50, 22, 223, 12}, ui::kTabStop, {}, 260},
            {IDC_SET_FOLDER_HINT, Kind::kStatic, "", {50, 37, 223, 18}},
            {IDC_SET_VERIFY,
             Kind::kAutoCheckBox,
             "After a save, wait until the printer is seen on its network",
             {7, 60, 266, 10},
             ui::kTabStop},
            {ui::kNoId, Kind::kStatic, "Wait up to", {17, 77, 40, 9}},
            {IDC_SET_SECONDS, Kind::kEdit, "", {60, 75, 30, 12}, ui::kTabStop | ui::kNumber, {}, 4},
            {ui::kNoId, Kind::kStatic, "seconds", {94, 77, 40, 9}},
            {ui::kIdOk, Kind::kDefPushButton, "OK", {167, 97, 50, 14}, ui::kTabStop},
            {ui::kIdCancel, Kind::kPushButton, "Cancel", {223, 97, 50, 14}, ui::kTabStop},
        },
    };
    return desc;
}

}  // namespace provisionsettings
