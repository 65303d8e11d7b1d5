// The module page's controls between reads and saves: enabling by WLAN mode and security, the
// key's limits and its two forms, and the SSID check.
#include <string>

#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"
#include "page_shared/entry_text.h"
#include "ui/backend.h"

using namespace page3;

bool CPage3Marvuto::IsHex() {
    return GetCurSel(IDC_DATA_TYPE) == kDataTypeHex;
}

page3::KeyForm CPage3Marvuto::ReadKeyForm() {
    if (!IsHex() || GetCheck(IDC_SEC_NONE))
        return KeyForm::kText;
    return GetCheck(IDC_SEC_WEP) ? KeyForm::kWepBytes : KeyForm::kPskBytes;
}

bool CPage3Marvuto::IsWpaChecked() {
    for (int id : kWpaRadios) {
        if (GetCheck(id))
            return true;
    }
    return false;
}

KeyKind CPage3Marvuto::CheckedKeyKind() {
    if (!GetCheck(IDC_SEC_WEP))
        return KeyKind::kWpa;
    return GetCurSel(IDC_WEP_TYPE) == kWep64 ? KeyKind::kWep64 : KeyKind::kWep128;
}

void CPage3Marvuto::ApplyKeyLimit() {
    SetLimitText(IDC_KEY, static_cast<int>(KeyLimit(CheckedKeyKind(), IsHex())));
}

void CPage3Marvuto::ShowHelpLine(bool hex) {
    ShowItem(IDC_HELP_ASCII, !hex);
    EnableItem(IDC_HELP_ASCII, !hex);
    ShowItem(IDC_HELP_HEX, hex);
    EnableItem(IDC_HELP_HEX, hex);
}

void CPage3Marvuto::ClearKey() {
    m_strKey.clear();
    SetItemText(IDC_KEY, "");
}

void CPage3Marvuto::OnWlanModeChanged() {
    UpdateData(true);
    const int mode = GetCurSel(IDC_WLAN_MODE);
    if (mode == kWlanModeInfrastructure) {
        EnableItems({IDC_MDNS, IDC_AP_IP_WRITE, IDC_AP_IP_FIXED, IDC_HOST_NAME, IDC_AP_IP}, false);
        EnableItem(IDC_DHCP, true);
        EnableItems(kSecurityRadios, true);
        EnableItem(IDC_WEP_TYPE, false);
        EnableItem(IDC_KEY, true);
        EnableItems(kInfrastructureAddresses, GetCheck(IDC_DHCP) == 0);
        if (GetCheck(IDC_SEC_NONE)) {
            ClearKey();
            EnableItems({IDC_WEP_TYPE, IDC_KEY}, false);
        } else if (GetCheck(IDC_SEC_WEP)) {
            EnableItem(IDC_WEP_TYPE, true);
        }
    } else if (mode == kWlanModeAp) {
        EnableItems({IDC_MDNS, IDC_AP_IP_WRITE, IDC_AP_IP_FIXED}, true);
        EnableItem(IDC_HOST_NAME, GetCheck(IDC_MDNS) != 0);
        EnableItem(IDC_AP_IP, GetCheck(IDC_AP_IP_WRITE) != 0);
        EnableItem(IDC_DHCP, false);
        EnableItems(kInfrastructureAddresses, false);
        EnableItems({IDC_SEC_NONE, IDC_SEC_WPA2, IDC_SEC_WPA_WPA2}, true);
        EnableItems({IDC_SEC_WEP, IDC_SEC_WPA, IDC_WEP_TYPE}, false);
        EnableItems({IDC_KEY, IDC_DATA_TYPE}, true);
        // An access point offers neither WEP nor WPA-PSK alone.
        if (GetCheck(IDC_SEC_WEP) || GetCheck(IDC_SEC_WPA))
            CheckRadio(kSecurityRadios, IDC_SEC_NONE);
        if (GetCheck(IDC_SEC_NONE)) {
            ClearKey();
            EnableItems({IDC_WEP_TYPE, IDC_KEY}, false);
        }
    }
}

void CPage3Marvuto::OnSecurityClicked(int radioId) {
    CheckRadio(kSecurityRadios, radioId);
    if (radioId == IDC_SEC_NONE) {
        EnableItems({IDC_WEP_TYPE, IDC_KEY, IDC_DATA_TYPE}, false);
        ClearKey();
        return;
    }
    EnableItem(IDC_WEP_TYPE, radioId == IDC_SEC_WEP);
    EnableItems({IDC_KEY, IDC_DATA_TYPE}, true);
    GotoDlgCtrl(IDC_KEY);
    ApplyKeyLimit();
}

void CPage3Marvuto::OnWepTypeChanged() {
    if (!GetCheck(IDC_SEC_WEP) || GetCurSel(IDC_WEP_TYPE) < 0)
        return;
    const size_t limit = KeyLimit(CheckedKeyKind(), IsHex());
    SetLimitText(IDC_KEY, static_cast<int>(limit));
    std::string key = GetItemText(IDC_KEY);
    if (key.size() > limit)
        key.resize(limit);
    SetItemText(IDC_KEY, key);
}

void CPage3Marvuto::UpdateKeyForms() {
    const std::string key = GetItemText(IDC_KEY);
    if (IsHex() && !m_bConvertAsAscii) {
        // The key stays as typed; the save's own checks still apply.
        if (!entry::HexKeyForms(key, &m_strKeyBinary, &m_strKeyHex))
            ui::AfxMessageBox("Not Hexadecimal key.");
        return;
    }
    entry::AsciiKeyForms(key, &m_strKeyBinary, &m_strKeyHex);
    m_bConvertAsAscii = false;
}

void CPage3Marvuto::OnDataTypeChanged() {
    // A key that never lost the focus is taken as characters.
    if (m_strKeyBinary.empty()) {
        m_bConvertAsAscii = true;
        UpdateKeyForms();
    }
    if (!GetCheck(IDC_SEC_WEP) && !IsWpaChecked())
        return;
    const bool hex = IsHex();
    ShowHelpLine(hex);
    ApplyKeyLimit();
    m_strKey = hex ? m_strKeyHex : m_strKeyBinary;
    SetItemText(IDC_KEY, m_strKey);
}

void CPage3Marvuto::OnSsidKillFocus() {
    const char* error = nullptr;
    if (!TakeData({IDC_SSID})) {
        // More than 32 characters: the exchange's own message has said so.
    } else if (m_strSsid.size() > 32) {
        error = "Invalid SSID length";
    } else if (!entry::IsPrintable(m_strSsid)) {
        error = "Invalid SSID contents";
    } else {
        m_strLastSsid = m_strSsid;
        return;
    }
    if (error != nullptr)
        ui::AfxMessageBox(error);
    m_strSsid = m_strLastSsid;
    ShowData({IDC_SSID});
}
