// "Read WLAN Info": the chain of read requests, each reply filling its controls and asking for
// the next item.
#include <optional>
#include <string>
#include <vector>

#include "page_current/page1_layout.h"
#include "page_current/page1_new.h"
#include "page_shared/panel.h"
#include "page_shared/unlisted_value.h"

using namespace page1;

namespace {
constexpr const char* kFailedToRead = "Failed to read data";
// Version, MAC Address, WLAN Mode, Operating Mode, SSID, Port, Region, Channel, the mode's
// addresses and the security.
constexpr unsigned kReadsBeforeSecurityDetails = 10;
// WEP goes on with its key index and key, WPA with its cipher and key.
constexpr unsigned kSecurityDetailReads = 2;
}  // namespace

void CPage1New::OnReadClicked() {
    if (CPanel* panel = ThePanel()) {
        // Over USB the panel then passes a reply on only once it is complete.
        panel->m_bPage1Read = true;
        panel->m_bPage1Save = false;
    }
    m_bReading = true;
    m_bSaving = false;
    m_strKey.clear();
    SetItemText(IDC_KEY, "");
    m_readsPlanned = kReadsBeforeSecurityDetails;
    m_unlisted.clear();
    BeginExchange(ExchangeKind::kRead);
    SendFixed('R', kItemVersion, kConnectTimer, 3000);
}

void CPage1New::ReadStep(uint8_t letter, uint32_t count) {
    if (letter == 'R') {
        const uint8_t item = m_rx[3];
        KillTimer(item == kItemVersion ? kConnectTimer : kReadTimer);
        if (m_rx[4] != kAccepted)
            return EndExchange(ExchangeEnd::kFailed, kFailedToRead);
        return ReadItem(item, ReadValue(m_rx, count));
    }

    KillTimer(kReadTimer);
    const std::string value = QueryValue(m_rx, count);
    switch (letter) {
        case 'Q':
            SetCurSel(IDC_OPERATING_MODE, BandIndex(value.empty() ? 0 : value[0]));
            SendRead(kItemSsid);
            break;
        case 'C':
            SetCurSel(IDC_REGION, RegionIndex(value));
            if (GetCurSel(IDC_REGION) < 0)
                NoteUnlisted("Region", value);
            SendRead(kItemChannel);
            break;
        case 'H':
        case 'B':
            ReadAddresses(letter, count);
            break;
    }
}

void CPage1New::ReadAddresses(uint8_t letter, uint32_t count) {
    // Addresses the page cannot read whole are never shown, or the next Save would write them.
    const std::optional<std::vector<std::string>> fields = AddressFields(m_rx, count);
    if (!fields)
        return EndExchange(ExchangeEnd::kFailed, kFailedToRead);
    const std::vector<std::string>& field = *fields;
    if (letter == 'H') {
        m_dwApIp = ParseDottedAddress(field[0]);
        m_dwApNetMask = ParseDottedAddress(field[1]);
        m_dwApGateway = ParseDottedAddress(field[2]);
        ShowData({IDC_AP_IP, IDC_AP_NETMASK, IDC_AP_GATEWAY});
        // A mode the page does not know reads the other mode's addresses too.
        if (IsApMode()) {
            SendRead(kItemSecurity);
        } else {
            SendFixed('B', '?', kReadTimer, 5000);
        }
        return;
    }
    if (field[0] == "0" || field[0] == "1") {
        const bool dhcp = field[0] == "1";
        SetCheck(IDC_DHCP, dhcp ? 1 : 0);
        EnableInfrastructureAddresses(!dhcp);
    }
    m_dwIp = ParseDottedAddress(field[1]);
    m_dwNetMask = ParseDottedAddress(field[2]);
    m_dwGateway = ParseDottedAddress(field[3]);
    m_dwDns = ParseDottedAddress(field[4]);
    ShowData({IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS});
    SendRead(kItemSecurity);
}

