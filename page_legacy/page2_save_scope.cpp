// What a save of the legacy page leaves unproven: it writes every record, but the wireless
// record keeps the WEP key size only under WEP and the WPA encryption only under WPA.
#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"

using namespace page2;

std::vector<profile::Unproven> CPage2Old::UnprovenSettings() {
    std::vector<profile::Unproven> unproven;
    if (!GetCheck(IDC_SEC_WEP))
        profile::AddNotWritten(&unproven, {"wep_key_size"},
                               "not written unless the security is WEP");
    if (!GetCheck(IDC_SEC_WPA))
        profile::AddNotWritten(&unproven, {"wpa_encryption"},
                               "not written unless the security is WPA");
    return unproven;
}
