// Control ids and the description of the legacy page (template 163).
#pragma once

#include "ui/dialog_desc.h"

namespace page2 {

constexpr int IDD_PAGE2_OLD = 163;

enum Control {
    IDC_STATUS = 1011,
    IDC_DNS = 1016,
    IDC_VERSION = 1021,
    IDC_DNS_AUTO = 1024,
    IDC_WLAN_MODE = 1026,
    IDC_WEP_SIZE = 1028,
    IDC_WPA_ENCRYPTION = 1031,
    IDC_WPA_CIPHER = 1032,
    IDC_PEER_IP = 1033,
    IDC_PORT = 1035,
    IDC_PEER_PORT = 1036,
    IDC_MUX_TYPE = 1037,
    IDC_SEC_WEP = 1041,
    IDC_SEC_WPA = 1042,
    IDC_KEY1 = 1045,  // Key1..Key4 radio buttons are consecutive
    IDC_KEY2 = 1046,
    IDC_KEY3 = 1047,
    IDC_KEY4 = 1048,
    IDC_KEY1_TEXT = 1049,  // key texts, consecutive
    IDC_KEY2_TEXT = 1050,
    IDC_KEY3_TEXT = 1051,
    IDC_KEY4_TEXT = 1052,
    IDC_KEY1_FORMAT = 1053,  // key formats, consecutive
    IDC_KEY2_FORMAT = 1054,
    IDC_KEY3_FORMAT = 1055,
    IDC_KEY4_FORMAT = 1056,
    IDC_WPA_KEY = 1057,
    IDC_MAC = 1059,
    IDC_SEC_NONE = 1082,
    IDC_COD_LISTEN = 1086,
    IDC_WATER_MARK = 1088,
    IDC_PEER_DOMAIN = 1089,
    IDC_USER_CLASS_ID = 1090,
    IDC_USER_CLASS_DEFAULT = 1091,
    IDC_CHANNEL = 1125,
    IDC_AUTHENTICATION = 1126,
    IDC_LABEL_PORT = 1135,
    IDC_BOX_INFO = 1257,
    IDC_LABEL_STATUS = 1258,
    IDC_READ = 1259,
    IDC_SAVE = 1260,
    IDC_LABEL_VERSION = 1261,
    IDC_LABEL_MAC = 1262,
    IDC_BOX_BASIC = 1263,
    IDC_BOX_ADDRESS = 1264,
    IDC_DHCP = 1265,
    IDC_LABEL_IP = 1266,
    IDC_LABEL_NETMASK = 1267,
    IDC_LABEL_GATEWAY = 1268,
    IDC_LABEL_DNS = 1269,
    IDC_IP = 1270,
    IDC_NETMASK = 1271,
    IDC_GATEWAY = 1272,
    IDC_LABEL_WLAN_MODE = 1273,
    IDC_LABEL_CHANNEL = 1274,
    IDC_LABEL_SSID = 1275,
    IDC_SSID = 1276,
    IDC_LABEL_USER_CLASS_ID = 1277,
    IDC_BOX_TCPIP = 1278,
    IDC_LABEL_PEER_IP = 1279,
    IDC_LABEL_PEER_PORT = 1280,
    IDC_LABEL_MUX_TYPE = 1281,
    IDC_LABEL_PEER_DOMAIN = 1282,
    IDC_LABEL_WATER_MARK = 1283,
    IDC_BOX_SECURITY = 1284,
    IDC_LABEL_ENCRYPTION = 1285,
    IDC_LABEL_AUTHENTICATION = 1286,
    IDC_BOX_WEP = 1287,
    IDC_LABEL_WEP_SIZE = 1288,
    IDC_BOX_WPA = 1289,
    IDC_LABEL_WPA_ENCRYPTION = 1290,
    IDC_LABEL_WPA_CIPHER = 1291,
    IDC_LABEL_WPA_KEY = 1292,
    IDC_BOX_WIRELESS = 1293,
};

// The settings groups, enabled and disabled together.
inline constexpr int kAddressGroup[] = {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS};
inline constexpr int kAddressOptionsGroup[] = {IDC_DHCP, IDC_DNS_AUTO, IDC_USER_CLASS_DEFAULT,
                                               IDC_USER_CLASS_ID};
inline constexpr int kBasicGroup[] = {IDC_WLAN_MODE, IDC_CHANNEL, IDC_SSID, IDC_PORT};
inline constexpr int kSecuritySelectorGroup[] = {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA,
                                                 IDC_AUTHENTICATION};
inline constexpr int kWepGroup[] = {
    IDC_WEP_SIZE,    IDC_KEY1,        IDC_KEY2,        IDC_KEY3,      IDC_KEY4,
    IDC_KEY1_TEXT,   IDC_KEY2_TEXT,   IDC_KEY3_TEXT,   IDC_KEY4_TEXT, IDC_KEY1_FORMAT,
    IDC_KEY2_FORMAT, IDC_KEY3_FORMAT, IDC_KEY4_FORMAT,
};
inline constexpr int kWpaGroup[] = {IDC_WPA_ENCRYPTION, IDC_WPA_CIPHER, IDC_WPA_KEY};
inline constexpr int kTcpIpGroup[] = {IDC_PEER_IP,    IDC_PEER_PORT,  IDC_MUX_TYPE,
                                      IDC_COD_LISTEN, IDC_WATER_MARK, IDC_PEER_DOMAIN};

inline constexpr int kSecurityRadios[] = {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA};
inline constexpr int kKeyButtons[] = {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4};

// List indexes the page's logic depends on (the WLAN Mode list's are the record's, in
// page2_records.h).
constexpr int kFormatHex = 0;
constexpr int kFormatAscii = 1;

const ui::DialogDesc& Page2Desc();

}  // namespace page2
