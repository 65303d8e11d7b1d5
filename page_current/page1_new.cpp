// The settings page of the current-generation printers (models '5' and '7').
#include "page_current/page1_new.h"

#include "app/messages.h"
#include "page_current/page1_layout.h"
#include "ui/data_exchange.h"

using namespace page1;

CPage1New::CPage1New() : CPrinterPage(Page1Spec(), WM_PAGE1_DATA) {}

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

void CPage1New::OnPageData(uint32_t, const uint8_t*) {}
