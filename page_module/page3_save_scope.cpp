// What a save of the module page leaves unproven: its chain of writes follows the WLAN mode, the
// security, DHCP, mDNS and the "IP Address" tick, and the module's read reports only the items
// of its mode.
#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"

using namespace page3;
using Kind = profile::Unproven::Kind;

std::vector<profile::Unproven> CPage3Marvuto::UnprovenSettings() {
    std::vector<profile::Unproven> unproven{
        // The key's form and the tick steer the writes; the module keeps neither.
        {"key_data_type", Kind::kPageChoice, ""},
        {"ap_ip_address_written", Kind::kPageChoice, ""},
        {m_bCountryList ? "region_numeric" : "region", Kind::kNotWritten,
         "not the region list this module uses"},
    };
    const auto notWritten = [&unproven](std::initializer_list<const char*> settings,
                                        const char* reason) {
        for (const char* setting : settings)
            unproven.push_back({setting, Kind::kNotWritten, reason});
    };
    if (GetCurSel(IDC_WLAN_MODE) == kWlanModeAp) {
        notWritten({"dhcp", "ip_address", "netmask", "gateway", "dns", "wep_type"},
                   "not written in Access Point mode");
        if (!GetCheck(IDC_MDNS))
            notWritten({"mdns_host_name"}, "not written with mDNS off");
        if (GetCheck(IDC_AP_IP_WRITE))
            unproven.push_back(
                {"ap_ip_address", Kind::kNotReported, "the module does not report it"});
        else
            notWritten({"ap_ip_address"}, "not written unless \"IP Address\" is ticked");
    } else {
        notWritten({"mdns", "mdns_host_name", "ap_ip_address"},
                   "not written in Infrastructure mode");
        if (GetCheck(IDC_DHCP))
            notWritten({"ip_address", "netmask", "gateway", "dns"}, "not written with DHCP on");
        if (!GetCheck(IDC_SEC_WEP))
            notWritten({"wep_type"}, "not written unless the security is WEP");
    }
    if (GetCheck(IDC_SEC_NONE))
        notWritten({"key"}, "not written with security None");
    return unproven;
}
