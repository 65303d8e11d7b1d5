// The settings page of printers with the Wi-Fi module (model '4', or no answer to identification).
#pragma once

#include <cstdint>
#include <string>

#include "app/printer_page.h"

class CPage3Marvuto : public CPrinterPage {
  public:
    CPage3Marvuto();

    void DoDataExchange(ui::CDataExchange& dx) override;

    // Held values of the edits and address controls; addresses carry the first octet high.
    std::string m_strSsid;
    std::string m_strPort;
    std::string m_strKey;
    std::string m_strHostName = "HostName";
    uint32_t m_dwIp = 0;
    uint32_t m_dwNetMask = 0;
    uint32_t m_dwGateway = 0;
    uint32_t m_dwDns = 0;
    uint32_t m_dwApIp = 0;

  protected:
    void OnPageData(uint32_t count) override;
};
