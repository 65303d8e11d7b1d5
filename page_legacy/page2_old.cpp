// The settings page of the legacy printers (model '3'): set-up and the dispatch of the operator's
// actions.
#include "page_legacy/page2_old.h"

#include "app/messages.h"
#include "page_legacy/page2_layout.h"
#include "ui/data_exchange.h"

using namespace page2;

CPage2Old::CPage2Old()
    : CPrinterPage(Page2Desc(), WM_PAGE2_DATA, {IDC_READ, IDC_SAVE, IDC_STATUS}) {}

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

void CPage2Old::OnCommand(int id, int code) {
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
        }
    }
    if (code == ui::kEnKillFocus && id == IDC_SSID)
        return OnSsidKillFocus();
    CPrinterPage::OnCommand(id, code);
}

void CPage2Old::OnPageData(uint32_t) {}