void CPage1New::ReadItem(uint8_t item, const std::string& value) {
    switch (item) {
        case kItemVersion:
            EnableSettings(true);
            m_strVersion = value;
            ShowData({IDC_VERSION});
            SendRead(kItemMac);
            break;
        case kItemMac:
            m_strMac = value;
            ShowData({IDC_MAC});
            SendRead(kItemWlanMode);
            break;
        case kItemWlanMode:
            if (value == "0") {
                SetCurSel(IDC_WLAN_MODE, kWlanModeInfrastructure);
                EnableItem(IDC_CHANNEL, false);
                EnableApAddresses(false);
            } else if (value == "2") {
                SetCurSel(IDC_WLAN_MODE, kWlanModeAp);
                EnableItem(IDC_DHCP, false);
                EnableInfrastructureAddresses(false);
                EnableItem(IDC_CHANNEL, true);
                ApplyApSecurityRules();
            } else {
                // Either mode's controls stay offered until the operator chooses one.
                SetCurSel(IDC_WLAN_MODE, -1);
                NoteUnlisted("WLAN Mode", value);
                ++m_readsPlanned;  // both modes' addresses
            }
            SendFixed('Q', '?', kReadTimer, 3000);
            break;
        case kItemSsid:
            m_strSsid = value;
            m_strLastSsid = value;
            ShowData({IDC_SSID});
            SendRead(kItemPort);
            break;
        case kItemPort:
            m_strPort = value;
            ShowData({IDC_PORT});
            SendFixed('C', '?', kReadTimer, 3000);
            break;
        case kItemChannel:
            ChannelStep(value);
            break;
        case kItemSecurity:
            SecurityStep(value);
            break;
        case kItemCipher:
            if (value == "0" || value == "1") {
                SetCurSel(IDC_WPA_CIPHER, value == "0" ? 0 : 1);
            } else {
                SetCurSel(IDC_WPA_CIPHER, -1);
                NoteUnlisted("WPA Cipher", value);
            }
            SendRead(kItemWpaKey);
            break;
        case kItemWpaReserved:
            SendRead(kItemWpaKey);
            break;
        case kItemWepIndex:
            CheckKeyIndex(value == "1" ? 0 : value == "2" ? 1 : value == "3" ? 2 : 3);
            SendRead(kItemWepKey);
            break;
        case kItemWepKey:
            WepKeyStep(value);
            break;
        case kItemWpaKey:
            m_strKey = value == "null" ? std::string() : value;
            ShowData({IDC_KEY});
            // The last reply of a WPA read: the read is complete.
            EndRead();
            break;
    }
}

void CPage1New::ChannelStep(const std::string& value) {
    BuildChannelList();
    int channel = -1;
    for (int i = 0; i < GetItemCount(IDC_CHANNEL) && channel < 0; ++i) {
        if (GetLBText(IDC_CHANNEL, i) == value)
            channel = i;
    }
    SetCurSel(IDC_CHANNEL, channel);
    if (channel < 0)
        NoteUnlisted("Channel", value);
    if (IsInfrastructureMode()) {
        SendFixed('B', '?', kReadTimer, 5000);
    } else {
        SendFixed('H', '?', kReadTimer, 3000);
    }
}

void CPage1New::SecurityStep(const std::string& value) {
    const bool manual = IsApMode() || GetCheck(IDC_MANUAL_SETTING) != 0;
    if (!manual)
        EnableSecurityControls(false);
    if (value == "0") {
        CheckRadio(kSecurityRadios, IDC_SEC_NONE);
        EnableSecurityDetails(false, false, !manual);
        m_strKey.clear();
        ShowData({IDC_KEY});
        return EndRead();
    }
    m_readsPlanned += kSecurityDetailReads;
    if (value == "1") {
        CheckRadio(kSecurityRadios, IDC_SEC_WEP);
        EnableWpaControls(false);
        EnableWepControls(manual);
        SendRead(kItemWepIndex);
        return;
    }
    CheckRadio(kSecurityRadios, IDC_SEC_WPA);
    SetCurSel(IDC_WPA_ENCRYPTION, value == "2" ? 0 : 1);
    EnableWepControls(false);
    EnableWpaControls(manual);
    SendRead(kItemCipher);
}

void CPage1New::WepKeyStep(const std::string& value) {
    SetCurSel(IDC_KEY_FORMAT, kFormatAscii);
    if (value == "null") {
        m_strKey.clear();
        ShowData({IDC_KEY});
        return EndRead();
    }
    m_strKey = value;
    ShowData({IDC_KEY});
    switch (value.size()) {
        case 5:
            SetCurSel(IDC_WEP_SIZE, 0);
            break;
        case 13:
            SetCurSel(IDC_WEP_SIZE, 1);
            break;
        case 10:
            SetCurSel(IDC_WEP_SIZE, 0);
            SetCurSel(IDC_KEY_FORMAT, kFormatHex);
            break;
        case 26:
            SetCurSel(IDC_WEP_SIZE, 1);
            SetCurSel(IDC_KEY_FORMAT, kFormatHex);
            break;
    }
    EndRead();
}

void CPage1New::NoteUnlisted(const char* setting, const std::string& value) {
    m_unlisted.push_back(UnlistedValueMessage(setting, value));
}

// One box for everything the read could not show, once the read is complete.
void CPage1New::EndRead() {
    std::string warning;
    for (const std::string& line : m_unlisted)
        warning += (warning.empty() ? "" : "\n") + line;
    EndExchange(ExchangeEnd::kReadDone, warning);
}
