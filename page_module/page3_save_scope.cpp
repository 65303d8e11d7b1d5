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
    if (GetCurSel(IDC_WLAN_MODE) == kWlanModeAp) {
        profile::AddNotWritten(&unproven,
                               {"dhcp", "ip_address", "netmask", "gateway", "dns", "wep_type"},
                               "not written in Access Point mode");
        if (!GetCheck(IDC_MDNS))
            profile::AddNotWritten(&unproven, {"mdns_host_name"}, "not written with mDNS off");
        if (GetCheck(IDC_AP_IP_WRITE))
            unproven.push_back(
                {"ap_ip_address", Kind::kNotReported, "the module does not report it"});
        else
            profile::AddNotWritten(&unproven, {"ap_ip_address"},
                                   "not written unless \"IP Address\" is ticked");
    } else {
        profile::AddNotWritten(&unproven, {"mdns", "mdns_host_name", "ap_ip_address"},
                               "not written in Infrastructure mode");
        if (GetCheck(IDC_DHCP))
            profile::AddNotWritten(&unproven, {"ip_address", "netmask", "gateway", "dns"},
                                   "not written with DHCP on");
        if (!GetCheck(IDC_SEC_WEP))
            profile::AddNotWritten(&unproven, {"wep_type"},
                                   "not written unless the security is WEP");
    }
    if (GetCheck(IDC_SEC_NONE))
        profile::AddNotWritten(&unproven, {"key"}, "not written with security None");
    return unproven;
}
