// The settings page of the legacy printers (model '3'): set-up, the dispatch of the operator's
// actions and of the printer's replies, the requests and their reply timer.
#include "page_legacy/page2_old.h"

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_profile.h"
#include "page_legacy/page2_protocol.h"
#include "page_legacy/page2_trace_keys.h"
#include "page_shared/messages.h"
#include "ui/data_exchange.h"

using namespace page2;

CPage2Old::CPage2Old()
    : CPrinterPage(Page2Desc(), WM_PAGE2_DATA,
                   {IDC_READ, IDC_SAVE, IDC_STATUS, IDC_VERSION, IDC_MAC}, page2::TraceKeys,
                   page2::ProfileFamily()) {}

void CPage2Old::DoDataExchange(ui::CDataExchange& dx) {
    dx.Text(IDC_VERSION, m_strVersion);
    dx.Text(IDC_MAC, m_strMac);
    dx.Address(IDC_IP, m_dwIp);
    dx.Address(IDC_NETMASK, m_dwNetMask);
    dx.Address(IDC_GATEWAY, m_dwGateway);
    dx.Address(IDC_DNS, m_dwDns);
    dx.Text(IDC_SSID, m_strSsid, 32);
    for (int i = 0; i < 4; ++i)
        dx.Text(IDC_KEY1_TEXT + i, m_strWepKey[i], 26);
    dx.Text(IDC_WPA_KEY, m_strWpaKey, 32);
    dx.Text(IDC_USER_CLASS_ID, m_strUserClassId, 64);
    dx.Address(IDC_PEER_IP, m_dwPeerIp);
    dx.Number(IDC_PEER_PORT, m_dwPeerPort);
    dx.Number(IDC_PORT, m_dwPort);
    dx.Number(IDC_WATER_MARK, m_dwWaterMark);
    dx.Text(IDC_PEER_DOMAIN, m_strPeerDomainName, 63);
}

bool CPage2Old::OnInitDialog() {
    CPrinterPage::OnInitDialog();
    SetCurSel(IDC_WLAN_MODE, kModeInfrastructure);
    SetCurSel(IDC_WEP_SIZE, 0);
    CheckRadio(kSecurityRadios, IDC_SEC_NONE);
    CheckRadio(kKeyButtons, IDC_KEY1);
    for (int i = 0; i < 4; ++i)
        SetCurSel(IDC_KEY1_FORMAT + i, kFormatAscii);
    SetCurSel(IDC_WPA_ENCRYPTION, 0);
    SetCurSel(IDC_WPA_CIPHER, 0);
    EnableItem(IDC_READ, true);
    EnableItem(IDC_SAVE, false);
    EnableAllGroups(false);
    m_nAuthIndex = 0;
    m_nKeyInUse = 0;
    m_strLastSsid.clear();
    return true;
}

void CPage2Old::OnPageCommand(int id, int code) {
    if (code == ui::kBnClicked) {
        switch (id) {
            case IDC_SEC_NONE:
                return OnNoneSelected();
            case IDC_SEC_WEP:
                return OnWepSelected();
            case IDC_SEC_WPA:
                return OnWpaSelected();
            case IDC_KEY1:
            case IDC_KEY2:
            case IDC_KEY3:
            case IDC_KEY4:
                return OnKeySelected(id - IDC_KEY1);
            case IDC_DHCP:
                return OnDhcpClicked();
            case IDC_USER_CLASS_DEFAULT:
                return OnUserClassDefault();
            case IDC_READ:
                return OnReadClicked();
            case IDC_SAVE:
                return OnSaveClicked();
        }
    }
    if (code == ui::kCbnSelChange) {
        switch (id) {
            case IDC_AUTHENTICATION:
                m_nAuthIndex = GetCurSel(IDC_AUTHENTICATION);
                return;
            case IDC_WLAN_MODE:
                return OnModeChanged();
            case IDC_WPA_ENCRYPTION:
            case IDC_WPA_CIPHER:
                return ApplyCipherRule();
            case IDC_WEP_SIZE:
                return OnWepSizeChanged();
            case IDC_KEY1_FORMAT:
            case IDC_KEY2_FORMAT:
            case IDC_KEY3_FORMAT:
            case IDC_KEY4_FORMAT:
                return OnKeyFormatChanged(id - IDC_KEY1_FORMAT);
        }
    }
    if (code == ui::kEnKillFocus) {
        switch (id) {
            case IDC_SSID:
                return OnSsidKillFocus();
            case IDC_KEY1_TEXT:
            case IDC_KEY2_TEXT:
            case IDC_KEY3_TEXT:
            case IDC_KEY4_TEXT:
                return OnKeyKillFocus(id - IDC_KEY1_TEXT);
        }
    }
    CPrinterPage::OnPageCommand(id, code);
}

