// The current-generation page's controls between reads and saves: enabling by WLAN mode and
// security, the channel list, the SSID and key checks and the key's two forms.
#include <string>

#include "page_current/page1_layout.h"
#include "page_current/page1_new.h"
#include "ui/backend.h"
#include "ui/data_exchange.h"

using namespace page1;

bool CPage1New::IsApMode() {
    return GetCurSel(IDC_WLAN_MODE) == kWlanModeAp;
}
bool CPage1New::IsInfrastructureMode() {
    return GetCurSel(IDC_WLAN_MODE) == kWlanModeInfrastructure;
}
bool CPage1New::IsManual() {
    return GetCheck(IDC_MANUAL_SETTING) != 0;
}

int CPage1New::CheckedKeyIndex() {
    for (int i = 0; i < 4; ++i) {
        if (GetCheck(kKeyIndexes[i]))
            return i;
    }
    return -1;
}

void CPage1New::BuildChannelList() {
    ResetContent(IDC_CHANNEL);
    for (int channel : Channels(GetCurSel(IDC_REGION), GetCurSel(IDC_OPERATING_MODE))) {
        AddString(IDC_CHANNEL, std::to_string(channel));
    }
    SetCurSel(IDC_CHANNEL, 0);
}

void CPage1New::EnableInfrastructureAddresses(bool on) {
    EnableItems(kInfrastructureAddresses, on);
}

void CPage1New::EnableApAddresses(bool on) {
    EnableItems(kApAddresses, on);
}

void CPage1New::EnableSettings(bool on) {
    EnableItems({IDC_OPERATING_MODE, IDC_WLAN_MODE, IDC_CHANNEL, IDC_SSID, IDC_PORT, IDC_REGION,
                 IDC_DHCP, IDC_SEC_NONE, IDC_KEY, IDC_WEP_SIZE, IDC_KEY_FORMAT, IDC_WPA_ENCRYPTION,
                 IDC_WPA_CIPHER, IDC_SEC_WEP, IDC_SEC_WPA, IDC_FACTORY_RESET, IDC_MANUAL_SETTING},
                on);
    EnableItems(kKeyIndexes, on);
    EnableInfrastructureAddresses(on);
    EnableApAddresses(on);
}

void CPage1New::EnableWepControls(bool on) {
    EnableItems({IDC_WEP_SIZE, IDC_KEY_FORMAT}, on);
    EnableItems(kKeyIndexes, on);
    EnableItem(IDC_KEY, true);
}

void CPage1New::EnableWpaControls(bool on) {
    EnableItems({IDC_WPA_ENCRYPTION, IDC_WPA_CIPHER}, on);
    EnableItem(IDC_KEY, true);
}

void CPage1New::EnableSecurityDetails(bool wep, bool wpa, bool key) {
    EnableWepControls(wep);
    EnableWpaControls(wpa);
    EnableItem(IDC_KEY, key);
}

void CPage1New::EnableSecurityControls(bool on) {
    EnableItems(kSecurityRadios, on);
    EnableItems(kKeyIndexes, on);
    // Without "manual setting" the key goes out as typed, whatever its format says.
    EnableItems({IDC_WEP_SIZE, IDC_KEY_FORMAT, IDC_WPA_ENCRYPTION, IDC_WPA_CIPHER}, on);
}

void CPage1New::ApplyApSecurityRules() {
    EnableItems({IDC_SEC_NONE, IDC_SEC_WPA}, true);
    EnableItems({IDC_SEC_WEP, IDC_WEP_SIZE, IDC_MANUAL_SETTING}, false);
    EnableItems(kKeyIndexes, false);
    if (GetCheck(IDC_SEC_NONE)) {
        EnableItems({IDC_KEY, IDC_WPA_ENCRYPTION, IDC_WPA_CIPHER}, false);
    } else if (GetCheck(IDC_SEC_WPA)) {
        EnableItems({IDC_KEY, IDC_WPA_ENCRYPTION, IDC_WPA_CIPHER}, true);
    }
}

void CPage1New::CheckKeyIndex(int index) {
    CheckRadio(kKeyIndexes, index >= 0 && index < 4 ? kKeyIndexes[index] : 0);
}

void CPage1New::OnDhcpClicked() {
    EnableInfrastructureAddresses(GetCheck(IDC_DHCP) == 0);
}

