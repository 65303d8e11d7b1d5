// Control ids and the description of the current-generation page (template 162).
#pragma once

#include <string>
#include <vector>

#include "ui/dialog_desc.h"

namespace page1 {

constexpr int IDD_PAGE1_NEW = 162;

enum Control {
    IDC_OPERATING_MODE = 1007,
    IDC_IP = 1015,
    IDC_AP_IP = 1016,
    IDC_AP_NETMASK = 1017,
    IDC_AP_GATEWAY = 1018,
    IDC_PRINTER_STATUS = 1027,
    IDC_WEP_SIZE = 1028,
    IDC_WPA_ENCRYPTION = 1031,
    IDC_WPA_CIPHER = 1032,
    IDC_SEC_WEP = 1041,
    IDC_SEC_WPA = 1042,
    IDC_KEY1 = 1045,
    IDC_KEY2 = 1046,
    IDC_KEY3 = 1047,
    IDC_KEY4 = 1048,
    IDC_KEY_FORMAT = 1053,
    IDC_NETMASK = 1072,
    IDC_GATEWAY = 1073,
    IDC_DNS = 1074,
    IDC_VERSION = 1075,
    IDC_MAC = 1076,
    IDC_SEC_NONE = 1082,
    IDC_KEY = 1086,
    IDC_DHCP = 1087,
    IDC_PORT = 1089,
    IDC_REGION = 1092,
    IDC_SSID = 1093,
    IDC_WLAN_MODE = 1107,
    IDC_READ = 1110,
    IDC_SAVE = 1111,
    IDC_CHANNEL = 1125,
    IDC_MANUAL_SETTING = 1128,
    IDC_FACTORY_RESET = 1140,
};

// Controls the page enables or checks together.
inline constexpr int kInfrastructureAddresses[] = {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS};
inline constexpr int kApAddresses[] = {IDC_AP_IP, IDC_AP_NETMASK, IDC_AP_GATEWAY};
inline constexpr int kKeyIndexes[] = {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4};
inline constexpr int kSecurityRadios[] = {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA};

// List indexes the page's logic depends on.
constexpr int kWlanModeAp = 0;
constexpr int kWlanModeInfrastructure = 1;
constexpr int kFormatAscii = 0;
constexpr int kFormatHex = 1;

// Region combo entries: a two-letter code, " - ", the country. The index is what the page keeps;
// the code is what the printer sends and takes.
const std::vector<std::string>& Regions();

const ui::DialogDesc& Page1Desc();

}  // namespace page1
