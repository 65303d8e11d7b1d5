// "Save WLAN Info": the key checks, then the chain of writes that fits the WLAN mode and the
// security, each acknowledgement sending the next write.
#include <string>

#include "page_current/page1_layout.h"
#include "page_current/page1_new.h"
#include "page_shared/panel.h"
#include "ui/data_exchange.h"

using namespace page1;

namespace {

struct WepRule {
    size_t length;
    const char* message;
};

// Required WEP key length by format (ASCII, Hex) and size (64, 128 bits).
const WepRule kWepRules[2][2] = {
    {{5, "WEP-64bits key(ASCII) should be use 5 characters"},
     {13, "WEP-128bits key(ASCII) should be use 13 characters"}},
    {{10, "WEP-64bits key(HEX) should be use 10 characters"},
     {26, "WEP-128bits key(HEX) should be use 26 characters"}},
};

}  // namespace

void CPage1New::OnSaveClicked() {
    // A refused save changes nothing: not what was typed, not how the USB link batches.
    if (!CheckChoices() || !CheckKey() || !MayWrite())
        return;
    if (CPanel* panel = ThePanel()) {
        panel->m_bPage1Read = false;
        panel->m_bPage1Save = true;
    }
    m_bReading = false;
    m_bSaving = true;
    SetItemText(IDC_PRINTER_STATUS, "");
    EnableSettings(false);
    BeginExchange(ExchangeKind::kSave);
    SendOperatingMode();
}

bool CPage1New::CheckChoices() {
    // Only the lists this save writes: a channel goes out for an access point alone, a cipher
    // with WPA under manual security.
    const char* setting = nullptr;
    if (GetCurSel(IDC_WLAN_MODE) < 0) {
        setting = "WLAN Mode";
    } else if (GetCurSel(IDC_REGION) < 0) {
        setting = "Region";
    } else if (IsApMode() && GetCurSel(IDC_CHANNEL) < 0) {
        setting = "Channel";
    } else if (GetCheck(IDC_SEC_WPA) && (IsApMode() || IsManual()) &&
               GetCurSel(IDC_WPA_CIPHER) < 0) {
        setting = "WPA Cipher";
    }
    if (setting == nullptr)
        return true;
    ui::AfxMessageBox(std::string("Choose a ") + setting + " before saving.");
    return false;
}

bool CPage1New::CheckKey() {
    const std::string key = GetItemText(IDC_KEY);
    const size_t length = static_cast<size_t>(ui::CharacterCount(key));
    const char* failure = nullptr;
    if (IsApMode() && GetCheck(IDC_SEC_WEP)) {
        // An access point offers no WEP: refused here rather than after the first writes.
        failure = "Soft AP - WEP : Not Use";
    } else if (!IsManual()) {
        if (!IsPrintable(key))
            failure = "Invalid Key contents";
    } else if (GetCheck(IDC_SEC_WPA)) {
        if (length < 8 || length > 63) {
            failure = "WPA key should be use 8 ~ 63 characters";
        } else if (!IsPrintable(key)) {
            failure = "Invalid Key contents";
        }
    } else if (GetCheck(IDC_SEC_WEP) && CheckedKeyIndex() >= 0) {
        const int format = GetCurSel(IDC_KEY_FORMAT);
        const int size = GetCurSel(IDC_WEP_SIZE);
        if (format >= 0 && format < 2 && size >= 0 && size < 2) {
            const WepRule& rule = kWepRules[format][size];
            if (length != rule.length) {
                failure = rule.message;
            } else if (!IsPrintable(key)) {
                failure = "Invalid Key contents";
            }
        }
    }
    if (failure == nullptr)
        return true;
    ui::AfxMessageBox(failure);
    return false;
}

unsigned CPage1New::SaveWritesPlanned() {
    // Operating Mode, Port, Region and the mode's addresses.
    const unsigned common = 4;
    if (IsApMode()) {
        // Then E, for no security or WPA: an access point offers nothing else.
        return GetCheck(IDC_SEC_NONE) || GetCheck(IDC_SEC_WPA) ? common + 1 : common;
    }
    if (!IsManual())
        return common + 1;  // the join
    // The security type, the WEP or WPA key, then the SSID.
    return common + (GetCheck(IDC_SEC_NONE) ? 2 : 3);
}

uint8_t CPage1New::SecurityTypeCode() {
    if (GetCheck(IDC_SEC_NONE))
        return '0';
    if (GetCheck(IDC_SEC_WEP))
        return '1';
    return GetCurSel(IDC_WPA_ENCRYPTION) == 0 ? '2' : '3';
}

uint8_t CPage1New::CipherCode() {
    if (GetCheck(IDC_SEC_NONE) || GetCheck(IDC_SEC_WEP))
        return '0';
    return GetCurSel(IDC_WPA_CIPHER) == 0 ? '0' : '1';
}

void CPage1New::SendOperatingMode() {
    SendCommand('Q', OperatingModePayload(GetCurSel(IDC_OPERATING_MODE)), 3000);
}

void CPage1New::SendPort() {
    SendCommand('W', PortPayload(GetItemText(IDC_PORT)), 3000);
}

void CPage1New::SendRegion() {
    SendCommand('C', RegionPayload(GetCurSel(IDC_REGION)), 3000);
}

void CPage1New::SendApAddresses() {
    SendCommand('H',
                ApAddressPayload(ui::DottedAddress(GetAddress(IDC_AP_IP)),
                                 ui::DottedAddress(GetAddress(IDC_AP_NETMASK)),
                                 ui::DottedAddress(GetAddress(IDC_AP_GATEWAY))),
                5000);
}

