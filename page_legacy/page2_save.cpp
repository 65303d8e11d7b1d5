// "Save WLAN Info": the checks, then every record written in turn, F, and the release.
#include <utility>

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"
#include "page_legacy/page2_protocol.h"
#include "ui/backend.h"
#include "ui/data_exchange.h"

using namespace page2;

namespace {
constexpr uint32_t kMaxNumber = 0xFFFF;  // the records hold 16 bits
constexpr const char* kNumberRange = "Enter an integer between 0 and 65535.";
}  // namespace

void CPage2Old::OnSaveClicked() {
    EnableItem(IDC_READ, false);
    EnableItem(IDC_SAVE, false);
    if (GetItemText(IDC_PORT).empty()) {
        ui::AfxMessageBox("Port number is missing.");
        EnableItems({IDC_READ, IDC_SAVE}, true);
        return;
    }
    if (!TakeNumbers()) {
        EnableItems({IDC_READ, IDC_SAVE}, true);
        return;
    }
    if (const char* fault = WepKeyLengthFault()) {
        ui::AfxMessageBox(fault);
        EnableItems({IDC_READ, IDC_SAVE}, true);
        UpdateData(false);
        return;
    }
    if (!MayWrite()) {
        EnableItems({IDC_READ, IDC_SAVE}, true);
        return;
    }
    EnableAllGroups(false);
    // The settings stay disabled while the records go out, so they are taken once, here.
    m_writing = SettingsFromPage();
    BeginExchange(ExchangeKind::kSave);
    m_bSaving = true;
    SendSetup();
}

// A number the printer cannot hold is refused before anything is sent, rather than written
// cut to its low 16 bits.
bool CPage2Old::TakeNumbers() {
    if (!UpdateData(true))
        return false;
    const std::pair<int, uint32_t> numbers[] = {
        {IDC_PEER_PORT, m_dwPeerPort}, {IDC_PORT, m_dwPort}, {IDC_WATER_MARK, m_dwWaterMark}};
    for (const auto& [id, value] : numbers) {
        if (value > kMaxNumber) {
            ui::AfxMessageBox(kNumberRange);
            GotoDlgCtrl(id);
            return false;
        }
    }
    return true;
}

const char* CPage2Old::WepKeyLengthFault() {
    if (GetCheck(IDC_SEC_WPA) || !GetCheck(IDC_SEC_WEP))
        return nullptr;
    const int key = CheckedKey();
    if (key < 0)
        return nullptr;
    const WepKeyFormat format = KeyFormat(key);
    const WepKeySize size = CurrentWepSize();
    const std::string text = GetItemText(IDC_KEY1_TEXT + key);
    if (static_cast<size_t>(ui::CharacterCount(text)) == WepKeyLength(format, size))
        return nullptr;
    return WepKeyLengthMessage(format, size);
}

LegacySettings CPage2Old::SettingsFromPage() {
    LegacySettings s;
    s.ip = m_dwIp;
    s.netMask = m_dwNetMask;
    s.gateway = m_dwGateway;
    s.dns = m_dwDns;
    s.addressOptions = {GetCheck(IDC_DHCP) != 0, GetCheck(IDC_DNS_AUTO) != 0};

    WirelessSettings& w = s.wireless;
    w.mode = static_cast<uint8_t>(GetCurSel(IDC_WLAN_MODE));
    w.channel = static_cast<uint8_t>(GetCurSel(IDC_CHANNEL) + 1);
    w.wepKeySize = GetCheck(IDC_SEC_WEP) ? static_cast<uint8_t>(GetCurSel(IDC_WEP_SIZE) + 1) : 0;
    w.wepKeyIndex = static_cast<uint8_t>(CheckedKey() < 0 ? 0 : CheckedKey());
    w.authentication = static_cast<uint8_t>(GetCurSel(IDC_AUTHENTICATION));
    const int encryption = GetCurSel(IDC_WPA_ENCRYPTION);
    w.wpaType = !GetCheck(IDC_SEC_WPA) ? kWpaNone
                : encryption == 0      ? kWpaPsk
                : encryption == 1      ? kWpa2Psk
                                       : kWpaNone;
    w.wpaCipher = static_cast<uint8_t>(GetCurSel(IDC_WPA_CIPHER) + 1);

    s.ssid = m_strSsid;
    s.wepKeys = m_wepKeys;
    s.wpaKey = m_strWpaKey;
    s.tcpIp.peerIp = m_dwPeerIp;
    s.tcpIp.port = static_cast<uint16_t>(m_dwPort);
    s.tcpIp.peerPort = static_cast<uint16_t>(m_dwPeerPort);
    s.tcpIp.muxType = static_cast<uint8_t>(GetCurSel(IDC_MUX_TYPE));
    s.tcpIp.codListen = GetCheck(IDC_COD_LISTEN) != 0;
    s.tcpIp.waterMark = static_cast<uint16_t>(m_dwWaterMark);
    s.peerDomainName = m_strPeerDomainName;
    s.userClassId = m_strUserClassId;
    return s;
}

void CPage2Old::WriteStep() {
    KillTimer(kReplyTimer);
    const int next = NextRecord(Chain::kWrite, m_byPendingRecord);
    if (next >= 0) {
        SendWrite(static_cast<uint8_t>(next));
    } else {
        SendFinish();
    }
}
