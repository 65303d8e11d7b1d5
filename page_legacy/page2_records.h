// The legacy printers' setting records as plain values, and their byte layouts. Addresses hold
// the first octet in the high byte, as the IP-address control does; on the wire it goes first.
#pragma once

#include <cstdint>
#include <string>

#include "page_legacy/page2_protocol.h"
#include "page_legacy/page2_wep_keys.h"

namespace page2 {

// Record 0x10.
struct AddressOptions {
    bool dhcp = false;
    bool autoDns = false;  // obtain the DNS server address automatically
};

// Record 0x20, byte by byte as the printer keeps it; the page maps the bytes onto its lists.
constexpr uint8_t kModeAdHoc = 0;
constexpr uint8_t kModeInfrastructure = 1;
constexpr uint8_t kWpaNone = 0;
constexpr uint8_t kWpaPsk = 2;
constexpr uint8_t kWpa2Psk = 4;
constexpr uint8_t kCipherTkip = 1;
constexpr uint8_t kCipherAes = 2;
struct WirelessSettings {
    uint8_t mode = kModeInfrastructure;
    uint8_t channel = 1;         // 1 to 11
    uint8_t wepKeySize = 0;      // 0 WEP not in use, 1 64-bit, 2 128-bit
    uint8_t wepKeyIndex = 0;     // key in use, 0 = Key1
    uint8_t authentication = 0;  // 0 None, 1 Open system, 2 Shared key, 3 Mixed mode
    uint8_t wpaType = kWpaNone;
    uint8_t wpaCipher = kCipherTkip;
};

// Record 0x30.
struct TcpIpSettings {
    uint32_t peerIp = 0;
    uint16_t port = 9100;
    uint16_t peerPort = 0;
    uint8_t muxType = 0;  // 0 T2S, 1 ATC, 2 COD, 3 U2S
    bool codListen = false;
    uint16_t waterMark = 0;
};

// Each decoder reads bytes beyond the given ones as zero.
Bytes EncodeAddress(uint32_t address);
uint32_t DecodeAddress(const Bytes& record);
Bytes EncodeAddressOptions(const AddressOptions& options);
AddressOptions DecodeAddressOptions(const Bytes& record);
Bytes EncodeWireless(const WirelessSettings& wireless);
WirelessSettings DecodeWireless(const Bytes& record);
Bytes EncodeTcpIp(const TcpIpSettings& tcpIp);
TcpIpSettings DecodeTcpIp(const Bytes& record);
// A text as its characters' bytes, zero-filled to size and cut there: a text that fills the
// record has no terminating zero.
Bytes EncodeText(const std::string& text, size_t size);
// A text up to the first zero byte (WPA key, Peer Domain Name, User Class ID).
std::string DecodeText(const Bytes& record);
// The SSID: every byte that is not zero, in order.
std::string DecodeSsid(const Bytes& record);

// Everything the records carry.
struct LegacySettings {
    uint32_t ip = 0;
    uint32_t netMask = 0;
    uint32_t gateway = 0;
    uint32_t dns = 0;
    AddressOptions addressOptions;
    WirelessSettings wireless;
    std::string ssid;
    WepKeyTables wepKeys;
    std::string wpaKey;
    TcpIpSettings tcpIp;
    std::string peerDomainName;
    std::string userClassId;
};

// A record's payload, RecordSize(record) bytes; record 0x25 is the pre-shared key of wpaKey and
// ssid. Empty for a number that is no record.
Bytes EncodeRecord(uint8_t record, const LegacySettings& settings);
// Takes a record's bytes into the settings; false for 0x25 (never read) and for a number that
// is no record.
bool DecodeRecord(uint8_t record, const Bytes& bytes, LegacySettings* settings);

}  // namespace page2
