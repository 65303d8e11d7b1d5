// The settings page of the current-generation printers (models '5' and '7').
#pragma once

#include <cstdint>
#include <string>

#include "app/printer_page.h"

class CPage1New : public CPrinterPage {
  public:
    CPage1New();

    void DoDataExchange(ui::CDataExchange& dx) override;

    // Held values of the edits and address controls; addresses carry the first octet high.
    std::string m_strVersion;
    std::string m_strMac;
    std::string m_strPort = "9100";
    std::string m_strSsid = "QUARNE";
    std::string m_strKey;
    uint32_t m_dwIp = 0;
    uint32_t m_dwNetMask = 0;
    uint32_t m_dwGateway = 0;
    uint32_t m_dwDns = 0;
    uint32_t m_dwApIp = 0;
    uint32_t m_dwApNetMask = 0;
    uint32_t m_dwApGateway = 0;

  protected:
    void OnPageData(uint32_t count, const uint8_t* data) override;
};
