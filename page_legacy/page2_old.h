// The settings page of the legacy printers (model '3').
#pragma once

#include <cstdint>
#include <string>

#include "app/printer_page.h"

class CPage2Old : public CPrinterPage {
  public:
    CPage2Old();

    void DoDataExchange(ui::CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

    // Held values of the edits and address controls; addresses carry the first octet high.
    std::string m_strVersion;
    std::string m_strMac;
    uint32_t m_dwIp = 0;
    uint32_t m_dwNetMask = 0;
    uint32_t m_dwGateway = 0;
    uint32_t m_dwDns = 0;
    std::string m_strSsid = "Pellonixaltra";
    std::string m_strWepKey[4];
    std::string m_strWpaKey;
    std::string m_strUserClassId;
    uint32_t m_dwPeerIp = 0;
    uint32_t m_dwPeerPort = 0;
    uint32_t m_dwPort = 9100;
    uint32_t m_dwWaterMark = 0;
    std::string m_strPeerDomainName;

    int KeyInUse() const { return m_nKeyInUse; }
    // The seven settings groups at once, as the page opens and as a save ends.
    void EnableAllGroups(bool on);

  protected:
    void OnPageData(uint32_t count) override;

  private:
    // --- Controls (page2_controls.cpp) ---
    void FillAuthentication(bool wep);
    void OnNoneSelected();
    void OnWepSelected();
    void OnWpaSelected();
    void OnKeySelected(int key);  // 0..3
    void OnDhcpClicked();
    void OnModeChanged();
    void ApplyCipherRule();
    void OnUserClassDefault();
    void OnSsidKillFocus();

    int m_nAuthIndex = 0;  // the Authentication choice kept across None and WEP
    int m_nKeyInUse = 0;
    std::string m_strLastSsid;
};
