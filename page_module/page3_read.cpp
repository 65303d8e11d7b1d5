// "Read WLAN Info": version, MAC address, then the items of the module's WLAN mode, each reply
// filling its controls and asking for the next item.
#include <algorithm>
#include <iterator>
#include <string>

#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"
#include "page_module/page3_regions.h"
#include "page_module/page3_values.h"
#include "page_shared/unlisted_value.h"
#include "ui/backend.h"

using namespace page3;

namespace {

constexpr unsigned kBeforeVersionMs = 100;

// Each mode's reads after the MAC address and the start, in order. A reply naming a key its mode
// does not read is followed by the port.
constexpr uint8_t kApReads[] = {kItemMode,        kItemApSsid,       kItemApSecurity, kItemApKey,
                                kItemMdnsEnabled, kItemMdnsHostName, kItemPort,       kItemRegion};
constexpr uint8_t kInfrastructureReads[] = {
    kItemMode,    kItemSsid,    kItemSecurity, kItemKey,  kItemAddressType, kItemIp,
    kItemNetMask, kItemGateway, kItemDns,      kItemPort, kItemRegion};
// The MAC address and the start.
constexpr unsigned kReadsBeforeMode = 2;

struct ReadChain {
    const uint8_t* begin;
    const uint8_t* end;
};

ReadChain ModeReads(bool ap) {
    if (ap)
        return {std::begin(kApReads), std::end(kApReads)};
    return {std::begin(kInfrastructureReads), std::end(kInfrastructureReads)};
}

char First(const std::string& text) {
    return text.empty() ? '\0' : text[0];
}

}  // namespace

void CPage3Marvuto::OnReadClicked() {
    SetItemText(IDC_PRINTER_STATUS, "");
    BeginExchange(ExchangeKind::kRead);
    m_versionAsks = 0;
    ui::CurrentBackend().Sleep(kBeforeVersionMs);
    SendVersion();
    m_bReadDone = true;
}

void CPage3Marvuto::OnVersionReply(uint32_t count) {
    // A module that is not ready says so in the status: ask again after a pause, for as long as
    // V's time-out runs.
    if (!StatusGood(m_rx, count))
        return SetTimer(kVersionAgainTimer, kVersionAgainMs);
    KillTimer(kVersionTimer);
    const std::string version = VersionText(m_rx, count);
    SetItemText(IDC_VERSION, version);
    SendReadMac();
    m_bCountryList = UsesCountryList(version);
    ShowItem(IDC_REGION_NUMERIC, !m_bCountryList);
    ShowItem(IDC_REGION_COUNTRY, m_bCountryList);
    EnableItem(IDC_SEC_WPA_WPA2, false);
    ShowItem(IDC_SEC_WPA_WPA2, m_bCountryList);
}

bool CPage3Marvuto::ReadsItem(uint8_t item) {
    return item != kItemMdnsHostName || GetCheck(IDC_MDNS) != 0;
}

uint8_t CPage3Marvuto::NextRead(Key answered) {
    const ReadChain chain = ModeReads(m_mode == Mode::kAccessPoint);
    const uint8_t* item =
        std::find_if(chain.begin, chain.end, [&](uint8_t i) { return ItemKey(i) == answered; });
    if (item == chain.end)
        return kItemPort;
    do {
        ++item;
    } while (item != chain.end && !ReadsItem(*item));
    return item == chain.end ? static_cast<uint8_t>(kItemPort) : *item;
}