void CPage1New::SendInfrastructureAddresses() {
    // Also for DHCP: a printer that never acknowledges must end the save with a message.
    if (GetCheck(IDC_DHCP)) {
        return SendRequest(DhcpRequest(), kWriteTimer, 5000);
    }
    SendCommand('B',
                StaticAddressPayload(ui::DottedAddress(GetAddress(IDC_IP)),
                                     ui::DottedAddress(GetAddress(IDC_NETMASK)),
                                     ui::DottedAddress(GetAddress(IDC_GATEWAY)),
                                     ui::DottedAddress(GetAddress(IDC_DNS))),
                5000);
}

void CPage1New::SendSecurityType() {
    SendCommand('I', SecurityPayload(SecurityTypeCode(), CipherCode()), 5000);
}

void CPage1New::SendSsid() {
    SendCommand('M', TextPayload(GetItemText(IDC_SSID), QuoteRule::kSpaceEqualsComma), 5000);
}

void CPage1New::SendWpaKey() {
    SendCommand('G', TextPayload(GetItemText(IDC_KEY), QuoteRule::kSpaceEqualsComma), 5000);
}

void CPage1New::SendWepKey() {
    const int index = CheckedKeyIndex();
    if (index < 0)
        return SendCommand('F', Bytes(), 5000);
    const std::string key = GetItemText(IDC_KEY);
    const bool hex = GetCurSel(IDC_KEY_FORMAT) == kFormatHex;
    SendCommand('F', WepKeyPayload(index + 1, hex, key, hex ? WepKeyBytes(key) : Bytes()), 5000);
}

void CPage1New::SendApSettings() {
    const std::string ssid = GetItemText(IDC_SSID);
    const int channel = GetCurSel(IDC_CHANNEL);
    const std::string channelText = channel < 0 ? std::string() : GetLBText(IDC_CHANNEL, channel);
    if (GetCheck(IDC_SEC_NONE)) {
        SendCommand('E', ApOpenPayload(ssid, channelText), 10000);
    } else if (GetCheck(IDC_SEC_WPA)) {
        SendCommand(
            'E',
            ApWpaPayload(ssid, channelText, SecurityTypeCode(), CipherCode(), GetItemText(IDC_KEY)),
            10000);
    } else {
        // No security chosen at all (WEP is refused before the save): nothing goes out and the
        // timer reports the failed save.
        SetTimer(kWriteTimer, 10000);
    }
}

void CPage1New::SendJoin() {
    SendCommand('D', JoinPayload(GetItemText(IDC_SSID), GetItemText(IDC_KEY)), 17000);
}

void CPage1New::SaveAck(uint8_t letter) {
    KillTimer(kWriteTimer);
    const bool accepted = (letter == 'W' ? m_rx[4] : m_rx[3]) == kAccepted;
    switch (letter) {
        case 'Q':
            return accepted ? SendPort()
                            : EndExchange(ExchangeEnd::kFailed, "Check Operating Mode");
        case 'W':
            return accepted ? SendRegion() : EndExchange(ExchangeEnd::kFailed, "Check Port Number");
        case 'C':
            if (!accepted)
                return EndExchange(ExchangeEnd::kFailed, "Check Region");
            if (IsApMode())
                return SendApAddresses();
            if (IsInfrastructureMode())
                return SendInfrastructureAddresses();
            return;
        case 'H':
            if (!accepted)
                return EndExchange(ExchangeEnd::kFailed, "Check IP,SubnetMask,Gateway");
            if (IsApMode())
                return SendApSettings();
            ui::AfxMessageBox("Not Select Soft AP Mode");
            return;
        case 'B':
            if (!accepted)
                return EndExchange(ExchangeEnd::kFailed, "Check IP,SubnetMask,Gateway,DNS");
            if (IsInfrastructureMode())
                return IsManual() ? SendSecurityType() : SendJoin();
            return;
        case 'I':
            if (!accepted)
                return EndExchange(ExchangeEnd::kFailed, "Check Key Management");
            if (GetCheck(IDC_SEC_NONE))
                return SendSsid();
            if (GetCheck(IDC_SEC_WEP))
                return SendWepKey();
            return SendWpaKey();
        case 'F':
            return accepted ? SendSsid() : EndExchange(ExchangeEnd::kFailed, "Check WEP Key Index");
        case 'G':
            return accepted ? SendSsid() : EndExchange(ExchangeEnd::kFailed, "Check WPA Key Index");
        case 'M':
            return accepted ? SaveDone()
                            : EndExchange(ExchangeEnd::kFailed, "Save Error(Infrastructure)");
        case 'E':
            return accepted ? SaveDone()
                            : EndExchange(ExchangeEnd::kFailed, "Save Error(Access Point)");
        case 'D':
            if (accepted)
                return SaveDone();
            return EndExchange(ExchangeEnd::kFailed,
                               m_rx[3] == kJoinFailed ? "Check the settings of the AP and printer."
                                                      : "Save Error(WLAN Mode(Infrastructure))");
    }
}

void CPage1New::SaveDone() {
    SetItemText(IDC_PRINTER_STATUS, "Save Success");
    ui::AfxMessageBox("Save Success", ui::kMbOk | ui::kMbIconInformation);
    EndExchange(ExchangeEnd::kSaveDone);
    UpdateData(false);
}
