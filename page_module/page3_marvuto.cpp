// The settings page of printers with the Wi-Fi module (model '4', or no answer to identification).
#include "page_module/page3_marvuto.h"

#include "app/messages.h"
#include "page_module/page3_layout.h"
#include "ui/data_exchange.h"

using namespace page3;

CPage3Marvuto::CPage3Marvuto()
    : CPrinterPage(Page3Desc(), WM_PAGE3_DATA, {IDC_READ, IDC_SAVE, IDC_PRINTER_STATUS}) {}

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

void CPage3Marvuto::OnPageData(uint32_t) {}
