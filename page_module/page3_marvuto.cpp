// The settings page of printers with the Wi-Fi module (model '4', or no answer to identification):
// set-up, requests, reply dispatch and reply timers.
#include "page_module/page3_marvuto.h"

#include "page_module/page3_layout.h"
#include "page_module/page3_profile.h"
#include "page_module/page3_trace_keys.h"
#include "page_shared/entry_text.h"
#include "page_shared/messages.h"
#include "ui/data_exchange.h"

using namespace page3;

CPage3Marvuto::CPage3Marvuto()
    : CPrinterPage(Page3Desc(), WM_PAGE3_DATA,
                   {IDC_READ, IDC_SAVE, IDC_PRINTER_STATUS, IDC_VERSION, IDC_MAC}, page3::TraceKeys,
                   page3::ProfileFamily()) {}

void CPage3Marvuto::DoDataExchange(ui::CDataExchange& dx) {
    dx.Text(IDC_SSID, m_strSsid, 32);
    dx.Text(IDC_PORT, m_strPort, 5);
    // The key's limit follows the security choice, so the handlers set it, not the exchange.
    dx.Text(IDC_KEY, m_strKey);
    dx.Text(IDC_HOST_NAME, m_strHostName, 32);
    dx.Address(IDC_IP, m_dwIp);
    dx.Address(IDC_NETMASK, m_dwNetMask);
    dx.Address(IDC_GATEWAY, m_dwGateway);
    dx.Address(IDC_DNS, m_dwDns);
    dx.Address(IDC_AP_IP, m_dwApIp);
}

bool CPage3Marvuto::OnInitDialog() {
    CPrinterPage::OnInitDialog();
    SetCurSel(IDC_WLAN_MODE, kWlanModeAp);
    SetCurSel(IDC_REGION_COUNTRY, 2);  // SG
    SetCurSel(IDC_REGION_NUMERIC, 0);
    SetCurSel(IDC_WEP_TYPE, kWep64);
    SetCurSel(IDC_DATA_TYPE, kDataTypeAscii);
    CheckRadio(kSecurityRadios, IDC_SEC_NONE);
    m_dwApIp = entry::ParseDottedAddress("192.168.10.1");
    SetAddress(IDC_AP_IP, m_dwApIp);

    EnableItems(kAllSettings, false);
    ShowItem(IDC_REGION_NUMERIC, false);
    m_bReadDone = false;
    ShowHelpLine(false);
    m_strKeyBinary.clear();
    m_strKeyHex.clear();
    m_strLastSsid.clear();
    m_bConvertAsAscii = false;
    return true;
}

void CPage3Marvuto::OnPageCommand(int id, int code) {
    if (code == ui::kBnClicked) {
        switch (id) {
            case IDC_READ:
                return OnReadClicked();
            case IDC_SAVE:
                return OnSaveClicked();
            case IDC_DHCP:
                return EnableItems(kInfrastructureAddresses, GetCheck(IDC_DHCP) == 0);
            case IDC_AP_IP_WRITE:
                return EnableItem(IDC_AP_IP, GetCheck(IDC_AP_IP_WRITE) != 0);
            case IDC_MDNS:
                return EnableItem(IDC_HOST_NAME, GetCheck(IDC_MDNS) != 0);
            case IDC_SEC_NONE:
            case IDC_SEC_WEP:
            case IDC_SEC_WPA:
            case IDC_SEC_WPA2:
            case IDC_SEC_WPA_WPA2:
                return OnSecurityClicked(id);
        }
    }
    if (code == ui::kCbnSelChange) {
        switch (id) {
            case IDC_WLAN_MODE:
                return OnWlanModeChanged();
            case IDC_WEP_TYPE:
                return OnWepTypeChanged();
            case IDC_DATA_TYPE:
                return OnDataTypeChanged();
        }
    }
    if (code == ui::kEnKillFocus) {
        if (id == IDC_KEY)
            return UpdateKeyForms();
        if (id == IDC_SSID)
            return OnSsidKillFocus();
    }
    CPrinterPage::OnPageCommand(id, code);
}

void CPage3Marvuto::OnPageTimer(unsigned timerId) {
    if (timerId == kVersionAgainTimer) {
        KillTimer(kVersionAgainTimer);
        // A read that ended meanwhile (stopped, or its line gone) asks nothing more.
        if (!IsExchanging())
            return;
        ++m_versionAsks;
        return RepeatRequest(VersionRequest());
    }
    // V's time-out also ends a pause before V is asked again.
    KillTimer(kVersionAgainTimer);
    const char* text = TimeoutText(timerId);
    if (text == nullptr)
        return CPrinterPage::OnPageTimer(timerId);
    KillTimer(timerId);
    EndExchange(ExchangeEnd::kFailed, text);
    // Both buttons come back: a save may follow a partial read.
    EnableItem(IDC_SAVE, true);
}

reply::Cut CPage3Marvuto::CutReply(const Bytes* request, const uint8_t* held, size_t count) {
    return page3::CutReply(request, held, count, ReadKeyForm());
}

void CPage3Marvuto::OnPageData(uint32_t count) {
    // Only a whole reply to the request outstanding comes here.
    switch (ReplyLetter(m_rx, count)) {
        case kBeginLetter:
            return SendRead(kItemMode);
        case kVersionLetter:
            return OnVersionReply(count);
        case kReadLetter:
            return OnReadReply(count);
        case kWriteLetter:
            return OnWriteReply(count);
    }
}

std::string CPage3Marvuto::RequestName(const Bytes& head) const {
    return page3::RequestName(head);
}

unsigned CPage3Marvuto::RequestsPlanned(ExchangeKind kind) {
    return kind == ExchangeKind::kRead ? ReadsPlanned() : WritesPlanned();
}

void CPage3Marvuto::SendVersion() {
    ++m_versionAsks;
    SendRequest(VersionRequest(), kVersionTimer, kReplyTimeoutMs);
}

// The MAC address and I wait for their replies like every other read, so a module that stops
// answering there still ends the read with a message.
void CPage3Marvuto::SendReadMac() {
    SendRead(kItemMac);
}

void CPage3Marvuto::SendBegin() {
    SendRequest(BeginRequest(), kReadTimer, kReplyTimeoutMs);
}

void CPage3Marvuto::SendRead(uint8_t item) {
    SendRequest(ReadRequest(item), kReadTimer, kReplyTimeoutMs);
}

void CPage3Marvuto::SendWrite(uint8_t item, const Bytes& value) {
    SendRequest(WriteHeader(item), value, kWriteTimer, kReplyTimeoutMs);
}
