// The values the Wi-Fi module page writes and reads: security digits, texts, addresses and the MAC
// address. Every written value ends with one 0x00, counted in its length.
#pragma once

#include <cstdint>
#include <string>

#include "page_module/page3_layout.h"
#include "page_module/page3_protocol.h"

namespace page3 {

// Security digits of items 2 and 18, with the radio button each one checks.
constexpr uint8_t kSecurityNone = '0';
constexpr uint8_t kSecurityWep = '1';
constexpr uint8_t kSecurityWpa = '3';
constexpr uint8_t kSecurityWpa2 = '4';
constexpr uint8_t kSecurityWpaWpa2 = '5';
struct SecurityChoice {
    uint8_t digit;
    int radio;
};
// In the order in which the save tests the radios.
inline constexpr SecurityChoice kSecurityChoices[] = {
    {kSecurityNone, IDC_SEC_NONE},        {kSecurityWep, IDC_SEC_WEP},
    {kSecurityWpa, IDC_SEC_WPA},          {kSecurityWpa2, IDC_SEC_WPA2},
    {kSecurityWpaWpa2, IDC_SEC_WPA_WPA2},
};
// The radio a read digit checks, or 0 for a digit that changes nothing ('2' among them).
int SecurityRadio(uint8_t digit);

// One character and the 0x00: the mode, security, mDNS and address-type items. A character of
// 0x00 gives the empty value 00 00.
Bytes CharValue(uint8_t c);
// SSID, host name and port: the text as it is, then 0x00.
Bytes TextItemValue(const std::string& text);
// Items 21 to 24: the four octets of an address, first octet (the high byte) first, then 0x00.
Bytes AddressValue(uint32_t address);
// Item 6: 192.168.x.1 and 0x00, x the third octet of the access-point address.
Bytes ApAddressValue(uint32_t apAddress);

// Dotted text to an address with the first octet in the high byte. False, leaving *address
// alone, when the text has fewer than three dots.
bool DottedAddress(const std::string& text, uint32_t* address);
// "00-1A-2B-3C-4D-5E": upper-case digit pairs, a dash after each of the first five bytes.
std::string MacText(const Bytes& mac);
// Bytes as upper-case digit pairs without separators (a HEX key as the Key field shows it).
std::string HexText(const Bytes& bytes);

}  // namespace page3
