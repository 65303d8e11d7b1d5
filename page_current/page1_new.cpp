// The settings page of the current-generation printers (models '5' and '7'): set-up, commands,
// reply dispatch and reply timers.
#include "page_current/page1_new.h"

#include "page_current/page1_layout.h"
#include "page_current/page1_profile.h"
#include "page_current/page1_trace_keys.h"
#include "page_shared/messages.h"
#include "ui/data_exchange.h"

using namespace page1;

CPage1New::CPage1New()
    : CPrinterPage(Page1Desc(), WM_PAGE1_DATA,
                   {IDC_READ, IDC_SAVE, IDC_PRINTER_STATUS, IDC_VERSION, IDC_MAC}, page1::TraceKeys,
                   page1::ProfileFamily()) {}

void CPage1New::DoDataExchange(ui::CDataExchange& dx) {
    dx.Text(IDC_VERSION, m_strVersion);
    dx.Text(IDC_MAC, m_strMac);
    dx.Text(IDC_PORT, m_strPort, 5);
    dx.Text(IDC_SSID, m_strSsid, 32);
    dx.Text(IDC_KEY, m_strKey, 63);
    dx.Address(IDC_IP, m_dwIp);
    dx.Address(IDC_NETMASK, m_dwNetMask);
    dx.Address(IDC_GATEWAY, m_dwGateway);
    dx.Address(IDC_DNS, m_dwDns);
    dx.Address(IDC_AP_IP, m_dwApIp);
    dx.Address(IDC_AP_NETMASK, m_dwApNetMask);
    dx.Address(IDC_AP_GATEWAY, m_dwApGateway);
}

bool CPage1New::OnInitDialog() {
    CPrinterPage::OnInitDialog();
    EnableSettings(false);
    EnableSecurityControls(false);
    m_bReading = false;
    m_bSaving = false;
    m_strKeyBinary.clear();
    m_strKeyHex.clear();
    BuildChannelList();

    SetCurSel(IDC_WLAN_MODE, kWlanModeAp);
    SetCurSel(IDC_REGION, 26);
    CheckRadio(kSecurityRadios, IDC_SEC_NONE);
    SetCurSel(IDC_OPERATING_MODE, 2);
    SetCurSel(IDC_CHANNEL, 0);
    SetCurSel(IDC_WEP_SIZE, 0);
    SetCurSel(IDC_KEY_FORMAT, kFormatAscii);
    SetCurSel(IDC_WPA_ENCRYPTION, 1);
    SetCurSel(IDC_WPA_CIPHER, 1);
    SetCheck(IDC_MANUAL_SETTING, 1);
    EnableItem(IDC_READ, true);
    EnableItem(IDC_SAVE, false);

    m_dwApIp = ParseDottedAddress("192.168.10.1");
    m_dwApNetMask = ParseDottedAddress("255.255.255.0");
    m_dwApGateway = ParseDottedAddress("192.168.10.1");
    SetAddress(IDC_AP_IP, m_dwApIp);
    SetAddress(IDC_AP_NETMASK, m_dwApNetMask);
    SetAddress(IDC_AP_GATEWAY, m_dwApGateway);
    return true;
}

void CPage1New::OnPageCommand(int id, int code) {
    if (code == ui::kBnClicked) {
        switch (id) {
            case IDC_READ:
                return OnReadClicked();
            case IDC_SAVE:
                return OnSaveClicked();
            case IDC_DHCP:
                return OnDhcpClicked();
            case IDC_SEC_NONE:
            case IDC_SEC_WEP:
            case IDC_SEC_WPA:
                return OnSecurityClicked(id);
            case IDC_MANUAL_SETTING:
                return OnManualSettingClicked();
            case IDC_FACTORY_RESET:
                return OnFactoryResetClicked();
        }
    }
    if (code == ui::kCbnSelChange) {
        switch (id) {
            case IDC_WLAN_MODE:
                return OnWlanModeChanged();
            case IDC_REGION:
            case IDC_OPERATING_MODE:
                return BuildChannelList();
            case IDC_KEY_FORMAT:
                return OnKeyFormatChanged();
        }
    }
    if (code == ui::kEnKillFocus) {
        if (id == IDC_SSID)
            return OnSsidKillFocus();
        if (id == IDC_KEY)
            return OnKeyKillFocus();
    }
    CPrinterPage::OnPageCommand(id, code);
}

void CPage1New::OnPageTimer(unsigned timerId) {
    KillTimer(timerId);
    switch (timerId) {
        case kConnectTimer:
            EndExchange(ExchangeEnd::kFailed, "Connection failure : Error [Timeout]");
            EnableSettings(false);
            break;
        case kResetTimer:
            ui::AfxMessageBox("Update Failure : Error [Timeout]");
            break;
        case kReadTimer:
            EndExchange(ExchangeEnd::kFailed, "Read Error : code [Timeout]");
            break;
        case kWriteTimer:
            EndExchange(ExchangeEnd::kFailed, "Write Error : code [Timeout]");
            break;
    }
}

reply::Cut CPage1New::CutReply(const Bytes* request, const uint8_t* held, size_t count) {
    return page1::CutReply(request, held, count);
}

void CPage1New::OnPageData(uint32_t count) {
    // Held values follow the fields, quietly (a field that cannot be taken keeps its text), for
    // the end of a save shows them all; a read step shows only what it read.
    TakeData({});
    // Only a whole reply to the request outstanding comes here.
    const uint8_t letter = m_rx[2];
    const bool readingOnly = m_bReading && !m_bSaving;
    const bool savingOnly = m_bSaving && !m_bReading;
    switch (letter) {
        case 'R':
            if (readingOnly)
                ReadStep(letter, count);
            break;
        case 'B':
        case 'C':
        case 'H':
        case 'Q':
            if (readingOnly) {
                ReadStep(letter, count);
            } else {
                SaveAck(letter);
            }
            break;
        case 'O':
            KillTimer(kResetTimer);
            ui::AfxMessageBox(m_rx[3] == kAccepted ? "Initialization Success"
                                                   : "Initialization Fail");
            break;
        default:
            if (savingOnly)
                SaveAck(letter);
            break;
    }
}

std::string CPage1New::RequestName(const Bytes& head) const {
    return page1::RequestName(head);
}

unsigned CPage1New::RequestsPlanned(ExchangeKind kind) {
    // The settings are locked while a save runs, so its writes follow from them throughout.
    return kind == ExchangeKind::kRead ? m_readsPlanned : SaveWritesPlanned();
}

void CPage1New::SendCommand(char letter, const Bytes& payload, unsigned ms) {
    SendRequest(Header(letter), payload, kWriteTimer, ms);
}

void CPage1New::SendFixed(char letter, uint8_t argument, unsigned timerId, unsigned ms) {
    SendRequest(FixedRequest(letter, argument), timerId, ms);
}

void CPage1New::SendRead(uint8_t item) {
    SendFixed('R', item, kReadTimer, 3000);
}
