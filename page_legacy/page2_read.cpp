// "Read WLAN Info": S, the identity block, then every record in turn, each reply filling its
// controls (only its own: a field the read has not reached keeps what the operator typed) and
// enabling their groups.
#include <algorithm>

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"
#include "page_legacy/page2_protocol.h"

using namespace page2;

void CPage2Old::OnReadClicked() {
    BeginExchange(ExchangeKind::kRead);
    m_bSaving = false;
    SendSetup();
}

void CPage2Old::ShowIdentity(uint32_t count) {
    KillTimer(kReplyTimer);
    Identity identity;
    if (DecodeIdentity(m_rx, count, &identity)) {
        m_strVersion = identity.version;
        m_strMac = identity.mac;
    }
    ShowData({IDC_VERSION, IDC_MAC});
    SendRead(kRecordIp);
}

void CPage2Old::ReadStep(uint32_t count) {
    KillTimer(kReplyTimer);
    const uint8_t record = m_byPendingRecord;
    const Bytes bytes = RecordFromReply(m_rx, count, record);
    switch (record) {
        case kRecordIp:
            m_dwIp = DecodeAddress(bytes);
            ShowData({IDC_IP});
            break;
        case kRecordNetMask:
            m_dwNetMask = DecodeAddress(bytes);
            ShowData({IDC_NETMASK});
            break;
        case kRecordGateway:
            m_dwGateway = DecodeAddress(bytes);
            ShowData({IDC_GATEWAY});
            break;
        case kRecordDns:
            m_dwDns = DecodeAddress(bytes);
            ShowData({IDC_DNS});
            break;
        case kRecordAddressOptions:
            ApplyAddressOptions(DecodeAddressOptions(bytes));
            break;
        case kRecordWireless:
            ApplyWireless(DecodeWireless(bytes));
            break;
        case kRecordSsid:
            m_strSsid = DecodeSsid(bytes);
            m_strLastSsid = m_strSsid;
            ShowData({IDC_SSID});
            break;
        case kRecordWep64:
            std::copy(bytes.begin(), bytes.end(), m_wepKeys.table64.begin());
            if (!(GetCheck(IDC_SEC_WEP) && CurrentWepSize() == WepKeySize::k128))
                RenderAllKeys(WepKeySize::k64);
            break;
        case kRecordWep128:
            std::copy(bytes.begin(), bytes.end(), m_wepKeys.table128.begin());
            if (GetCheck(IDC_SEC_WEP) && CurrentWepSize() == WepKeySize::k128)
                RenderAllKeys(WepKeySize::k128);
            break;
        case kRecordPassphrase:
            m_strWpaKey = DecodeText(bytes);
            ShowData({IDC_WPA_KEY});
            break;
        case kRecordTcpIp:
            ApplyTcpIp(DecodeTcpIp(bytes));
            break;
        case kRecordPeerDomainName:
            m_strPeerDomainName = DecodeText(bytes);
            ShowData({IDC_PEER_DOMAIN});
            break;
        case kRecordUserClassId:
            m_strUserClassId = DecodeText(bytes);
            ShowData({IDC_USER_CLASS_ID});
            EnableItems({IDC_USER_CLASS_ID, IDC_USER_CLASS_DEFAULT}, true);
            break;
    }
    const int next = NextRecord(Chain::kRead, record);
    if (next >= 0) {
        SendRead(static_cast<uint8_t>(next));
    } else {
        EndExchange(ExchangeEnd::kReadDone);
    }
}

void CPage2Old::ApplyAddressOptions(const AddressOptions& options) {
    SetCheck(IDC_DHCP, options.dhcp);
    EnableItem(IDC_DHCP, true);
    SetCheck(IDC_DNS_AUTO, options.autoDns);
    EnableItem(IDC_DNS_AUTO, options.dhcp);
    EnableItems(kAddressGroup, !options.dhcp);
}

void CPage2Old::ApplyWireless(const WirelessSettings& w) {
    EnableItems(kBasicGroup, true);
    EnableItems(kSecuritySelectorGroup, true);
    SetCurSel(IDC_WLAN_MODE, w.mode);
    // An ad-hoc network picks its own channel and has no WPA.
    EnableItem(IDC_CHANNEL, w.mode == kModeAdHoc);
    EnableItem(IDC_SEC_WPA, w.mode != kModeAdHoc);
    SetCurSel(IDC_CHANNEL, w.channel - 1);
    if (w.wepKeySize == 0) {
        OnNoneSelected();
        SetCurSel(IDC_WEP_SIZE, 0);
    } else {
        OnWepSelected();
        SetCurSel(IDC_WEP_SIZE, w.wepKeySize - 1);
    }
    if (w.wepKeyIndex < kWepKeyCount)
        OnKeySelected(w.wepKeyIndex);
    SetCurSel(IDC_AUTHENTICATION, w.authentication);
    // WPA wins over WEP when the printer reports both.
    if (w.wpaType == kWpaNone) {
        SetCurSel(IDC_WPA_ENCRYPTION, 0);
    } else if (w.wpaType == kWpaPsk || w.wpaType == kWpa2Psk) {
        OnWpaSelected();
        SetCurSel(IDC_WPA_ENCRYPTION, w.wpaType == kWpaPsk ? 0 : 1);
    }
    SetCurSel(IDC_WPA_CIPHER, w.wpaCipher - 1);
}

void CPage2Old::ApplyTcpIp(const TcpIpSettings& t) {
    EnableItems(kTcpIpGroup, true);
    m_dwPeerIp = t.peerIp;
    m_dwPort = t.port;
    m_dwPeerPort = t.peerPort;
    SetCurSel(IDC_MUX_TYPE, t.muxType);
    SetCheck(IDC_COD_LISTEN, t.codListen);
    m_dwWaterMark = t.waterMark;
    ShowData({IDC_PEER_IP, IDC_PORT, IDC_PEER_PORT, IDC_WATER_MARK});
}
