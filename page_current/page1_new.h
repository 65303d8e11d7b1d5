// The settings page of the current-generation printers (models '5' and '7').
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "page_current/page1_protocol.h"
#include "page_shared/printer_page.h"

class CPage1New : public CPrinterPage {
  public:
    CPage1New();

    void DoDataExchange(ui::CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnPageCommand(int id, int code) override;
    void OnPageTimer(unsigned timerId) override;
    std::vector<profile::Unproven> UnprovenSettings() override;

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

    bool IsReading() const { return m_bReading; }
    bool IsSaving() const { return m_bSaving; }
    const std::string& KeyBinary() const { return m_strKeyBinary; }
    const std::string& KeyHex() const { return m_strKeyHex; }

  protected:
    void OnPageData(uint32_t count) override;
    reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count) override;
    std::string RequestName(const Bytes& head) const override;
    unsigned RequestsPlanned(ExchangeKind kind) override;

  private:
    // --- Controls (page1_controls.cpp) ---
    void BuildChannelList();
    void EnableSettings(bool on);
    void EnableWepControls(bool on);
    void EnableWpaControls(bool on);
    // The WEP group, the WPA combos and the Key edit for the security chosen.
    void EnableSecurityDetails(bool wep, bool wpa, bool key);
    void EnableSecurityControls(bool on);
    void ApplyApSecurityRules();
    void CheckKeyIndex(int index);  // 0..3
    void EnableInfrastructureAddresses(bool on);
    void EnableApAddresses(bool on);
    bool IsApMode();
    bool IsInfrastructureMode();
    bool IsManual();
    int CheckedKeyIndex();  // 0..3, or -1
    void OnWlanModeChanged();
    void OnSecurityClicked(int radioId);
    void OnManualSettingClicked();
    void OnDhcpClicked();
    void OnSsidKillFocus();
    void OnKeyKillFocus();
    void OnKeyFormatChanged();
    void OnFactoryResetClicked();

    // --- Requests and replies (page1_new.cpp) ---
    void SendCommand(char letter, const page1::Bytes& payload, unsigned ms);
    void SendFixed(char letter, uint8_t argument, unsigned timerId, unsigned ms);
    void SendRead(uint8_t item);

    // --- Read chain (page1_read.cpp) ---
    void OnReadClicked();
    void ReadStep(uint8_t letter, uint32_t count);
    void ReadItem(uint8_t item, const std::string& value);
    // The replies to H? and B?.
    void ReadAddresses(uint8_t letter, uint32_t count);
    void ChannelStep(const std::string& value);
    void SecurityStep(const std::string& value);
    void WepKeyStep(const std::string& value);
    // A value no entry of its list matches: the list is left with none, and the read's end says so.
    void NoteUnlisted(const char* setting, const std::string& value);
    void EndRead();

    // --- Save chain (page1_save.cpp) ---
    void OnSaveClicked();
    // A list left with no entry is never written as another: refused until one is chosen.
    bool CheckChoices();
    bool CheckKey();
    void SaveAck(uint8_t letter);
    void SendOperatingMode();
    void SendPort();
    void SendRegion();
    void SendApAddresses();
    void SendInfrastructureAddresses();
    void SendSecurityType();
    void SendSsid();
    void SendWepKey();
    void SendWpaKey();
    void SendApSettings();
    void SendJoin();
    void SaveDone();
    // The writes the save sends for the mode and security chosen.
    unsigned SaveWritesPlanned();
    uint8_t SecurityTypeCode();
    uint8_t CipherCode();

    bool m_bReading = false;
    bool m_bSaving = false;
    unsigned m_readsPlanned = 0;  // grows once the security read says what follows it
    // The lines of the read's warning: each value the read under way could not show.
    std::vector<std::string> m_unlisted;
    std::string m_strLastSsid;
    std::string m_strKeyBinary;
    std::string m_strKeyHex;
    bool m_bConvertAsAscii = false;
};
