// The settings page of printers with the Wi-Fi module (model '4', or no answer to identification).
#pragma once

#include <cstdint>
#include <string>

#include "page_module/page3_keys.h"
#include "page_module/page3_protocol.h"
#include "page_shared/printer_page.h"

class CPage3Marvuto : public CPrinterPage {
  public:
    CPage3Marvuto();

    void DoDataExchange(ui::CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnPageCommand(int id, int code) override;
    void OnPageTimer(unsigned timerId) override;
    std::vector<profile::Unproven> UnprovenSettings() override;

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

    const std::string& KeyBinary() const { return m_strKeyBinary; }
    const std::string& KeyHex() const { return m_strKeyHex; }

  protected:
    void OnPageData(uint32_t count) override;
    reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count) override;
    std::string RequestName(const Bytes& head) const override;
    unsigned RequestsPlanned(ExchangeKind kind) override;

  private:
    enum class Mode { kAccessPoint, kInfrastructure };

    // --- Controls (page3_controls.cpp) ---
    bool IsHex();
    bool IsWpaChecked();
    // How a key read now is taken: the Data Type and the security chosen decide.
    page3::KeyForm ReadKeyForm();
    // What the Key field takes under the security and WEP Type chosen.
    page3::KeyKind CheckedKeyKind();
    void ApplyKeyLimit();
    void ShowHelpLine(bool hex);
    void ClearKey();
    void OnWlanModeChanged();
    void OnSecurityClicked(int radioId);
    void OnWepTypeChanged();
    void OnDataTypeChanged();
    void UpdateKeyForms();
    void OnSsidKillFocus();

    // --- Requests (page3_marvuto.cpp) ---
    void SendVersion();
    void SendReadMac();
    void SendBegin();
    void SendRead(uint8_t item);
    void SendWrite(uint8_t item, const page3::Bytes& value);

    // --- Read chain (page3_read.cpp) ---
    void OnReadClicked();
    void OnVersionReply(uint32_t count);
    void OnReadReply(uint32_t count);
    // The read after the reply naming this key, in the chain of the module's WLAN mode.
    uint8_t NextRead(page3::Key answered);
    // Whether the mode's chain reads this item: the host name only when mDNS is on.
    bool ReadsItem(uint8_t item);
    unsigned ReadsPlanned();
    void ConfiguredStep(char first);
    void SecurityStep(uint8_t digit);
    void PassphraseStep(uint32_t count, const page3::ReadReply& reply, const std::string& text);
    void MdnsStep(char first);
    void AddressTypeStep(char first);
    void AddressStep(page3::Key key, const std::string& text);
    void RegionStep(uint32_t count, const std::string& text);

    // --- Save chain (page3_save.cpp) ---
    void OnSaveClicked();
    // Why the settings cannot be written as they stand, or null: checked before the first write.
    const char* SaveRefusal();
    // An access point's key goes out only for the WPA2 kinds.
    bool ApKeyWritten();
    void WriteItem(uint8_t item);
    void WriteKey(uint8_t item);
    void WritePortAndFinish();
    void OnWriteReply(uint32_t count);
    void Acknowledged(uint8_t item);
    // The write after an acknowledged item of the mode being saved.
    uint8_t NextWrite(uint8_t acknowledged);
    unsigned WritesPlanned();
    uint8_t NextApItem(uint8_t acknowledged);
    uint8_t NextInfrastructureItem(uint8_t acknowledged);
    uint8_t ApSecurityDigit();
    uint8_t InfrastructureSecurityDigit();

    Mode m_mode = Mode::kAccessPoint;
    bool m_bCountryList = true;
    bool m_bReadDone = false;
    unsigned m_versionAsks = 0;  // in the read under way
    std::string m_strLastSsid;
    std::string m_strKeyBinary;
    std::string m_strKeyHex;
    bool m_bConvertAsAscii = false;
};
