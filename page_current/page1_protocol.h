// Frames, payloads and replies of the current-generation printers' escape protocol, and the
// tables behind them. Pure functions: no window, no link.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "page_shared/escape_frame.h"
#include "page_shared/reply_cut.h"

#include "page_shared/entry_text.h"

namespace page1 {

using Bytes = std::vector<uint8_t>;

using escape::kEsc;
using escape::kTilde;
constexpr uint8_t kAccepted = '@';
// A join the printer could not complete with the access point.
constexpr uint8_t kJoinFailed = 0xFF;

// Reply timers of the page.
enum Timer : unsigned {
    kConnectTimer = 1,  // first read request
    kResetTimer = 2,    // NV item initialization
    kReadTimer = 3,     // every other read request
    kWriteTimer = 4,    // every write request
};

// Read items of the R request.
enum Item : uint8_t {
    kItemSsid = 0x00,
    kItemChannel = 0x01,
    kItemWlanMode = 0x02,
    kItemSecurity = 0x03,
    kItemCipher = 0x04,
    kItemWpaReserved = 0x05,
    kItemWepKey = 0x06,
    kItemWpaKey = 0x07,
    kItemWepIndex = 0x08,
    kItemVersion = 0x20,
    kItemMac = 0x21,
    kItemPort = 0x6A,
};

// ESC '~' letter argument: R item, the queries ('?') and O '0'.
Bytes FixedRequest(char letter, uint8_t argument);
// ESC '~' letter, written before a payload.
Bytes Header(char letter);

// Which characters force an SSID or key into its quoted form.
enum class QuoteRule {
    kSpaceEqualsComma,  // M, G, and the ASCII key of F
    kSpaceEquals,       // E and D
};
bool NeedsQuotes(const std::string& text, QuoteRule rule);
// The text as it goes on the wire: raw, or quoted with '/' before every '"' and '/'.
std::string WireText(const std::string& text, QuoteRule rule);

// Operating Mode list index (0 "2.4Ghz", 1 "5Ghz", 2 "Auto") to its band code, 0 for none.
uint8_t BandCode(int bandIndex);
// Band code of a Q? reply to the list index: '2' and '6' name theirs, anything else is "Auto".
int BandIndex(uint8_t code);

// Payloads, each ending with its 00 byte.
Bytes OperatingModePayload(int bandIndex);
Bytes PortPayload(const std::string& port);
Bytes RegionPayload(int regionIndex);
Bytes StaticAddressPayload(const std::string& ip, const std::string& mask,
                           const std::string& gateway, const std::string& dns);
Bytes ApAddressPayload(const std::string& ip, const std::string& mask, const std::string& gateway);
Bytes SecurityPayload(uint8_t type, uint8_t cipher);
Bytes TextPayload(const std::string& text, QuoteRule rule);
// F: key index 1..4, then the raw bytes of a Hex key or the ASCII key text.
Bytes WepKeyPayload(int keyIndex, bool hex, const std::string& keyText, const Bytes& keyBytes);
// E without security: SSID and channel.
Bytes ApOpenPayload(const std::string& ssid, const std::string& channel);
// E with WPA: SSID, channel, type, cipher twice, key.
Bytes ApWpaPayload(const std::string& ssid, const std::string& channel, uint8_t type,
                   uint8_t cipher, const std::string& key);
// D: SSID, and the key only when there is one.
Bytes JoinPayload(const std::string& ssid, const std::string& key);
// B switching to DHCP is written as one frame.
Bytes DhcpRequest();

// What a request reads or writes, as the page labels it, from its frame or header alone, so a
// key in its payload never shows; "request" for a frame the page does not send.
std::string RequestName(const Bytes& head);

// Where the reply in the held bytes ends, and whether it answers request (null when none is
// outstanding). An acknowledgement ends after its status (after the item for the port's W), a
// refused R reply at its status. An accepted R reply's value runs to its text end (00, CR or LF),
// else until the line goes quiet. A query's value is followed by one open byte, never awaited: its
// reply ends at a text end, after the band's one character or the region's two letters; the
// addresses' only in their last field, at a text end or the first byte no address holds, or else
// when the line goes quiet, as do addresses short of their fields.
reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count);
// The value of a query reply from byte 4, to its first text end: the band's one character, the
// region's two letters, or the addresses up to the reply's last (open) byte.
std::string QueryValue(const uint8_t* data, uint32_t count);
// The fields of a B? or H? reply (the DHCP flag and four addresses, or three addresses), or none
// when they cannot be read whole: too few or too many, a flag that is not digits, an address that
// is not four groups of digits split by dots. The DHCP flag alone reads with 0.0.0.0 addresses.
std::optional<std::vector<std::string>> AddressFields(const uint8_t* data, uint32_t count);
// The value of an R reply: bytes 5 to the end, to its first text end.
std::string ReadValue(const uint8_t* data, uint32_t count);
std::vector<std::string> SplitFields(const std::string& value);

// Address and key entry, shared with the other printer families.
using entry::AsciiKeyForms;
using entry::HexDigitValue;
using entry::HexKeyForms;
using entry::IsKeySpace;
using entry::IsPrintable;
using entry::ParseDottedAddress;
using entry::WepKeyBytes;

// Regions and channels.
std::string RegionCode(int regionIndex);   // empty when out of range
int RegionIndex(const std::string& code);  // -1 when unknown
// The channels a region allows on a band (list index as BandIndex, -1 for none).
std::vector<int> Channels(int regionIndex, int bandIndex);

}  // namespace page1
