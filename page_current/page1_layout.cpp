// Control ids and the description of the current-generation page (template 162).
#include "page_current/page1_layout.h"

#include "page_current/page1_regions.h"
#include "page_shared/page_layout_kit.h"

namespace page1 {

using pagekit::AddRow;
using pagekit::Button;
using pagekit::Column;
using pagekit::Field;
using pagekit::GroupBox;
using pagekit::kRowPitch;
using ui::Kind;
using ui::kNoId;

const std::vector<std::string>& Regions() {
    static const std::vector<std::string> regions = [] {
        std::vector<std::string> texts;
        for (const Region& region : RegionTable())
            texts.push_back(std::string(region.code) + " - " + region.country);
        return texts;
    }();
    return regions;
}

namespace {

std::vector<ui::ControlDesc> Controls() {
    std::vector<ui::ControlDesc> c;
    const uint32_t tab = ui::kTabStop;
    // Shipped builds keep factory reset and manual security out of the operator's reach.
    const uint32_t concealed = ui::kHidden | ui::kDisabled | ui::kTabStop;

    // Information, with the page buttons on its right.
    pagekit::AddInfoBlock(c, {kNoId, kNoId, IDC_PRINTER_STATUS, kNoId, IDC_VERSION, kNoId, IDC_MAC},
                          {7, 7, 412, 60}, {15, 60, 210});
    c.push_back(Button(IDC_READ, Kind::kPushButton, "Read WLAN Info", 300, 17, 110));
    c.push_back(Button(IDC_SAVE, Kind::kPushButton, "Save WLAN Info", 300, 33, 110));
    c.push_back(
        Button(IDC_FACTORY_RESET, Kind::kPushButton, "Factory reset", 300, 49, 110, concealed));

    // Basic setting: radio side on the left, network identity on the right.
    const Column left{15, 55, 120};
    const Column right{205, 35, 170};
    const int basic = 84;
    c.push_back(GroupBox(kNoId, "WLAN Basic Setting", {7, 72, 412, 72}));
    AddRow(c, left, basic, kNoId, "WLAN Mode", IDC_WLAN_MODE, Kind::kDropDownList, tab,
           pagekit::WlanModes());
    c.push_back(Button(IDC_MANUAL_SETTING, Kind::kAutoCheckBox, "manual setting", left.FieldX(),
                       basic + kRowPitch, 80, concealed));
    AddRow(c, left, basic + 2 * kRowPitch, kNoId, "Operating Mode", IDC_OPERATING_MODE,
           Kind::kDropDownList, tab, {"2.4Ghz", "5Ghz", "Auto"});
    // Filled at run time from the region and the band.
    AddRow(c, left, basic + 3 * kRowPitch, kNoId, "Channel", IDC_CHANNEL, Kind::kDropDownList);
    AddRow(c, right, basic, kNoId, "SSID", IDC_SSID, Kind::kEdit);
    AddRow(c, {right.x, right.labelWidth, 110}, basic + kRowPitch, kNoId, "Key", IDC_KEY,
           Kind::kEdit);
    c.push_back(Field(IDC_KEY_FORMAT, Kind::kDropDownList, right.FieldX() + 114, basic + kRowPitch,
                      56, tab, {"ASCII", "Hex"}));
    AddRow(c, {right.x, right.labelWidth, 50}, basic + 2 * kRowPitch, kNoId, "Port", IDC_PORT,
           Kind::kEdit);
    AddRow(c, right, basic + 3 * kRowPitch, kNoId, "Region", IDC_REGION, Kind::kDropDownList, tab,
           Regions());

    // Addressing of the two WLAN modes, side by side.
    const Column infra{15, 45, 100};
    const Column ap{224, 45, 100};
    const int addr = 162;
    c.push_back(GroupBox(kNoId, "Infrastructure Mode", {7, 150, 203, 86}));
    c.push_back(Button(IDC_DHCP, Kind::kAutoCheckBox, "DHCP", infra.x, addr, 60));
    AddRow(c, infra, addr + kRowPitch, kNoId, "IP", IDC_IP, Kind::kIpAddress);
    AddRow(c, infra, addr + 2 * kRowPitch, kNoId, "NetMask", IDC_NETMASK, Kind::kIpAddress);
    AddRow(c, infra, addr + 3 * kRowPitch, kNoId, "Gateway", IDC_GATEWAY, Kind::kIpAddress);
    AddRow(c, infra, addr + 4 * kRowPitch, kNoId, "DNS", IDC_DNS, Kind::kIpAddress);
    c.push_back(GroupBox(kNoId, "Access Point Mode", {216, 150, 203, 86}));
    AddRow(c, ap, addr, kNoId, "IP", IDC_AP_IP, Kind::kIpAddress);
    AddRow(c, ap, addr + kRowPitch, kNoId, "NetMask", IDC_AP_NETMASK, Kind::kIpAddress);
    AddRow(c, ap, addr + 2 * kRowPitch, kNoId, "Gateway", IDC_AP_GATEWAY, Kind::kIpAddress);

    // Security: the choice in a row, then the WEP and WPA details side by side. The key index
    // buttons form a group of their own, so choosing a key leaves the security choice alone.
    const int sec = 256;
    c.push_back(GroupBox(kNoId, "WLAN Security Setting", {7, 242, 412, 83}));
    c.push_back(Button(IDC_SEC_NONE, Kind::kAutoRadio, "None", 20, sec, 50, ui::kGroup | tab));
    c.push_back(Button(IDC_SEC_WEP, Kind::kAutoRadio, "WEP", 80, sec, 50));
    c.push_back(Button(IDC_SEC_WPA, Kind::kAutoRadio, "WPA", 140, sec, 50));
    const int details = 284;
    c.push_back(GroupBox(kNoId, "WEP", {15, 272, 196, 46}));
    AddRow(c, {23, 35, 80}, details, kNoId, "WEP key", IDC_WEP_SIZE, Kind::kDropDownList,
           ui::kGroup | tab, pagekit::WepKeySizes());
    const int keyIds[] = {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4};
    for (int i = 0; i < 4; ++i) {
        const uint32_t style = i == 0 ? ui::kGroup | tab : ui::kNone;
        c.push_back(Button(keyIds[i], Kind::kAutoRadio, "Key" + std::to_string(i + 1), 23 + 44 * i,
                           details + 16, 38, style));
    }
    const Column wpa{226, 45, 90};
    c.push_back(GroupBox(kNoId, "WPA", {218, 272, 193, 46}));
    AddRow(c, wpa, details, kNoId, "Encryption", IDC_WPA_ENCRYPTION, Kind::kDropDownList,
           ui::kGroup | tab, pagekit::WpaEncryptions());
    AddRow(c, wpa, details + kRowPitch, kNoId, "Cipher", IDC_WPA_CIPHER, Kind::kDropDownList, tab,
           pagekit::WpaCiphers());
    return c;
}

}  // namespace

const ui::DialogDesc& Page1Desc() {
    static const ui::DialogDesc desc{
        IDD_PAGE1_NEW, pagekit::kPageTitle, 426, 391, 0, false, Controls(),
    };
    return desc;
}

}  // namespace page1
