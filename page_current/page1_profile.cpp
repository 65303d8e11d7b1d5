// The current-generation page's settings in a profile: which control holds which setting.
#include "page_current/page1_profile.h"

#include <string>

#include "page_current/page1_layout.h"
#include "page_current/page1_protocol.h"

namespace page1 {

namespace {

int IndexIn(const std::vector<std::string>& items, const std::string& value) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == value)
            return static_cast<int>(i);
    }
    return -1;
}

// The channel list follows the region and the band: a channel must be one of theirs.
std::string CheckChannel(const profile::Values& values) {
    const std::string* channel = values.Get("channel");
    const std::string* region = values.Get("region");
    const std::string* band = values.Get("operating_mode");
    if (channel == nullptr || region == nullptr || band == nullptr)
        return std::string();
    const ui::ControlDesc* bands = Page1Desc().Find(IDC_OPERATING_MODE);
    for (int c : Channels(IndexIn(Regions(), *region), IndexIn(bands->items, *band))) {
        if (std::to_string(c) == *channel)
            return std::string();
    }
    return "channel";
}

}  // namespace

const profile::Family& ProfileFamily() {
    using namespace profile;
    static const Family family{
        "current",
        {
            List("wlan_mode", IDC_WLAN_MODE),
            List("operating_mode", IDC_OPERATING_MODE),
            List("region", IDC_REGION),
            List("channel", IDC_CHANNEL),
            Text("ssid", IDC_SSID, 32),
            Text("port", IDC_PORT, 5),
            Check("dhcp", IDC_DHCP),
            Address("ip_address", IDC_IP),
            Address("netmask", IDC_NETMASK),
            Address("gateway", IDC_GATEWAY),
            Address("dns", IDC_DNS),
            Address("ap_ip_address", IDC_AP_IP),
            Address("ap_netmask", IDC_AP_NETMASK),
            Address("ap_gateway", IDC_AP_GATEWAY),
            Check("manual_security", IDC_MANUAL_SETTING),
            Radio("security", {{IDC_SEC_NONE, "None"}, {IDC_SEC_WEP, "WEP"}, {IDC_SEC_WPA, "WPA"}}),
            List("wep_key_size", IDC_WEP_SIZE),
            Radio("wep_key_index",
                  {{IDC_KEY1, "Key1"}, {IDC_KEY2, "Key2"}, {IDC_KEY3, "Key3"}, {IDC_KEY4, "Key4"}}),
            List("wpa_encryption", IDC_WPA_ENCRYPTION),
            List("wpa_cipher", IDC_WPA_CIPHER),
            List("key_format", IDC_KEY_FORMAT),
            Text("key", IDC_KEY, 63, true),
        },
        CheckChannel,
    };
    return family;
}

}  // namespace page1
