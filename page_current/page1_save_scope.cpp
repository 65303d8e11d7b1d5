// What a save of the current-generation page leaves unproven: the WLAN mode, the security and
// "manual setting" choose the chain of writes, and the read reports the addresses of the mode.
#include "page_current/page1_layout.h"
#include "page_current/page1_new.h"

using namespace page1;
using Kind = profile::Unproven::Kind;

std::vector<profile::Unproven> CPage1New::UnprovenSettings() {
    // "manual setting" chooses the chain; the printer keeps no such setting.
    std::vector<profile::Unproven> unproven{{"manual_security", Kind::kPageChoice, ""}};
    const bool none = GetCheck(IDC_SEC_NONE) != 0, wep = GetCheck(IDC_SEC_WEP) != 0;
    const std::initializer_list<const char*> kWep = {"wep_key_size", "wep_key_index", "key_format"};
    const std::initializer_list<const char*> kWpa = {"wpa_encryption", "wpa_cipher"};
    if (IsApMode()) {
        const char* reason = "not written in Access Point mode";
        profile::AddNotWritten(&unproven, {"dhcp", "ip_address", "netmask", "gateway", "dns"},
                               reason);
        profile::AddNotWritten(&unproven, kWep, reason);
    } else {
        profile::AddNotWritten(&unproven, {"channel", "ap_ip_address", "ap_netmask", "ap_gateway"},
                               "not written in Infrastructure mode");
        if (GetCheck(IDC_DHCP))
            profile::AddNotWritten(&unproven, {"ip_address", "netmask", "gateway", "dns"},
                                   "not written with DHCP on");
        if (!IsManual()) {
            const char* reason = "not written without \"manual setting\"";
            profile::AddNotWritten(&unproven, {"security"}, reason);
            profile::AddNotWritten(&unproven, kWep, reason);
            profile::AddNotWritten(&unproven, kWpa, reason);
            // A printer that joins by itself reports a key only under the security it found.
            unproven.push_back({"key", Kind::kNotReported,
                                "the printer does not report it without \"manual setting\""});
            return unproven;
        }
        if (!none)
            profile::AddNotWritten(&unproven, wep ? kWpa : kWep, "not written with this security");
        else
            profile::AddNotWritten(&unproven, kWep, "not written with security None");
    }
    if (none)
        profile::AddNotWritten(&unproven, {"wpa_encryption", "wpa_cipher", "key"},
                               "not written with security None");
    return unproven;
}
