// "Save WLAN Info": the settings checked, then the module's items written one by one, each
// acknowledgement sending the next write of the WLAN mode.
#include <string>

#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"
#include "page_module/page3_regions.h"
#include "page_module/page3_values.h"
#include "ui/backend.h"

using namespace page3;

void CPage3Marvuto::OnSaveClicked() {
    // Each save writes what a read has shown.
    if (!m_bReadDone)
        return;
    // The values are taken and checked once, before the first write: a refused save sends
    // nothing and leaves the page and the link as they were, so no module is left half written.
    if (!UpdateData(true))
        return;
    if (const char* refusal = SaveRefusal()) {
        ui::AfxMessageBox(refusal);
        return;
    }
    if (!MayWrite())
        return;
    SetItemText(IDC_PRINTER_STATUS, "");
    BeginExchange(ExchangeKind::kSave);
    EnableItems(kAllSettings, false);
    m_bReadDone = false;
    WriteItem(kItemMode);
}

const char* CPage3Marvuto::SaveRefusal() {
    if (GetCurSel(m_bCountryList ? IDC_REGION_COUNTRY : IDC_REGION_NUMERIC) < 0)
        return kChooseRegion;
    if (GetCurSel(IDC_WLAN_MODE) != kWlanModeAp) {
        if (GetCheck(IDC_SEC_NONE))
            return nullptr;
        return KeyLengthError(CheckedKeyKind(), IsHex(), m_strKey);
    }
    if (GetCheck(IDC_SEC_WEP))
        return "Soft AP - WEP Open : Not Use";
    if (GetCheck(IDC_SEC_WPA))
        return "soft AP - WPA-PSK : Not Use";
    return ApKeyWritten() ? KeyLengthError(KeyKind::kApWpa2, IsHex(), m_strKey) : nullptr;
}

bool CPage3Marvuto::ApKeyWritten() {
    return GetCheck(IDC_SEC_WPA2) || GetCheck(IDC_SEC_WPA_WPA2);
}

uint8_t CPage3Marvuto::ApSecurityDigit() {
    if (GetCheck(IDC_SEC_WPA2))
        return kSecurityWpa2;
    return GetCheck(IDC_SEC_WPA_WPA2) ? kSecurityWpaWpa2 : kSecurityNone;
}

uint8_t CPage3Marvuto::InfrastructureSecurityDigit() {
    for (const SecurityChoice& choice : kSecurityChoices) {
        if (GetCheck(choice.radio))
            return choice.digit;
    }
    return kSecurityNone;
}

void CPage3Marvuto::WriteItem(uint8_t item) {
    Bytes value;
    switch (item) {
        case kItemMode: {
            const bool infrastructure = GetCurSel(IDC_WLAN_MODE) != kWlanModeAp;
            m_mode = infrastructure ? Mode::kInfrastructure : Mode::kAccessPoint;
            value = CharValue(infrastructure ? '1' : '0');
            break;
        }
        case kItemApSsid:
        case kItemSsid:
            value = TextItemValue(m_strSsid);
            break;
        case kItemApSecurity:
            value = CharValue(ApSecurityDigit());
            break;
        case kItemApKey:
        case kItemKey:
            return WriteKey(item);
        case kItemMdnsEnabled:
            value = CharValue(GetCheck(IDC_MDNS) ? '1' : '0');
            break;
        case kItemMdnsHostName:
            value = TextItemValue(m_strHostName);
            break;
        case kItemApAddress:
            value = ApAddressValue(m_dwApIp);
            break;
        case kItemSecurity:
            value = CharValue(InfrastructureSecurityDigit());
            break;
        case kItemAddressType:
            value = CharValue(GetCheck(IDC_DHCP) ? '1' : '0');
            break;
        case kItemIp:
            value = AddressValue(m_dwIp);
            break;
        case kItemNetMask:
            value = AddressValue(m_dwNetMask);
            break;
        case kItemGateway:
            value = AddressValue(m_dwGateway);
            break;
        case kItemDns:
            value = AddressValue(m_dwDns);
            break;
        case kItemRegion:
            value = RegionValue(m_bCountryList, GetCurSel(m_bCountryList ? IDC_REGION_COUNTRY
                                                                         : IDC_REGION_NUMERIC));
            break;
        case kItemPort:
            return WritePortAndFinish();
    }
    SendWrite(item, value);
}

