// The settings page of the legacy printers (model '3').
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

void CPage2Old::OnPageData(uint32_t) {}
