// "Read WLAN Info": version, MAC address, then the items of the module's WLAN mode, each reply
// filling its controls and asking for the next item.
#include <string>

#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"
#include "page_module/page3_regions.h"
#include "page_module/page3_values.h"
#include "ui/backend.h"

using namespace page3;

namespace {

constexpr unsigned kBeforeVersionMs = 100;

char First(const std::string& text) {
    return text.empty() ? '\0' : text[0];
}

}  // namespace

void CPage3Marvuto::OnReadClicked() {
    SetItemText(IDC_PRINTER_STATUS, "");
    BeginExchange(ExchangeKind::kRead);
    ui::CurrentBackend().Sleep(kBeforeVersionMs);
    SendVersion();
    m_bReadDone = true;
}

void CPage3Marvuto::OnVersionReply(uint32_t count) {
    KillTimer(kVersionTimer);
    // A module that is not ready says so in the status: ask again.
    if (!StatusGood(m_rx, count))
        return SendVersion();
    const std::string version = VersionText(m_rx, count);
    SetItemText(IDC_VERSION, version);
    SendReadMac();
    m_bCountryList = UsesCountryList(version);
    ShowItem(IDC_REGION_NUMERIC, !m_bCountryList);
    ShowItem(IDC_REGION_COUNTRY, m_bCountryList);
    EnableItem(IDC_SEC_WPA_WPA2, false);
    ShowItem(IDC_SEC_WPA_WPA2, m_bCountryList);
}

void CPage3Marvuto::ReadNext(uint8_t apItem, uint8_t infrastructureItem) {
    SendRead(m_mode == Mode::kInfrastructure ? infrastructureItem : apItem);
}

void CPage3Marvuto::OnReadReply(uint32_t count) {
    if (!StatusGood(m_rx, count))
        return EndExchange(ExchangeEnd::kFailed, "Read Error");
    page3::ReadReply reply;
    // Not a reply to any item read: the request sent still waits, under its timer.
    if (!ParseReadReply(m_rx, count, &reply))
        return;
    KillTimer(kReadTimer);
    const std::string text = TextValue(m_rx, count, reply);
    switch (reply.key) {
        case Key::kConfigured:
            return ConfiguredStep(First(text));
        case Key::kSsid:
            m_strSsid = text;
            m_strLastSsid = text;
            SetItemText(IDC_SSID, text);
            return ReadNext(kItemApSecurity, kItemSecurity);
        case Key::kSecurity:
            return SecurityStep(static_cast<uint8_t>(First(text)));
        case Key::kPassphrase:
            return PassphraseStep(count, reply, text);
        case Key::kMdnsEnabled:
            return MdnsStep(First(text));
        case Key::kMdnsHostName:
            m_strHostName = text;
            SetItemText(IDC_HOST_NAME, text);
            return SendRead(kItemPort);
        case Key::kMac:
            SetItemText(IDC_MAC, MacText(RawValue(m_rx, count, reply)));
            return SendBegin();
        case Key::kIpAddrType:
            return AddressTypeStep(First(text));
        case Key::kIpAddr:
        case Key::kNetMask:
        case Key::kGateway:
        case Key::kDns1:
            return AddressStep(reply.key, text);
        case Key::kPort:
            m_strPort = text;
            SetItemText(IDC_PORT, text);
            return SendRead(kItemRegion);
        case Key::kRegion:
            return RegionStep(count, text);
        case Key::kNone:
            return;
    }
}

void CPage3Marvuto::ConfiguredStep(char first) {
    EnableItems({IDC_WLAN_MODE, IDC_PORT, IDC_SSID}, true);
    EnableItem(m_bCountryList ? IDC_REGION_COUNTRY : IDC_REGION_NUMERIC, true);
    if (first == '0') {
        EnableItems(kApGroup, true);
        SetCurSel(IDC_WLAN_MODE, kWlanModeAp);
        m_mode = Mode::kAccessPoint;
    } else {
        EnableItems(kInfrastructureGroup, true);
        SetCurSel(IDC_WLAN_MODE, kWlanModeInfrastructure);
        m_mode = Mode::kInfrastructure;
    }
    ReadNext(kItemApSsid, kItemSsid);
}

