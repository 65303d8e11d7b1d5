// The settings page of the legacy printers (model '3').
#pragma once

#include <cstdint>
#include <string>

#include "page_legacy/page2_records.h"
#include "page_legacy/page2_wep_keys.h"
#include "page_shared/printer_page.h"

class CPage2Old : public CPrinterPage {
  public:
    CPage2Old();

    void DoDataExchange(ui::CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnPageCommand(int id, int code) override;
    void OnPageTimer(unsigned timerId) override;
    std::vector<profile::Unproven> UnprovenSettings() override;

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
    const page2::WepKeyTables& WepKeys() const { return m_wepKeys; }
    // The seven settings groups at once, as the page opens and as a save ends.
    void EnableAllGroups(bool on);

  protected:
    void OnPageData(uint32_t count) override;
    reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count) override;
    std::string RequestName(const Bytes& head) const override;
    unsigned RequestsPlanned(ExchangeKind kind) override;

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
    int CheckedKey();  // the first checked of Key1..Key4 as 0..3, or -1

    // --- WEP key entry (page2_wep_entry.cpp) ---
    page2::WepKeySize CurrentWepSize();
    page2::WepKeyFormat KeyFormat(int key);
    void OnKeyKillFocus(int key);
    void OnKeyFormatChanged(int key);
    void OnWepSizeChanged();
    void RenderAllKeys(page2::WepKeySize size);

    // --- Requests (page2_old.cpp) ---
    void SendSetup();
    void SendIdentity();
    void SendRead(uint8_t record);
    void SendWrite(uint8_t record);
    void SendFinish();
    void SendRelease();
    void SendPending(char letter, const page2::Bytes& frame);

    // --- Read chain (page2_read.cpp) ---
    void OnReadClicked();
    void ShowIdentity(uint32_t count);
    void ReadStep(uint32_t count);
    void ApplyAddressOptions(const page2::AddressOptions& options);
    void ApplyWireless(const page2::WirelessSettings& wireless);
    void ApplyTcpIp(const page2::TcpIpSettings& tcpIp);

    // --- Save chain (page2_save.cpp) ---
    void OnSaveClicked();
    bool TakeNumbers();
    const char* WepKeyLengthFault();
    page2::LegacySettings SettingsFromPage();
    void WriteStep();

    int m_nAuthIndex = 0;  // the Authentication choice kept across None and WEP
    int m_nKeyInUse = 0;
    std::string m_strLastSsid;
    page2::WepKeyTables m_wepKeys;

    // The exchange: the last request sent, and what a save writes (taken when it begins; the
    // settings stay disabled until it ends).
    char m_cPending = 0;
    uint8_t m_byPendingRecord = 0;
    bool m_bSaving = false;
    page2::LegacySettings m_writing;
};