void CPage2Old::OnPageTimer(unsigned timerId) {
    if (timerId != kReplyTimer)
        return;
    EndExchange(ExchangeEnd::kFailed, TimeoutText(m_cPending));
}

void CPage2Old::OnPageData(uint32_t count) {
    // Only a whole reply to the request outstanding, or a notice, comes here.
    switch (ActionOf(m_rx[2])) {
        case ReplyAction::kError:
            EndExchange(ExchangeEnd::kFailed, ErrorText(m_cPending));
            // A printer that refuses the release too is not asked again and again.
            if (m_cPending != kRelease)
                SendRelease();
            break;
        case ReplyAction::kSetup:
            KillTimer(kReplyTimer);
            if (m_bSaving) {
                SendWrite(kRecordIp);
            } else {
                SendIdentity();
            }
            break;
        case ReplyAction::kIdentity:
            ShowIdentity(count);
            break;
        case ReplyAction::kRead:
            ReadStep(count);
            break;
        case ReplyAction::kWrite:
            WriteStep();
            break;
        case ReplyAction::kFinish:
            KillTimer(kReplyTimer);
            SetItemText(IDC_STATUS, kWriteSuccess);
            ui::AfxMessageBox(kSuccess, ui::kMbOk | ui::kMbIconInformation);
            SendRelease();
            break;
        case ReplyAction::kRelease:
            EndExchange(ExchangeEnd::kSaveDone);
            break;
        case ReplyAction::kUpdateSuccess:
            ui::AfxMessageBox(kUpdateSuccess);
            break;
        case ReplyAction::kShowFf:
            // The notice is whole (its 00, or the line's quiet): its last byte decides.
            if (m_rx[count - 1] == 0)
                ui::AfxMessageBox(kFfText);
            break;
        case ReplyAction::kNone:
            break;
    }
}

reply::Cut CPage2Old::CutReply(const Bytes* request, const uint8_t* held, size_t count) {
    return page2::CutReply(request, held, count);
}

std::string CPage2Old::RequestName(const Bytes& head) const {
    return page2::RequestName(head);
}

// Neither chain depends on a reply: a read is S, C and R of each record; a save is S, W of each
// record, F and G.
unsigned CPage2Old::RequestsPlanned(ExchangeKind kind) {
    return kind == ExchangeKind::kRead ? 2 + ChainLength(Chain::kRead)
                                       : 3 + ChainLength(Chain::kWrite);
}

void CPage2Old::SendPending(char letter, const Bytes& frame) {
    m_cPending = letter;
    SendRequest(frame, kReplyTimer, kReplyTimeoutMs);
}

void CPage2Old::SendSetup() {
    SendPending(kSetup, Request(kSetup));
}

void CPage2Old::SendIdentity() {
    SendPending(kIdentity, Request(kIdentity));
}

void CPage2Old::SendRead(uint8_t record) {
    m_byPendingRecord = record;
    SendPending(kRead, Request(kRead, record));
}

void CPage2Old::SendWrite(uint8_t record) {
    m_byPendingRecord = record;
    m_cPending = kWrite;
    const WriteFrames frames = WriteRequest(record, EncodeRecord(record, m_writing));
    SendRequest(frames.header, frames.payload, kReplyTimer, kReplyTimeoutMs);
}

void CPage2Old::SendFinish() {
    SendPending(kFinish, Request(kFinish));
}

void CPage2Old::SendRelease() {
    // Awaited like every request, so a printer that never releases still ends the save.
    SendPending(kRelease, Request(kRelease));
}