void CPage3Marvuto::SecurityStep(uint8_t digit) {
    const int radio = SecurityRadio(digit);
    if (radio == IDC_SEC_NONE) {
        CheckRadio(kSecurityRadios, radio);
        EnableItems({IDC_WEP_TYPE, IDC_KEY, IDC_DATA_TYPE}, false);
    } else if (radio != 0) {
        CheckRadio(kSecurityRadios, radio);
        EnableItem(IDC_WEP_TYPE, radio == IDC_SEC_WEP);
        EnableItems({IDC_KEY, IDC_DATA_TYPE}, true);
        ApplyKeyLimit();
    }
    if (m_mode == Mode::kAccessPoint) {
        EnableItems({IDC_SEC_WEP, IDC_SEC_WPA}, false);
        return SendRead(kItemApKey);
    }
    EnableItems(kWpaRadios, true);
    EnableItem(IDC_SEC_WEP, true);
    SendRead(kItemKey);
}

void CPage3Marvuto::PassphraseStep(uint32_t count, const page3::ReadReply& reply,
                                   const std::string& text) {
    // The module does not say how its key was written: the Data Type chosen decides.
    const bool hex = IsHex();
    if (GetCheck(IDC_SEC_NONE)) {
        m_strKey.clear();
    } else {
        const Bytes raw = hex ? RawValue(m_rx, count, reply) : Bytes();
        m_strKey = hex ? HexText(raw) : text;
        const size_t keyBytes = hex ? raw.size() : text.size();
        if (GetCheck(IDC_SEC_WEP))
            SetCurSel(IDC_WEP_TYPE, keyBytes >= 8 ? kWep128 : kWep64);
    }
    SetItemText(IDC_KEY, m_strKey);
    ShowHelpLine(hex);
    ReadNext(kItemMdnsEnabled, kItemAddressType);
}

void CPage3Marvuto::MdnsStep(char first) {
    if (first == '0' || first == '1') {
        SetCheck(IDC_MDNS, first == '1');
        EnableItem(IDC_HOST_NAME, first == '1');
    }
    const bool hostName = m_mode == Mode::kAccessPoint && GetCheck(IDC_MDNS) != 0;
    SendRead(hostName ? kItemMdnsHostName : kItemPort);
}

void CPage3Marvuto::AddressTypeStep(char first) {
    if (first == '0' || first == '1') {
        SetCheck(IDC_DHCP, first == '1');
        EnableItem(IDC_DHCP, true);
        EnableItems(kInfrastructureAddresses, first == '0');
    }
    ReadNext(kItemPort, kItemIp);
}

void CPage3Marvuto::AddressStep(Key key, const std::string& text) {
    uint32_t address = 0;
    // A value without its three dots leaves the address as it was.
    const bool valid = DottedAddress(text, &address);
    const auto show = [&](int id, uint32_t& held) {
        if (valid) {
            held = address;
            SetAddress(id, address);
        }
    };
    switch (key) {
        case Key::kIpAddr:
            if (m_mode == Mode::kInfrastructure) {
                show(IDC_IP, m_dwIp);
                return SendRead(kItemNetMask);
            }
            EnableItem(IDC_AP_IP, true);
            SetCheck(IDC_AP_IP_WRITE, 1);
            show(IDC_AP_IP, m_dwApIp);
            return SendRead(kItemPort);
        case Key::kNetMask:
            show(IDC_NETMASK, m_dwNetMask);
            return ReadNext(kItemPort, kItemGateway);
        case Key::kGateway:
            show(IDC_GATEWAY, m_dwGateway);
            return ReadNext(kItemPort, kItemDns);
        default:
            show(IDC_DNS, m_dwDns);
            return SendRead(kItemPort);
    }
}

void CPage3Marvuto::RegionStep(uint32_t count, const std::string& text) {
    if (m_bCountryList) {
        SetCurSel(IDC_REGION_COUNTRY, CountryRegionIndex(CountryLetters(m_rx, count)));
    } else {
        SetCurSel(IDC_REGION_NUMERIC, NumericRegionIndex(text));
    }
    EndExchange(ExchangeEnd::kReadDone);
}
