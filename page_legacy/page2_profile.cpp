// The legacy page's settings in a profile: which control holds which setting.
#include "page_legacy/page2_profile.h"

#include <string>

#include "page_legacy/page2_layout.h"

namespace page2 {

namespace {

// WPA keeps its passphrase; WEP the key its index points at.
const char* KeySetting(const profile::Values& values) {
    const std::string* security = values.Get("security");
    if (security != nullptr && *security == "WPA")
        return "wpa_passphrase";
    const std::string* index = values.Get("wep_key_index");
    if (security == nullptr || *security != "WEP" || index == nullptr)
        return nullptr;
    static const char* const kKeys[][2] = {
        {"Key1", "key1"}, {"Key2", "key2"}, {"Key3", "key3"}, {"Key4", "key4"}};
    for (const auto& key : kKeys) {
        if (*index == key[0])
            return key[1];
    }
    return nullptr;
}

}  // namespace

const profile::Family& ProfileFamily() {
    using namespace profile;
    static const Family family{
        "legacy",
        {
            List("wlan_mode", IDC_WLAN_MODE),
            List("channel", IDC_CHANNEL),
            Text("ssid", IDC_SSID, 32),
            Text("port", IDC_PORT, 5),
            Check("dhcp", IDC_DHCP),
            Check("dns_auto", IDC_DNS_AUTO),
            Address("ip_address", IDC_IP),
            Address("netmask", IDC_NETMASK),
            Address("gateway", IDC_GATEWAY),
            Address("dns", IDC_DNS),
            Text("user_class_id", IDC_USER_CLASS_ID, 64),
            Address("peer_ip_address", IDC_PEER_IP),
            Text("peer_port", IDC_PEER_PORT, 5),
            List("mux_type", IDC_MUX_TYPE),
            Check("cod_listen", IDC_COD_LISTEN),
            Text("water_mark", IDC_WATER_MARK, 5),
            Text("peer_domain_name", IDC_PEER_DOMAIN, 63),
            Radio("security", {{IDC_SEC_NONE, "None"}, {IDC_SEC_WEP, "WEP"}, {IDC_SEC_WPA, "WPA"}}),
            List("authentication", IDC_AUTHENTICATION),
            List("wep_key_size", IDC_WEP_SIZE),
            Radio("wep_key_index",
                  {{IDC_KEY1, "Key1"}, {IDC_KEY2, "Key2"}, {IDC_KEY3, "Key3"}, {IDC_KEY4, "Key4"}}),
            List("key1_format", IDC_KEY1_FORMAT),
            List("key2_format", IDC_KEY2_FORMAT),
            List("key3_format", IDC_KEY3_FORMAT),
            List("key4_format", IDC_KEY4_FORMAT),
            Text("key1", IDC_KEY1_TEXT, 26, true),
            Text("key2", IDC_KEY2_TEXT, 26, true),
            Text("key3", IDC_KEY3_TEXT, 26, true),
            Text("key4", IDC_KEY4_TEXT, 26, true),
            List("wpa_encryption", IDC_WPA_ENCRYPTION),
            List("wpa_cipher", IDC_WPA_CIPHER),
            Text("wpa_passphrase", IDC_WPA_KEY, 32, true),
        },
        nullptr,
        KeySetting,
    };
    return family;
}

}  // namespace page2
