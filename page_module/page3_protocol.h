// Frames, items and replies of the Wi-Fi module's escape protocol. Pure functions: no window, no
// link.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "page_shared/escape_frame.h"
#include "page_shared/reply_cut.h"

namespace page3 {

using Bytes = std::vector<uint8_t>;

using escape::kEsc;
using escape::kTilde;
constexpr uint8_t kGoodStatus = '0';

// Request and reply letters.
constexpr uint8_t kVersionLetter = 'V';
constexpr uint8_t kReadLetter = 'R';
constexpr uint8_t kBeginLetter = 'I';
constexpr uint8_t kWriteLetter = 'W';

// Reply timers of the page, all with the same period.
enum Timer : unsigned {
    kVersionTimer = 1,       // V
    kReadTimer = 3,          // R n
    kWriteTimer = 4,         // W n, except the port
    kVersionAgainTimer = 5,  // the pause before V is asked again after a bad status
};
constexpr unsigned kVersionAgainMs = 200;
constexpr unsigned kReplyTimeoutMs = 5000;
constexpr char kVersionTimeoutText[] = "Connection failure : Error [Timeout]";
constexpr char kReadTimeoutText[] = "Read Error : code [Timeout]";
constexpr char kWriteTimeoutText[] = "Write Error : code [Timeout]";
// The message for an expired timer of the page, or null for another id.
const char* TimeoutText(unsigned timer);

// Item numbers of R and W. Access-point items first, then the module's WLAN mode, then the
// infrastructure (station) items.
enum Item : uint8_t {
    kItemMac = 0,
    kItemApSsid = 1,
    kItemApSecurity = 2,
    kItemApKey = 3,
    kItemMdnsEnabled = 4,
    kItemMdnsHostName = 5,
    kItemApAddress = 6,
    kItemMode = 16,
    kItemSsid = 17,
    kItemSecurity = 18,
    kItemKey = 19,
    kItemAddressType = 20,
    kItemIp = 21,
    kItemNetMask = 22,
    kItemGateway = 23,
    kItemDns = 24,
    kItemReserved = 25,  // never read or written; only its acknowledgement is handled
    kItemPort = 32,
    kItemRegion = 33,
};

// The keys that name a setting in a read reply, in the order in which a reply is matched
// against them: "ipaddr_type" comes before "ipaddr", which it begins with.
enum class Key {
    kConfigured,
    kSsid,
    kSecurity,
    kPassphrase,
    kMdnsEnabled,
    kMdnsHostName,
    kMac,
    kIpAddrType,
    kIpAddr,
    kNetMask,
    kGateway,
    kDns1,
    kPort,
    kRegion,
    kNone,
};
const char* KeyText(Key key);  // "" for kNone
// The key by which a read reply names an item; kNone for items without one.
Key ItemKey(uint8_t item);
// The first key, in matching order, that the text begins with; kNone when none does.
Key MatchKey(const std::string& text);

// Requests. A write goes out as two calls: WriteHeader, then the item's value.
Bytes VersionRequest();
Bytes ReadRequest(uint8_t item);
Bytes BeginRequest();
Bytes WriteHeader(uint8_t item);

// What a request reads or writes, from its frame or a write's header: an item by the label of the
// control it fills ("SSID"), "version" or "start", and "request" for anything else.
std::string RequestName(const Bytes& head);

// How the page takes the value of a key's read reply: as text, or as the raw bytes of a HEX key,
// whose size its security gives.
enum class KeyForm {
    kText,
    kWepBytes,  // 5 or 13 bytes
    kPskBytes,  // 32 bytes
};

// Where the reply in the held bytes ends, and whether it answers request (null when none is
// outstanding): I after its letter; V after a bad status, else at the text end (00, CR or LF) of
// its version text or after the text's ten bytes; R after a bad status, else only when it names
// the key of the item asked for, at its value's text end, or after the raw bytes of the MAC
// address or a HEX key; W after its seven bytes, and only for the item written. Where nothing
// shows the end, the line's quiet does: the R reply's two trailing bytes are never awaited.
constexpr size_t kWriteReplySize = 7;
reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count, KeyForm keyForm);

// Replies, given the received bytes and their count. Bytes past the count read as 0, as they do
// in the page's zero-filled work buffer, and are never touched.

// The letter of a reply, or 0 when the bytes do not begin with ESC '~'.
uint8_t ReplyLetter(const uint8_t* data, uint32_t count);
// V and R: status '0' at offset 3 and 0x00 at offset 4.
bool StatusGood(const uint8_t* data, uint32_t count);
// The version text of a V reply: offsets 13 to 22, up to its first text end.
std::string VersionText(const uint8_t* data, uint32_t count);
// W: offsets 4 to 6 are '0', 0x00, 0x00.
bool WriteAcknowledged(const uint8_t* data, uint32_t count);
// The item number a W reply acknowledges (offset 3).
uint8_t AcknowledgedItem(const uint8_t* data, uint32_t count);

// An accepted R reply: the key it names and where its value begins (after the key and the '=').
struct ReadReply {
    Key key = Key::kNone;
    uint32_t valueOffset = 0;
};
constexpr uint32_t kReadTextOffset = 5;
// The text of an R reply: from offset 5 to its first text end.
std::string ReadText(const uint8_t* data, uint32_t count);
// False for a bad status, a text that matches no key, or a reply that ends before its value.
bool ParseReadReply(const uint8_t* data, uint32_t count, ReadReply* reply);
// A text value: from the value offset to its first text end (00, CR or LF), or, in a reply the
// line's quiet ended, to the two trailing bytes.
std::string TextValue(const uint8_t* data, uint32_t count, const ReadReply& reply);
// Raw values: the MAC address's six bytes, and a HEX key's bytes: a WPA key's 32, a WEP key's 13
// or, when fewer came, 5. A reply the line's quiet ended too short for them holds them up to its
// two trailing bytes.
Bytes MacValue(const uint8_t* data, uint32_t count, const ReadReply& reply);
Bytes KeyBytes(const uint8_t* data, uint32_t count, const ReadReply& reply, KeyForm keyForm);
// The country letters of a country-list region reply: from offset 17 (the value's sixth
// character) to where a text value ends.
constexpr uint32_t kCountryLettersOffset = 17;
std::string CountryLetters(const uint8_t* data, uint32_t count);

}  // namespace page3
