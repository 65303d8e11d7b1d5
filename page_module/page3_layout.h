// Control ids and the description of the Wi-Fi module page (template 166).
#pragma once

#include <string>
#include <vector>

#include "ui/dialog_desc.h"

namespace page3 {

constexpr int IDD_PAGE3_MARVUTO = 166;

enum Control {
    IDC_IP = 1015,
    IDC_AP_IP = 1016,
    IDC_PRINTER_STATUS = 1027,
    IDC_NETMASK = 1072,
    IDC_GATEWAY = 1073,
    IDC_DNS = 1074,
    IDC_VERSION = 1075,
    IDC_MAC = 1076,
    IDC_MDNS = 1078,
    IDC_SEC_NONE = 1082,
    IDC_SEC_WEP = 1083,
    IDC_SEC_WPA = 1084,
    IDC_KEY = 1086,
    IDC_DHCP = 1087,
    IDC_PORT = 1089,
    IDC_REGION_COUNTRY = 1092,
    IDC_SSID = 1093,
    IDC_REGION_NUMERIC = 1094,
    IDC_HOST_NAME = 1103,
    IDC_SEC_WPA2 = 1105,
    IDC_SEC_WPA_WPA2 = 1106,
    IDC_WLAN_MODE = 1107,
    IDC_WEP_TYPE = 1108,
    IDC_READ = 1110,
    IDC_SAVE = 1111,
    IDC_LABEL_WLAN_MODE = 1112,
    IDC_DATA_TYPE = 1117,
    IDC_AP_IP_WRITE = 1119,
    IDC_HELP_ASCII = 1122,
    IDC_HELP_HEX = 1123,
    IDC_AP_IP_FIXED = 1124,
    IDC_BOX_BASIC = 1238,
    IDC_BOX_INFRA = 1239,
    IDC_BOX_AP = 1240,
    IDC_BOX_SECURITY = 1241,
    IDC_BOX_INFO = 1242,
    IDC_LABEL_STATUS = 1243,
    IDC_LABEL_VERSION = 1244,
    IDC_LABEL_MAC = 1245,
    IDC_LABEL_SSID = 1246,
    IDC_LABEL_PORT = 1247,
    IDC_LABEL_REGION = 1248,
    IDC_LABEL_IP = 1249,
    IDC_LABEL_NETMASK = 1250,
    IDC_LABEL_GATEWAY = 1251,
    IDC_LABEL_DNS = 1252,
    IDC_LABEL_WEP_TYPE = 1254,
    IDC_LABEL_DATA_TYPE = 1255,
    IDC_LABEL_KEY = 1256,
};

// Controls the page enables or checks together.
inline constexpr int kAllSettings[] = {
    IDC_WLAN_MODE, IDC_PORT,      IDC_SSID,    IDC_REGION_COUNTRY, IDC_REGION_NUMERIC,
    IDC_DHCP,      IDC_IP,        IDC_NETMASK, IDC_GATEWAY,        IDC_DNS,
    IDC_MDNS,      IDC_HOST_NAME, IDC_AP_IP,   IDC_AP_IP_WRITE,    IDC_AP_IP_FIXED,
    IDC_SEC_NONE,  IDC_SEC_WEP,   IDC_SEC_WPA, IDC_SEC_WPA2,       IDC_SEC_WPA_WPA2,
    IDC_WEP_TYPE,  IDC_DATA_TYPE, IDC_KEY,
};
inline constexpr int kApGroup[] = {IDC_MDNS, IDC_SEC_NONE,    IDC_SEC_WPA2,   IDC_SEC_WPA_WPA2,
                                   IDC_KEY,  IDC_AP_IP_WRITE, IDC_AP_IP_FIXED};
inline constexpr int kInfrastructureGroup[] = {
    IDC_DHCP,     IDC_IP,        IDC_NETMASK, IDC_GATEWAY,  IDC_DNS,
    IDC_SEC_NONE, IDC_SEC_WEP,   IDC_SEC_WPA, IDC_SEC_WPA2, IDC_SEC_WPA_WPA2,
    IDC_WEP_TYPE, IDC_DATA_TYPE, IDC_KEY};
inline constexpr int kInfrastructureAddresses[] = {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS};
inline constexpr int kSecurityRadios[] = {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA, IDC_SEC_WPA2,
                                          IDC_SEC_WPA_WPA2};
inline constexpr int kWpaRadios[] = {IDC_SEC_WPA, IDC_SEC_WPA2, IDC_SEC_WPA_WPA2};

// List indexes the page's logic depends on.
constexpr int kWlanModeAp = 0;
constexpr int kWlanModeInfrastructure = 1;
constexpr int kWep64 = 0;
constexpr int kWep128 = 1;
constexpr int kDataTypeAscii = 0;
constexpr int kDataTypeHex = 1;

// Region lists of the two module generations: the version reply says which one the page shows.
// Country list entries start with the two-letter code the module takes.
const std::vector<std::string>& CountryRegions();
// Numeric list entries start with the digit the module takes, which is also the index.
const std::vector<std::string>& NumericRegions();

const ui::DialogDesc& Page3Desc();

}  // namespace page3
