// The about box (template 100).
#include "app/about_dlg.h"

#include "res/resource.h"
#include "zephra_version.h"

using ui::Kind;

namespace {

const ui::DialogDesc& AboutDialogDesc() {
    static const ui::DialogDesc desc{
        IDD_ABOUTBOX,
        "About Velmora_v7.3",
        170,
        62,
        0,
        false,
        {
            ui::IconControl({14, 14, 21, 20}, IDR_MAINFRAME),
            {ui::kNoId, Kind::kStatic, "Velmora", {42, 14, 114, 8}},
            {ui::kNoId, Kind::kStatic, "Version " ZEPHRA_VERSION, {42, 26, 114, 8}},
            {ui::kIdOk, Kind::kDefPushButton, "OK", {113, 41, 50, 14}, ui::kGroup | ui::kTabStop},
        },
    };
    return desc;
}

}  // namespace

CAboutDlg::CAboutDlg() : ui::CDialog(AboutDialogDesc()) {}
