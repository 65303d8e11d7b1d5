// The legacy page's controls between reads and saves: the settings groups, the security choice
// with its Authentication list, the key in use, DHCP, WLAN mode, cipher, and the SSID check.
#include <string>

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"
#include "page_shared/entry_text.h"
#include "ui/backend.h"
#include "ui/data_exchange.h"

using namespace page2;

void CPage2Old::EnableAllGroups(bool on) {
    EnableItems(kAddressGroup, on);
    EnableItems(kAddressOptionsGroup, on);
    EnableItems(kBasicGroup, on);
    EnableItems(kSecuritySelectorGroup, on);
    EnableItems(kWepGroup, on);
    EnableItems(kWpaGroup, on);
    EnableItems(kTcpIpGroup, on);
}

void CPage2Old::FillAuthentication(bool wep) {
    ResetContent(IDC_AUTHENTICATION);
    AddString(IDC_AUTHENTICATION, "None");
    AddString(IDC_AUTHENTICATION, "Open system");
    if (wep) {
        AddString(IDC_AUTHENTICATION, "Shared key");
        AddString(IDC_AUTHENTICATION, "Mixed mode");
    } else if (m_nAuthIndex > 1) {
        // Without WEP there is no shared key to authenticate with.
        m_nAuthIndex = 0;
    }
    SetCurSel(IDC_AUTHENTICATION, m_nAuthIndex);
}

void CPage2Old::OnNoneSelected() {
    CheckRadio(kSecurityRadios, IDC_SEC_NONE);
    EnableItem(IDC_AUTHENTICATION, true);
    FillAuthentication(false);
    EnableItems(kWepGroup, false);
    EnableItems(kWpaGroup, false);
}

void CPage2Old::OnWepSelected() {
    CheckRadio(kSecurityRadios, IDC_SEC_WEP);
    EnableItem(IDC_AUTHENTICATION, true);
    FillAuthentication(true);
    EnableItems(kWepGroup, true);
    EnableItems(kWpaGroup, false);
}

void CPage2Old::OnWpaSelected() {
    CheckRadio(kSecurityRadios, IDC_SEC_WPA);
    EnableItem(IDC_AUTHENTICATION, false);
    EnableItems(kWepGroup, false);
    EnableItems(kWpaGroup, true);
}

void CPage2Old::OnKeySelected(int key) {
    m_nKeyInUse = key;
    CheckRadio(kKeyButtons, kKeyButtons[key]);
}

void CPage2Old::OnDhcpClicked() {
    UpdateData(true);
    const bool dhcp = GetCheck(IDC_DHCP) != 0;
    EnableItems(kAddressGroup, !dhcp);
    EnableItem(IDC_DNS_AUTO, dhcp);
}

void CPage2Old::OnModeChanged() {
    if (GetCurSel(IDC_WLAN_MODE) != kModeAdHoc) {
        EnableItem(IDC_CHANNEL, false);
        EnableItem(IDC_SEC_WPA, true);
    } else {
        // An ad-hoc network has no WPA: the channel is the operator's, and WPA falls back to None.
        EnableItem(IDC_CHANNEL, true);
        EnableItem(IDC_SEC_WPA, false);
        if (GetCheck(IDC_SEC_WPA)) {
            CheckRadio(kSecurityRadios, IDC_SEC_NONE);
            EnableItems(kWpaGroup, false);
        }
    }
}

void CPage2Old::ApplyCipherRule() {
    // The cipher follows the encryption: WPA with TKIP, WPA2 with AES.
    SetCurSel(IDC_WPA_CIPHER, GetCurSel(IDC_WPA_ENCRYPTION) == 0 ? 0 : 1);
}

void CPage2Old::OnUserClassDefault() {
    m_strUserClassId = "PTR-" + m_strMac;
    SetItemText(IDC_USER_CLASS_ID, m_strUserClassId);
}

void CPage2Old::OnSsidKillFocus() {
    TakeData({IDC_SSID});
    const std::string ssid = GetItemText(IDC_SSID);
    const char* failure = nullptr;
    if (ui::CharacterCount(ssid) > 32) {
        failure = "Invalid SSID length";
    } else if (!entry::IsPrintable(ssid)) {
        failure = "Invalid SSID contents";
    }
    if (failure == nullptr) {
        m_strLastSsid = ssid;
        return;
    }
    ui::AfxMessageBox(failure);
    // Only the field: the held SSID keeps the refused text until values are next taken.
    SetItemText(IDC_SSID, m_strLastSsid);
}

int CPage2Old::CheckedKey() {
    for (int key = 0; key < 4; ++key) {
        if (GetCheck(kKeyButtons[key]))
            return key;
    }
    return -1;
}
