// Frames, items and replies of the Wi-Fi module's escape protocol. Pure functions: no window, no
// link.
#include "page_module/page3_protocol.h"

#include <cstring>
#include <optional>

namespace page3 {

namespace {

// Indexed by Key, in matching order.
constexpr const char* kKeyTexts[] = {
    "configured",  "ssid",   "security", "passphrase", "mdns_enabled", "mdns_hostname", "mac",
    "ipaddr_type", "ipaddr", "netmask",  "gateway",    "dns1",         "port",          "region",
};
static_assert(sizeof kKeyTexts / sizeof kKeyTexts[0] == static_cast<size_t>(Key::kNone));

constexpr uint32_t kVersionTextOffset = 13;
constexpr uint32_t kVersionTextMax = 10;
// The two bytes that end an R reply and belong to no value.
constexpr uint32_t kReadTrailer = 2;

uint8_t At(const uint8_t* data, uint32_t count, uint32_t index) {
    return index < count ? data[index] : 0;
}

std::string TextFrom(const uint8_t* data, uint32_t count, uint32_t begin, uint32_t maxLength) {
    std::string text;
    for (uint32_t i = begin; i < count && text.size() < maxLength && !reply::IsTextEnd(data[i]);
         ++i)
        text += static_cast<char>(data[i]);
    return text;
}

// The end of an R reply's text that runs from begin: its first text end or, in a reply that the
// line's quiet ended, the two trailing bytes.
uint32_t ReadTextEnd(const uint8_t* data, uint32_t count, uint32_t begin) {
    const size_t end = reply::TextEnd(data, count, begin);
    if (end < count)
        return static_cast<uint32_t>(end);
    return count >= begin + kReadTrailer ? count - kReadTrailer : begin;
}

// The label of the control an item fills; null for an item no request names.
const char* ItemLabel(uint8_t item) {
    switch (item) {
        case kItemMac:
            return "MAC Address";
        case kItemApSsid:
        case kItemSsid:
            return "SSID";
        case kItemApSecurity:
        case kItemSecurity:
            return "WLAN Security Setting";
        case kItemApKey:
        case kItemKey:
            return "Key";
        case kItemMdnsEnabled:
            return "mDNS";
        case kItemMdnsHostName:
            return "Host Name";
        case kItemApAddress:
            return "IP Address";
        case kItemMode:
            return "WLAN Mode";
        case kItemAddressType:
            return "DHCP";
        case kItemIp:
            return "IP";
        case kItemNetMask:
            return "NetMask";
        case kItemGateway:
            return "Gateway";
        case kItemDns:
            return "DNS";
        case kItemPort:
            return "Port";
        case kItemRegion:
            return "Region";
    }
    return nullptr;
}

}  // namespace

const char* TimeoutText(unsigned timer) {
    switch (timer) {
        case kVersionTimer:
            return kVersionTimeoutText;
        case kReadTimer:
            return kReadTimeoutText;
        case kWriteTimer:
            return kWriteTimeoutText;
    }
    return nullptr;
}

const char* KeyText(Key key) {
    return key == Key::kNone ? "" : kKeyTexts[static_cast<size_t>(key)];
}

Key ItemKey(uint8_t item) {
    switch (item) {
        case kItemMac:
            return Key::kMac;
        case kItemApSsid:
        case kItemSsid:
            return Key::kSsid;
        case kItemApSecurity:
        case kItemSecurity:
            return Key::kSecurity;
        case kItemApKey:
        case kItemKey:
            return Key::kPassphrase;
        case kItemMdnsEnabled:
            return Key::kMdnsEnabled;
        case kItemMdnsHostName:
            return Key::kMdnsHostName;
        case kItemMode:
            return Key::kConfigured;
        case kItemAddressType:
            return Key::kIpAddrType;
        case kItemIp:
            return Key::kIpAddr;
        case kItemNetMask:
            return Key::kNetMask;
        case kItemGateway:
            return Key::kGateway;
        case kItemDns:
            return Key::kDns1;
        case kItemPort:
            return Key::kPort;
        case kItemRegion:
            return Key::kRegion;
    }
    return Key::kNone;
}

Key MatchKey(const std::string& text) {
    for (size_t i = 0; i < static_cast<size_t>(Key::kNone); ++i) {
        if (text.compare(0, std::strlen(kKeyTexts[i]), kKeyTexts[i]) == 0)
            return static_cast<Key>(i);
    }
    return Key::kNone;
}

Bytes VersionRequest() {
    return {kEsc, kTilde, kVersionLetter};
}

Bytes ReadRequest(uint8_t item) {
    return {kEsc, kTilde, kReadLetter, item};
}

Bytes BeginRequest() {
    return {kEsc, kTilde, kBeginLetter};
}

Bytes WriteHeader(uint8_t item) {
    return {kEsc, kTilde, kWriteLetter, item};
}

std::string RequestName(const Bytes& head) {
    const uint32_t count = static_cast<uint32_t>(head.size());
    const uint8_t letter = ReplyLetter(head.data(), count);
    if (letter == kVersionLetter)
        return "version";
    if (letter == kBeginLetter)
        return "start";
    const char* label = ItemLabel(At(head.data(), count, 3));
    if ((letter == kReadLetter || letter == kWriteLetter) && count > 3 && label != nullptr)
        return label;
    return "request";
}

uint8_t ReplyLetter(const uint8_t* data, uint32_t count) {
    if (At(data, count, 0) != kEsc || At(data, count, 1) != kTilde)
        return 0;
    return At(data, count, 2);
}

bool StatusGood(const uint8_t* data, uint32_t count) {
    return At(data, count, 3) == kGoodStatus && At(data, count, 4) == 0;
}

std::string VersionText(const uint8_t* data, uint32_t count) {
    return TextFrom(data, count, kVersionTextOffset, kVersionTextMax);
}

bool WriteAcknowledged(const uint8_t* data, uint32_t count) {
    return At(data, count, 4) == kGoodStatus && At(data, count, 5) == 0 && At(data, count, 6) == 0;
}

uint8_t AcknowledgedItem(const uint8_t* data, uint32_t count) {
    return At(data, count, 3);
}

namespace {

constexpr size_t kMacBytes = 6;
// The replies whose values only a text end or the line's quiet can end.
constexpr uint8_t kReadTextKind = 1;
constexpr uint8_t kVersionTextKind = 2;
// A WEP key is 64 or 128 bits.
constexpr size_t kWepKeyBytes = 5;
constexpr size_t kWepKeyMaxBytes = 13;
constexpr size_t kPskBytes = 32;

// The most bytes a raw value of the item can have, or 0 for a text value.
size_t RawSize(uint8_t item, KeyForm keyForm) {
    if (item == kItemMac)
        return kMacBytes;
    if (item != kItemApKey && item != kItemKey)
        return 0;
    switch (keyForm) {
        case KeyForm::kWepBytes:
            return kWepKeyMaxBytes;
        case KeyForm::kPskBytes:
            return kPskBytes;
        case KeyForm::kText:
            break;
    }
    return 0;
}

// An R reply to item, its status good: stray once its text parts from the item's key and '=',
// partial until the whole key has come. Its value then ends at its text end; raw bytes, which
// may hold any byte, at their size. Where neither has come, only the line's quiet can end it:
// the two trailing bytes are open and never awaited.
reply::Cut KeyedReadCut(uint8_t item, KeyForm keyForm, const uint8_t* held, size_t count) {
    const std::string key = std::string(KeyText(ItemKey(item))) + "=";
    for (size_t i = 0; i < key.size(); ++i) {
        if (kReadTextOffset + i >= count)
            return reply::Partial();
        if (held[kReadTextOffset + i] != static_cast<uint8_t>(key[i]))
            return reply::Stray();
    }
    const size_t valueOffset = kReadTextOffset + key.size();
    const size_t rawSize = RawSize(item, keyForm);
    if (rawSize != 0) {
        if (count >= valueOffset + rawSize)
            return reply::Answer(valueOffset + rawSize);
        // A MAC address has no shorter form worth waiting for the line's quiet.
        return item == kItemMac ? reply::Partial() : reply::AnswerIfQuiet(count);
    }
    const size_t end = reply::TextEnd(held, count, valueOffset);
    return end < count ? reply::AnswerAtTextEnd(end + 1, kReadTextKind)
                       : reply::AnswerIfQuiet(count, kReadTextKind);
}

// V: a bad status is all that counts; a good one is followed by eight open bytes and the version
// text, which ends at its text end, after its ten bytes, or when the line goes quiet.
reply::Cut VersionCut(const uint8_t* held, size_t count) {
    if (count < kReadTextOffset)
        return reply::Partial();
    if (!StatusGood(held, static_cast<uint32_t>(count)))
        return reply::Answer(kReadTextOffset);
    if (count < kVersionTextOffset)
        return reply::Partial();
    const size_t full = kVersionTextOffset + kVersionTextMax;
    const size_t end = reply::TextEnd(held, count < full ? count : full, kVersionTextOffset);
    if (end < count && end < full)
        return reply::AnswerAtTextEnd(end + 1, kVersionTextKind);
    return count >= full ? reply::Answer(full) : reply::AnswerIfQuiet(count, kVersionTextKind);
}

}  // namespace

reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count, KeyForm keyForm) {
    if (const auto cut = reply::LetterCut(request, held, count))
        return *cut;
    const uint8_t letter = held[2];
    switch (letter) {
        case kBeginLetter:
            return reply::Answer(3);
        case kVersionLetter:
            return VersionCut(held, count);
        case kReadLetter:
            if (request->size() < 4)
                return reply::Stray();
            if (count < kReadTextOffset)
                return reply::Partial();
            // A bad status carries nothing more the page reads.
            if (!StatusGood(held, static_cast<uint32_t>(count)))
                return reply::Answer(kReadTextOffset);
            return KeyedReadCut((*request)[3], keyForm, held, count);
        case kWriteLetter:
            if (request->size() < 4)
                return reply::Stray();
            if (count > 3 && held[3] != (*request)[3])
                return reply::Stray();
            return count < kWriteReplySize ? reply::Partial() : reply::Answer(kWriteReplySize);
    }
    return reply::Stray();
}

