// The Wi-Fi module page's settings in a profile: which control holds which setting.
#include "page_module/page3_profile.h"

#include "page_module/page3_layout.h"

namespace page3 {

const profile::Family& ProfileFamily() {
    using namespace profile;
    static const Family family{
        "module",
        {
            List("wlan_mode", IDC_WLAN_MODE),
            Text("ssid", IDC_SSID, 32),
            Text("port", IDC_PORT, 5),
            // The module names its region from one of two lists, as its version decides.
            List("region", IDC_REGION_COUNTRY),
            List("region_numeric", IDC_REGION_NUMERIC),
            Check("dhcp", IDC_DHCP),
            Address("ip_address", IDC_IP),
            Address("netmask", IDC_NETMASK),
            Address("gateway", IDC_GATEWAY),
            Address("dns", IDC_DNS),
            Check("mdns", IDC_MDNS),
            Text("mdns_host_name", IDC_HOST_NAME, 32),
            Check("ap_ip_address_written", IDC_AP_IP_WRITE),
            Address("ap_ip_address", IDC_AP_IP),
            Radio("security", {{IDC_SEC_NONE, "None"},
                               {IDC_SEC_WEP, "WEP (Open/Shared)"},
                               {IDC_SEC_WPA, "WPA-PSK"},
                               {IDC_SEC_WPA2, "WPA2-PSK"},
                               {IDC_SEC_WPA_WPA2, "WPA WPA2-PSK"}}),
            List("wep_type", IDC_WEP_TYPE),
            List("key_data_type", IDC_DATA_TYPE),
            Text("key", IDC_KEY, 0, true),
        },
    };
    return family;
}

}  // namespace page3