// Until the module's mode and mDNS are read, the plan follows what the page last showed.
unsigned CPage3Marvuto::ReadsPlanned() {
    const ReadChain chain = ModeReads(m_mode == Mode::kAccessPoint);
    const auto reads =
        std::count_if(chain.begin, chain.end, [this](uint8_t i) { return ReadsItem(i); });
    return m_versionAsks + kReadsBeforeMode + static_cast<unsigned>(reads);
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
            ConfiguredStep(First(text));
            break;
        case Key::kSsid:
            m_strSsid = text;
            m_strLastSsid = text;
            SetItemText(IDC_SSID, text);
            break;
        case Key::kSecurity:
            SecurityStep(static_cast<uint8_t>(First(text)));
            break;
        case Key::kPassphrase:
            PassphraseStep(count, reply, text);
            break;
        case Key::kMdnsEnabled:
            MdnsStep(First(text));
            break;
        case Key::kMdnsHostName:
            m_strHostName = text;
            SetItemText(IDC_HOST_NAME, text);
            break;
        case Key::kMac:
            SetItemText(IDC_MAC, MacText(MacValue(m_rx, count, reply)));
            return SendBegin();
        case Key::kIpAddrType:
            AddressTypeStep(First(text));
            break;
        case Key::kIpAddr:
        case Key::kNetMask:
        case Key::kGateway:
        case Key::kDns1:
            AddressStep(reply.key, text);
            break;
        case Key::kPort:
            m_strPort = text;
            SetItemText(IDC_PORT, text);
            break;
        case Key::kRegion:
            return RegionStep(count, text);
        case Key::kNone:
            return;
    }
    SendRead(NextRead(reply.key));
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
    if (m_mode == Mode::kAccessPoint)
        return EnableItems({IDC_SEC_WEP, IDC_SEC_WPA}, false);
    EnableItems(kWpaRadios, true);
    EnableItem(IDC_SEC_WEP, true);
}

void CPage3Marvuto::PassphraseStep(uint32_t count, const page3::ReadReply& reply,
                                   const std::string& text) {
    // The module does not say how its key was written: the Data Type chosen decides.
    const bool hex = IsHex();
    if (GetCheck(IDC_SEC_NONE)) {
        m_strKey.clear();
    } else {
        const Bytes raw = hex ? KeyBytes(m_rx, count, reply, ReadKeyForm()) : Bytes();
        m_strKey = hex ? HexText(raw) : text;
        const size_t keyBytes = hex ? raw.size() : text.size();
        if (GetCheck(IDC_SEC_WEP))
            SetCurSel(IDC_WEP_TYPE, keyBytes >= 8 ? kWep128 : kWep64);
    }
    SetItemText(IDC_KEY, m_strKey);
    ShowHelpLine(hex);
}

void CPage3Marvuto::MdnsStep(char first) {
    if (first == '0' || first == '1') {
        SetCheck(IDC_MDNS, first == '1');
        EnableItem(IDC_HOST_NAME, first == '1');
    }
}

void CPage3Marvuto::AddressTypeStep(char first) {
    if (first == '0' || first == '1') {
        SetCheck(IDC_DHCP, first == '1');
        EnableItem(IDC_DHCP, true);
        EnableItems(kInfrastructureAddresses, first == '0');
    }
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
            if (m_mode == Mode::kInfrastructure)
                return show(IDC_IP, m_dwIp);
            EnableItem(IDC_AP_IP, true);
            SetCheck(IDC_AP_IP_WRITE, 1);
            return show(IDC_AP_IP, m_dwApIp);
        case Key::kNetMask:
            return show(IDC_NETMASK, m_dwNetMask);
        case Key::kGateway:
            return show(IDC_GATEWAY, m_dwGateway);
        default:
            return show(IDC_DNS, m_dwDns);
    }
}

void CPage3Marvuto::RegionStep(uint32_t count, const std::string& text) {
    const std::string value = m_bCountryList ? CountryLetters(m_rx, count) : text;
    const int region = m_bCountryList ? CountryRegionIndex(value) : NumericRegionIndex(value);
    // A region no entry matches is shown as none, so no save writes another in its place.
    SetCurSel(m_bCountryList ? IDC_REGION_COUNTRY : IDC_REGION_NUMERIC, region);
    EndExchange(ExchangeEnd::kReadDone,
                region < 0 ? UnlistedValueMessage("Region", value) : std::string());
}