std::string ReadText(const uint8_t* data, uint32_t count) {
    return TextFrom(data, count, kReadTextOffset, count);
}

bool ParseReadReply(const uint8_t* data, uint32_t count, ReadReply* reply) {
    if (!StatusGood(data, count))
        return false;
    const Key key = MatchKey(ReadText(data, count));
    if (key == Key::kNone)
        return false;
    const uint32_t valueOffset =
        kReadTextOffset + static_cast<uint32_t>(std::strlen(KeyText(key))) + 1;
    // A reply that stops before the '=' has no value to take.
    if (count < valueOffset)
        return false;
    reply->key = key;
    reply->valueOffset = valueOffset;
    return true;
}

std::string TextValue(const uint8_t* data, uint32_t count, const ReadReply& reply) {
    const uint32_t end = ReadTextEnd(data, count, reply.valueOffset);
    return std::string(data + reply.valueOffset, data + end);
}

namespace {

// A raw value of size bytes, or of the shorter size when fewer came.
Bytes RawValue(const uint8_t* data, uint32_t count, const ReadReply& reply, size_t size,
               size_t shorter = 0) {
    for (const size_t fits : {size, shorter}) {
        if (fits != 0 && count >= reply.valueOffset + fits)
            return Bytes(data + reply.valueOffset, data + reply.valueOffset + fits);
    }
    // Shorter still: the line's quiet ended the reply, and its last two bytes are the trailing
    // ones.
    if (count <= reply.valueOffset + kReadTrailer)
        return Bytes();
    return Bytes(data + reply.valueOffset, data + count - kReadTrailer);
}

}  // namespace

Bytes MacValue(const uint8_t* data, uint32_t count, const ReadReply& reply) {
    return RawValue(data, count, reply, kMacBytes);
}

Bytes KeyBytes(const uint8_t* data, uint32_t count, const ReadReply& reply, KeyForm keyForm) {
    // Bytes past a 64-bit key that are too few for a 128-bit one are the printer's trailing ones.
    return RawValue(data, count, reply, RawSize(kItemKey, keyForm),
                    keyForm == KeyForm::kWepBytes ? kWepKeyBytes : 0);
}

std::string CountryLetters(const uint8_t* data, uint32_t count) {
    if (count <= kCountryLettersOffset)
        return std::string();
    const uint32_t end = ReadTextEnd(data, count, kCountryLettersOffset);
    return std::string(data + kCountryLettersOffset, data + end);
}

}  // namespace page3