void CPage1New::OnWlanModeChanged() {
    if (IsApMode()) {
        EnableItems({IDC_OPERATING_MODE, IDC_CHANNEL}, true);
        EnableApAddresses(true);
        EnableItem(IDC_DHCP, false);
        EnableInfrastructureAddresses(false);
        EnableItem(IDC_MANUAL_SETTING, false);
        EnableItems({IDC_SEC_NONE, IDC_SEC_WPA}, true);
        EnableItem(IDC_SEC_WEP, false);
        if (GetCheck(IDC_SEC_NONE)) {
            EnableSecurityDetails(false, false, false);
        } else if (GetCheck(IDC_SEC_WEP)) {
            // An access point offers no WEP: fall back to no security.
            CheckRadio(kSecurityRadios, IDC_SEC_NONE);
            EnableItems({IDC_KEY, IDC_WEP_SIZE, IDC_KEY_FORMAT}, false);
            EnableItems(kKeyIndexes, false);
            m_strKey.clear();
            SetItemText(IDC_KEY, "");
        } else {
            EnableSecurityDetails(false, true, true);
        }
        return;
    }
    if (!IsInfrastructureMode())
        return;
    EnableItem(IDC_DHCP, true);
    EnableInfrastructureAddresses(GetCheck(IDC_DHCP) == 0);
    EnableItem(IDC_OPERATING_MODE, true);
    EnableItem(IDC_CHANNEL, false);
    EnableApAddresses(false);
    EnableItem(IDC_MANUAL_SETTING, true);
    EnableItems(kSecurityRadios, true);
    if (!IsManual()) {
        EnableItems(kSecurityRadios, false);
        EnableSecurityDetails(false, false, true);
    } else if (GetCheck(IDC_SEC_NONE)) {
        EnableSecurityDetails(false, false, false);
    } else {
        const bool wep = GetCheck(IDC_SEC_WEP) != 0;
        EnableSecurityDetails(wep, !wep, true);
    }
}

void CPage1New::OnSecurityClicked(int radioId) {
    CheckRadio(kSecurityRadios, radioId);
    switch (radioId) {
        case IDC_SEC_NONE:
            EnableWepControls(false);
            EnableWpaControls(false);
            EnableItem(IDC_MANUAL_SETTING, !IsApMode());
            EnableItem(IDC_KEY, false);
            m_strKey.clear();
            SetItemText(IDC_KEY, "");
            break;
        case IDC_SEC_WEP:
            EnableWepControls(true);
            EnableWpaControls(false);
            CheckKeyIndex(0);
            EnableItem(IDC_MANUAL_SETTING, !IsApMode());
            break;
        case IDC_SEC_WPA:
            EnableWepControls(false);
            if (IsApMode()) {
                EnableItem(IDC_MANUAL_SETTING, false);
                EnableWpaControls(true);
            } else {
                EnableItem(IDC_MANUAL_SETTING, true);
                EnableWpaControls(IsManual());
            }
            break;
    }
}

void CPage1New::OnManualSettingClicked() {
    if (!IsInfrastructureMode())
        return;
    if (!IsManual()) {
        EnableItem(IDC_KEY, true);
        EnableSecurityControls(false);
        return;
    }
    EnableSecurityControls(true);
    if (GetCheck(IDC_SEC_NONE)) {
        EnableSecurityDetails(false, false, false);
    } else if (GetCheck(IDC_SEC_WPA)) {
        EnableWepControls(false);
        EnableWpaControls(true);
    } else if (GetCheck(IDC_SEC_WEP)) {
        EnableWepControls(true);
        EnableWpaControls(false);
    }
}

void CPage1New::OnSsidKillFocus() {
    // The exchange refuses more than 32 characters with its own message.
    if (TakeData({IDC_SSID})) {
        m_strLastSsid = m_strSsid;
        return;
    }
    m_strSsid = m_strLastSsid;
    ShowData({IDC_SSID});
}

void CPage1New::OnKeyKillFocus() {
    // A key that cannot be taken has had its message and keeps its forms.
    if (!TakeData({IDC_KEY}))
        return;
    if (!IsInfrastructureMode() || !IsManual())
        return;
    if (GetCurSel(IDC_KEY_FORMAT) == kFormatHex && !m_bConvertAsAscii) {
        if (!HexKeyForms(m_strKey, &m_strKeyBinary, &m_strKeyHex))
            ui::AfxMessageBox("Not Hexadecimal key.");
        return;
    }
    AsciiKeyForms(m_strKey, &m_strKeyBinary, &m_strKeyHex);
    m_bConvertAsAscii = false;
}

void CPage1New::OnKeyFormatChanged() {
    if (!GetCheck(IDC_SEC_WEP))
        return;
    if (m_strKeyBinary.empty()) {
        m_bConvertAsAscii = true;
        OnKeyKillFocus();
    }
    const bool hex = GetCurSel(IDC_KEY_FORMAT) == kFormatHex;
    m_strKey = hex ? m_strKeyHex : m_strKeyBinary;
    ShowData({IDC_KEY});
    // After showing the key, which restores the field's general limit.
    const int size = GetCurSel(IDC_WEP_SIZE);
    if (size >= 0)
        SetLimitText(IDC_KEY, hex ? (size == 1 ? 26 : 10) : (size == 1 ? 13 : 5));
}

void CPage1New::OnFactoryResetClicked() {
    const int answer = ui::AfxMessageBox("Do you want to reset?\n(NV Item Initialization)",
                                         ui::kMbYesNo | ui::kMbIconQuestion);
    if (answer == ui::kIdYes)
        SendFixed('O', '0', kResetTimer, 3000);
}
