// Control ids and the description of the Wi-Fi module page (template 166).
#include "page_module/page3_layout.h"

#include "page_module/page3_regions.h"
#include "page_shared/page_layout_kit.h"

namespace page3 {

using pagekit::AddRow;
using pagekit::Button;
using pagekit::Column;
using pagekit::Field;
using pagekit::GroupBox;
using pagekit::kRowPitch;
using pagekit::Label;
using ui::Kind;
using ui::kNoId;

namespace {

template <size_t N>
std::vector<std::string> Texts(const RegionEntry (&entries)[N]) {
    std::vector<std::string> texts;
    for (const RegionEntry& entry : entries)
        texts.push_back(entry.text);
    return texts;
}

}  // namespace

const std::vector<std::string>& CountryRegions() {
    static const std::vector<std::string> regions = Texts(kCountryRegions);
    return regions;
}

const std::vector<std::string>& NumericRegions() {
    static const std::vector<std::string> regions = Texts(kNumericRegions);
    return regions;
}

namespace {

// The controls are appended in tab order, which is not always top to bottom.
std::vector<ui::ControlDesc> Controls() {
    std::vector<ui::ControlDesc> c;
    const uint32_t tab = ui::kTabStop;

    c.push_back(Button(IDC_READ, Kind::kPushButton, "Read WLAN Info", 318, 17, 100));
    c.push_back(Button(IDC_SAVE, Kind::kPushButton, "Save WLAN Info", 318, 35, 100));
    pagekit::AddInfoBlock(c,
                          {IDC_BOX_INFO, IDC_LABEL_STATUS, IDC_PRINTER_STATUS, IDC_LABEL_VERSION,
                           IDC_VERSION, IDC_LABEL_MAC, IDC_MAC},
                          {7, 7, 300, 60}, {15, 60, 220});

    const Column left{15, 50, 130};
    const Column right{215, 35, 160};
    const int basic = 84;
    c.push_back(GroupBox(IDC_BOX_BASIC, "WLAN Basic Setting", {7, 72, 413, 44}));
    AddRow(c, left, basic, IDC_LABEL_WLAN_MODE, "WLAN Mode", IDC_WLAN_MODE, Kind::kDropDownList,
           tab, pagekit::WlanModes());
    AddRow(c, left, basic + kRowPitch, IDC_LABEL_SSID, "SSID", IDC_SSID, Kind::kEdit);
    AddRow(c, {right.x, right.labelWidth, 50}, basic, IDC_LABEL_PORT, "Port", IDC_PORT,
           Kind::kEdit);
    // The numeric list (appended last) takes this list's place on modules that use it.
    const int regionY = basic + kRowPitch;
    AddRow(c, right, regionY, IDC_LABEL_REGION, "Region", IDC_REGION_COUNTRY, Kind::kDropDownList,
           tab, CountryRegions());

    const Column infra{15, 45, 100};
    const int addr = 133;
    c.push_back(GroupBox(IDC_BOX_INFRA, "Infrastructure Mode", {7, 121, 203, 86}));
    c.push_back(Button(IDC_DHCP, Kind::kAutoCheckBox, "DHCP", infra.x, addr, 60));
    AddRow(c, infra, addr + kRowPitch, IDC_LABEL_IP, "IP", IDC_IP, Kind::kIpAddress);
    AddRow(c, infra, addr + 2 * kRowPitch, IDC_LABEL_NETMASK, "NetMask", IDC_NETMASK,
           Kind::kIpAddress);
    AddRow(c, infra, addr + 3 * kRowPitch, IDC_LABEL_GATEWAY, "Gateway", IDC_GATEWAY,
           Kind::kIpAddress);
    AddRow(c, infra, addr + 4 * kRowPitch, IDC_LABEL_DNS, "DNS", IDC_DNS, Kind::kIpAddress);

    const Column ap{224, 45, 100};
    c.push_back(GroupBox(IDC_BOX_AP, "Access Point Mode", {216, 121, 204, 86}));
    c.push_back(Field(IDC_AP_IP, Kind::kIpAddress, ap.FieldX(), addr, ap.fieldWidth));

    const int sec = 224;
    c.push_back(GroupBox(IDC_BOX_SECURITY, "WLAN Security Setting", {7, 212, 413, 96}));
    // Writing the module's own address stays out of reach unless a build shows the box.
    c.push_back(Button(IDC_AP_IP_WRITE, Kind::kAutoCheckBox, "IP Address", ap.x,
                       addr + 2 * kRowPitch, 80, ui::kHidden | ui::kDisabled | tab));
    c.push_back(
        Label(IDC_AP_IP_FIXED, "IP Address : 192.168.10.1 (fixed)", ap.x, addr + kRowPitch, 185));
    c.push_back(Button(IDC_SEC_NONE, Kind::kAutoRadio, "None", 15, sec, 35, ui::kGroup | tab));
    c.push_back(Button(IDC_SEC_WEP, Kind::kAutoRadio, "WEP (Open/Shared)", 55, sec, 80));
    c.push_back(Button(IDC_SEC_WPA, Kind::kAutoRadio, "WPA-PSK", 140, sec, 50));
    c.push_back(Button(IDC_SEC_WPA2, Kind::kAutoRadio, "WPA2-PSK", 195, sec, 50));
    c.push_back(Button(IDC_SEC_WPA_WPA2, Kind::kAutoRadio, "WPA WPA2-PSK", 250, sec, 70));
    const Column key{15, 45, 80};
    const int keyRows = sec + 16;
    c.push_back(Field(IDC_WEP_TYPE, Kind::kDropDownList, key.FieldX(), keyRows, key.fieldWidth,
                      ui::kGroup | tab, pagekit::WepKeySizes()));
    c.push_back(Field(IDC_DATA_TYPE, Kind::kDropDownList, key.FieldX(), keyRows + kRowPitch,
                      key.fieldWidth, ui::kSorted | tab, {"ASCII", "HEX"}));
    c.push_back(Field(IDC_KEY, Kind::kEdit, key.FieldX(), keyRows + 2 * kRowPitch, 200));
    c.push_back(Label(IDC_LABEL_WEP_TYPE, "WEP Type", key.x, keyRows, key.labelWidth));
    c.push_back(
        Label(IDC_LABEL_DATA_TYPE, "Data Type", key.x, keyRows + kRowPitch, key.labelWidth));
    c.push_back(Label(IDC_LABEL_KEY, "Key", key.x, keyRows + 2 * kRowPitch, key.labelWidth));
    // The two help lines share one place: the page shows the one for the current data type.
    const ui::Rect help{15, keyRows + 3 * kRowPitch + 2, 397, 18};
    c.push_back(ui::ControlDesc(IDC_HELP_ASCII, Kind::kStatic,
                                "ASCII : WEP 64bit : 5 characters(fixed) / WEP 128bit : 13 "
                                "characters(fixed) / WPA-PSK, WPA2-PSK : 8 ~ 63 characters",
                                help));
    c.push_back(ui::ControlDesc(IDC_HELP_HEX, Kind::kStatic,
                                "HEX : WEP 64bit : 10bytes(fixed) / WEP 128bit : 26bytes(fixed) / "
                                "WPA-PSK, WPA2-PSK : 16 ~ 126 bytes",
                                help));

    c.push_back(Button(IDC_MDNS, Kind::kAutoCheckBox, "mDNS", ap.x, addr + 3 * kRowPitch, 60));
    AddRow(c, {ap.x, ap.labelWidth, 140}, addr + 4 * kRowPitch, kNoId, "Host Name", IDC_HOST_NAME,
           Kind::kEdit);
    c.push_back(Field(IDC_REGION_NUMERIC, Kind::kDropDownList, right.FieldX(), regionY,
                      right.fieldWidth, tab, NumericRegions()));
    c.push_back(Label(kNoId, "IP Address", ap.x, addr, ap.labelWidth));
    return c;
}

}  // namespace

const ui::DialogDesc& Page3Desc() {
    static const ui::DialogDesc desc{
        IDD_PAGE3_MARVUTO, pagekit::kPageTitle, 427, 342, 0, false, Controls(),
    };
    return desc;
}

}  // namespace page3
