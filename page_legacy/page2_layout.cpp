// Control ids and the description of the legacy page (template 163).
#include "page_legacy/page2_layout.h"

#include <string>
#include <vector>

#include "page_shared/page_layout_kit.h"

namespace page2 {

using pagekit::AddRow;
using pagekit::Button;
using pagekit::Column;
using pagekit::Field;
using pagekit::GroupBox;
using pagekit::kRowPitch;
using ui::Kind;

namespace {

std::vector<std::string> Channels() {
    std::vector<std::string> channels;
    for (int i = 1; i <= 11; ++i)
        channels.push_back(std::to_string(i));
    return channels;
}

std::vector<ui::ControlDesc> Controls() {
    std::vector<ui::ControlDesc> c;
    const uint32_t tab = ui::kTabStop;
    // Each key button is a group of its own: the page checks and unchecks the key buttons itself.
    const uint32_t groupStart = ui::kGroup | ui::kTabStop;

    pagekit::AddInfoBlock(c,
                          {IDC_BOX_INFO, IDC_LABEL_STATUS, IDC_STATUS, IDC_LABEL_VERSION,
                           IDC_VERSION, IDC_LABEL_MAC, IDC_MAC},
                          {7, 7, 300, 60}, {15, 60, 220});
    c.push_back(Button(IDC_READ, Kind::kPushButton, "Read WLAN Info", 315, 17, 105));
    c.push_back(Button(IDC_SAVE, Kind::kPushButton, "Save WLAN Info", 315, 35, 105));

    // Basic setting: addressing on the left, the wireless link on the right.
    const Column address{21, 40, 100};
    const Column wireless{227, 55, 125};
    const int basic = 92;
    c.push_back(GroupBox(IDC_BOX_BASIC, "WLAN Basic Setting", {7, 72, 413, 113}));
    c.push_back(GroupBox(IDC_BOX_ADDRESS, "", {13, 82, 200, 97}));
    c.push_back(Button(IDC_DHCP, Kind::kAutoCheckBox, "DHCP", address.x, basic, 60));
    c.push_back(Button(IDC_DNS_AUTO, Kind::kAutoCheckBox, "Obtain DNS server address automatically",
                       address.x, basic + kRowPitch, 180));
    AddRow(c, address, basic + 2 * kRowPitch, IDC_LABEL_IP, "IP", IDC_IP, Kind::kIpAddress);
    AddRow(c, address, basic + 3 * kRowPitch, IDC_LABEL_NETMASK, "NetMask", IDC_NETMASK,
           Kind::kIpAddress);
    AddRow(c, address, basic + 4 * kRowPitch, IDC_LABEL_GATEWAY, "Gateway", IDC_GATEWAY,
           Kind::kIpAddress);
    AddRow(c, address, basic + 5 * kRowPitch, IDC_LABEL_DNS, "DNS", IDC_DNS, Kind::kIpAddress);
    c.push_back(GroupBox(IDC_BOX_WIRELESS, "", {219, 82, 195, 97}));
    AddRow(c, wireless, basic, IDC_LABEL_WLAN_MODE, "WLAN Mode", IDC_WLAN_MODE, Kind::kDropDownList,
           tab, {"AD-Hoc", "Infrastructure"});
    AddRow(c, {wireless.x, wireless.labelWidth, 50}, basic + kRowPitch, IDC_LABEL_PORT, "Port",
           IDC_PORT, Kind::kEdit);
    AddRow(c, {wireless.x, wireless.labelWidth, 50}, basic + 2 * kRowPitch, IDC_LABEL_CHANNEL,
           "Channel", IDC_CHANNEL, Kind::kDropDownList, tab, Channels());
    AddRow(c, wireless, basic + 3 * kRowPitch, IDC_LABEL_SSID, "SSID", IDC_SSID, Kind::kEdit);
    AddRow(c, {wireless.x, wireless.labelWidth, 82}, basic + 4 * kRowPitch, IDC_LABEL_USER_CLASS_ID,
           "User Class ID", IDC_USER_CLASS_ID, Kind::kEdit);
    c.push_back(Button(IDC_USER_CLASS_DEFAULT, Kind::kPushButton, "Default", 368,
                       basic + 4 * kRowPitch - 1, 40));

    // TCP/IP: the peer on the left, the rest on the right.
    const Column peer{15, 60, 100};
    const Column link{219, 70, 125};
    const int tcp = 202;
    c.push_back(GroupBox(IDC_BOX_TCPIP, "TCP/IP", {7, 190, 413, 58}));
    AddRow(c, peer, tcp, IDC_LABEL_PEER_IP, "Peer IP Address", IDC_PEER_IP, Kind::kIpAddress);
    AddRow(c, {peer.x, peer.labelWidth, 50}, tcp + kRowPitch, IDC_LABEL_PEER_PORT, "Peer Port",
           IDC_PEER_PORT, Kind::kEdit);
    AddRow(c, {peer.x, peer.labelWidth, 60}, tcp + 2 * kRowPitch, IDC_LABEL_MUX_TYPE, "Mux Type",
           IDC_MUX_TYPE, Kind::kDropDownList, tab, {"T2S", "ATC", "COD", "U2S"});
    AddRow(c, link, tcp, IDC_LABEL_PEER_DOMAIN, "Peer Domain Name", IDC_PEER_DOMAIN, Kind::kEdit);
    c.push_back(Button(IDC_COD_LISTEN, Kind::kAutoCheckBox, "COD Listen", link.FieldX(),
                       tcp + kRowPitch, 60));
    AddRow(c, {link.x, link.labelWidth, 50}, tcp + 2 * kRowPitch, IDC_LABEL_WATER_MARK,
           "Water Mark", IDC_WATER_MARK, Kind::kEdit);

    // Security: the choice and authentication on top, WEP keys and WPA below side by side.
    const int sec = 265;
    c.push_back(GroupBox(IDC_BOX_SECURITY, "WLAN Security Setting", {7, 253, 413, 120}));
    c.push_back(pagekit::Label(IDC_LABEL_ENCRYPTION, "Encryption", 15, sec, 40));
    c.push_back(Button(IDC_SEC_NONE, Kind::kAutoRadio, "None", 60, sec, 35, groupStart));
    c.push_back(Button(IDC_SEC_WEP, Kind::kAutoRadio, "WEP", 100, sec, 35));
    c.push_back(Button(IDC_SEC_WPA, Kind::kAutoRadio, "WPA", 140, sec, 35));
    AddRow(c, {227, 55, 90}, sec, IDC_LABEL_AUTHENTICATION, "Authentication", IDC_AUTHENTICATION,
           Kind::kDropDownList, groupStart, {"None", "Open system", "Shared key", "Mixed mode"});

    const int keys = 293;
    c.push_back(GroupBox(IDC_BOX_WEP, "WEP", {13, 281, 230, 86}));
    AddRow(c, {21, 40, 80}, keys, IDC_LABEL_WEP_SIZE, "WEP Key", IDC_WEP_SIZE, Kind::kDropDownList,
           groupStart, pagekit::WepKeySizes());
    for (int i = 0; i < 4; ++i) {
        const int y = keys + (i + 1) * kRowPitch;
        c.push_back(Button(IDC_KEY1 + i, Kind::kAutoRadio, "Key" + std::to_string(i + 1), 21, y, 34,
                           groupStart));
        c.push_back(Field(IDC_KEY1_TEXT + i, Kind::kEdit, 57, y, 114));
        c.push_back(
            Field(IDC_KEY1_FORMAT + i, Kind::kDropDownList, 175, y, 60, tab, {"Hex", "ASCII"}));
    }

    const Column wpa{257, 40, 110};
    c.push_back(GroupBox(IDC_BOX_WPA, "WPA", {249, 281, 165, 86}));
    AddRow(c, wpa, keys, IDC_LABEL_WPA_ENCRYPTION, "Encryption", IDC_WPA_ENCRYPTION,
           Kind::kDropDownList, groupStart, pagekit::WpaEncryptions());
    AddRow(c, wpa, keys + kRowPitch, IDC_LABEL_WPA_CIPHER, "Cipher", IDC_WPA_CIPHER,
           Kind::kDropDownList, tab, pagekit::WpaCiphers());
    AddRow(c, wpa, keys + 2 * kRowPitch, IDC_LABEL_WPA_KEY, "Key", IDC_WPA_KEY, Kind::kEdit);
    return c;
}

}  // namespace

const ui::DialogDesc& Page2Desc() {
    static const ui::DialogDesc desc{
        IDD_PAGE2_OLD, pagekit::kPageTitle, 427, 411, 0, false, Controls(),
    };
    return desc;
}

}  // namespace page2