void CPage3Marvuto::WriteKey(uint8_t item) {
    SendWrite(item, IsHex() ? HexKeyValue(m_strKey) : AsciiKeyValue(m_strKey));
}

void CPage3Marvuto::WritePortAndFinish() {
    // The last write: its acknowledgement is not awaited.
    const Bytes header = WriteHeader(kItemPort);
    const Bytes value = TextItemValue(m_strPort);
    WriteComm(header.data(), static_cast<uint32_t>(header.size()));
    WriteComm(value.data(), static_cast<uint32_t>(value.size()));
    SetItemText(IDC_PRINTER_STATUS, "Write Success");
    ui::AfxMessageBox("Write Success", ui::kMbOk | ui::kMbIconInformation);
    EndExchange(ExchangeEnd::kSaveDone);
    UpdateData(false);
}

void CPage3Marvuto::OnWriteReply(uint32_t count) {
    KillTimer(kWriteTimer);
    if (!WriteAcknowledged(m_rx, count))
        return EndExchange(ExchangeEnd::kFailed, "Write Error");
    Acknowledged(AcknowledgedItem(m_rx, count));
}

uint8_t CPage3Marvuto::NextApItem(uint8_t acknowledged) {
    const auto afterHostName = [this] {
        return GetCheck(IDC_AP_IP_WRITE) ? kItemApAddress : kItemRegion;
    };
    switch (acknowledged) {
        case kItemApSsid:
            return kItemApSecurity;
        case kItemApSecurity:
            return ApKeyWritten() ? kItemApKey : kItemMdnsEnabled;
        case kItemApKey:
            return kItemMdnsEnabled;
        case kItemMdnsEnabled:
            return GetCheck(IDC_MDNS) ? kItemMdnsHostName : afterHostName();
        case kItemMdnsHostName:
            return afterHostName();
    }
    return kItemRegion;  // after the access point's address
}

uint8_t CPage3Marvuto::NextInfrastructureItem(uint8_t acknowledged) {
    switch (acknowledged) {
        case kItemSsid:
            return kItemSecurity;
        case kItemSecurity:
            return GetCheck(IDC_SEC_NONE) ? kItemAddressType : kItemKey;
        case kItemKey:
            return kItemAddressType;
        case kItemAddressType:
        case kItemIp:
        case kItemNetMask:
        case kItemGateway:
            return GetCheck(IDC_DHCP) ? static_cast<uint8_t>(kItemRegion)
                                      : static_cast<uint8_t>(acknowledged + 1);
    }
    return kItemRegion;  // after the DNS server and the reserved item
}

uint8_t CPage3Marvuto::NextWrite(uint8_t acknowledged) {
    const bool ap = m_mode == Mode::kAccessPoint;
    if (acknowledged == kItemMode)
        return ap ? kItemApSsid : kItemSsid;
    return ap ? NextApItem(acknowledged) : NextInfrastructureItem(acknowledged);
}

// The settings cannot change while the save runs, so the plan is known from its first write. Each
// mode's items only go up, so the walk reaches the region. The port's write is not awaited.
unsigned CPage3Marvuto::WritesPlanned() {
    unsigned writes = 1;
    for (uint8_t item = kItemMode; item != kItemRegion; item = NextWrite(item))
        ++writes;
    return writes;
}

void CPage3Marvuto::Acknowledged(uint8_t item) {
    // Only the item just written is acknowledged here: every write follows from the one before.
    WriteItem(item == kItemRegion ? static_cast<uint8_t>(kItemPort) : NextWrite(item));
}
