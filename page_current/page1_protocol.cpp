// Frames, payloads and replies of the current-generation printers' escape protocol, and the
// tables behind them. Pure functions: no window, no link.
#include "page_current/page1_protocol.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "page_current/page1_regions.h"

namespace page1 {

namespace {

void Append(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

Bytes Terminated(const std::string& text) {
    Bytes out(text.begin(), text.end());
    out.push_back(0);
    return out;
}

// The text in [begin, end), up to its first text end.
std::string TextUpTo(const uint8_t* data, uint32_t begin, uint32_t end) {
    if (begin >= end)
        return std::string();
    const size_t stop = reply::TextEnd(data, end, begin);
    return std::string(data + begin, data + stop);
}

}  // namespace

Bytes FixedRequest(char letter, uint8_t argument) {
    return {kEsc, kTilde, static_cast<uint8_t>(letter), argument};
}

Bytes Header(char letter) {
    return {kEsc, kTilde, static_cast<uint8_t>(letter)};
}

bool NeedsQuotes(const std::string& text, QuoteRule rule) {
    if (!text.empty() && text[0] == '"')
        return true;
    const char* forcing = rule == QuoteRule::kSpaceEqualsComma ? " =," : " =";
    return text.find_first_of(forcing) != std::string::npos;
}

std::string WireText(const std::string& text, QuoteRule rule) {
    if (!NeedsQuotes(text, rule))
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '/')
            quoted += '/';
        quoted += c;
    }
    return quoted + "\"";
}

uint8_t BandCode(int bandIndex) {
    static const uint8_t codes[] = {'2', '6', '7'};
    return bandIndex >= 0 && bandIndex < 3 ? codes[bandIndex] : 0;
}

int BandIndex(uint8_t code) {
    if (code == '2')
        return 0;
    if (code == '6')
        return 1;
    return 2;
}

Bytes OperatingModePayload(int bandIndex) {
    return {BandCode(bandIndex), 0};
}

Bytes PortPayload(const std::string& port) {
    return Terminated("j" + port);
}

Bytes RegionPayload(int regionIndex) {
    const std::string code = RegionCode(regionIndex);
    return code.empty() ? Bytes{0, 0, 0} : Terminated(code);
}

Bytes StaticAddressPayload(const std::string& ip, const std::string& mask,
                           const std::string& gateway, const std::string& dns) {
    return Terminated("0" + ip + " " + mask + " " + gateway + " " + dns);
}

Bytes ApAddressPayload(const std::string& ip, const std::string& mask, const std::string& gateway) {
    return Terminated(ip + " " + mask + " " + gateway);
}

Bytes SecurityPayload(uint8_t type, uint8_t cipher) {
    return {type, ' ', cipher, ' ', cipher, 0};
}

Bytes TextPayload(const std::string& text, QuoteRule rule) {
    return Terminated(WireText(text, rule));
}

Bytes WepKeyPayload(int keyIndex, bool hex, const std::string& keyText, const Bytes& keyBytes) {
    Bytes out;
    out.reserve(keyBytes.size() + keyText.size() + 5);
    out.push_back(static_cast<uint8_t>('0' + keyIndex));
    out.push_back(' ');
    if (hex) {
        for (uint8_t b : keyBytes)
            out.push_back(b);
    } else {
        Append(out, WireText(keyText, QuoteRule::kSpaceEqualsComma));
    }
    out.push_back(0);
    return out;
}

Bytes ApOpenPayload(const std::string& ssid, const std::string& channel) {
    return Terminated(WireText(ssid, QuoteRule::kSpaceEquals) + " " + channel);
}

Bytes ApWpaPayload(const std::string& ssid, const std::string& channel, uint8_t type,
                   uint8_t cipher, const std::string& key) {
    std::string text = WireText(ssid, QuoteRule::kSpaceEquals) + " " + channel + " ";
    text += static_cast<char>(type);
    text += ' ';
    text += static_cast<char>(cipher);
    text += ' ';
    text += static_cast<char>(cipher);
    return Terminated(text + " " + WireText(key, QuoteRule::kSpaceEquals));
}

Bytes JoinPayload(const std::string& ssid, const std::string& key) {
    std::string text = WireText(ssid, QuoteRule::kSpaceEquals);
    if (!key.empty())
        text += " " + WireText(key, QuoteRule::kSpaceEquals);
    return Terminated(text);
}

Bytes DhcpRequest() {
    return {kEsc, kTilde, 'B', '1', 0};
}

std::string RequestName(const Bytes& head) {
    struct Name {
        uint8_t code;
        const char* text;
    };
    // Queries and writes by letter; the R items by item.
    static const Name kLetters[] = {
        {'Q', "Operating Mode"},
        {'W', "Port"},
        {'C', "Region"},
        {'H', "Access Point Mode"},
        {'B', "Infrastructure Mode"},
        {'I', "WLAN Security Setting"},
        {'F', "Key"},
        {'G', "Key"},
        {'M', "SSID"},
        {'E', "access point"},
        {'D', "join"},
        {'O', "factory reset"},
    };
    static const Name kItems[] = {
        {kItemVersion, "Version"},
        {kItemMac, "MAC Address"},
        {kItemWlanMode, "WLAN Mode"},
        {kItemSsid, "SSID"},
        {kItemPort, "Port"},
        {kItemChannel, "Channel"},
        {kItemSecurity, "WLAN Security Setting"},
        {kItemCipher, "Cipher"},
        {kItemWpaKey, "Key"},
        {kItemWepIndex, "WEP"},
        {kItemWepKey, "Key"},
    };
    const auto find = [](const auto& names, uint8_t code) -> std::string {
        for (const Name& name : names) {
            if (name.code == code)
                return name.text;
        }
        return "request";
    };
    if (head.size() < 3 || head[0] != kEsc || head[1] != kTilde)
        return "request";
    const uint8_t letter = head[2];
    if (letter == 'R')
        return head.size() > 3 ? find(kItems, head[3]) : "request";
    if (letter == 'B' && head.size() > 3 && head[3] == '1')
        return "DHCP";
    return find(kLetters, letter);
}

namespace {

bool IsQuery(const Bytes& request) {
    return request.size() == 4 && request[3] == '?' && request[2] != 'R';
}

constexpr size_t kQueryValueOffset = 4;
constexpr size_t kReadValueOffset = 5;
// The replies whose values only a text end or the line's quiet can end.
constexpr uint8_t kReadTextKind = 1;
constexpr uint8_t kQueryTextKind = 2;

// The fields of an address query's value: the DHCP flag and four addresses for B?, three
// addresses for H?. The letter of any other query has none.
size_t AddressFieldCount(uint8_t letter) {
    return letter == 'B' ? 5 : letter == 'H' ? 3 : 0;
}

bool IsDigit(uint8_t byte) {
    return byte >= '0' && byte <= '9';
}

// A byte one field of address text can hold: the flag's digit, an address's digits and dots.
bool InAddressField(uint8_t byte) {
    return IsDigit(byte) || byte == '.';
}

// Four groups of digits split by dots, as the printers write an address.
bool IsDottedDecimal(const std::string& text) {
    int dots = 0;
    bool digits = false;
    for (char c : text) {
        if (c == '.') {
            if (!digits)
                return false;
            ++dots;
            digits = false;
        } else if (IsDigit(static_cast<uint8_t>(c))) {
            digits = true;
        } else {
            return false;
        }
    }
    return dots == 3 && digits;
}

bool IsDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c); });
}

// The size of a query's value where its kind fixes one: the band's one character, the region's
// two letters; 0 for the addresses.
size_t QuerySize(uint8_t letter) {
    return letter == 'Q' ? 1 : letter == 'C' ? 2 : 0;
}

// The band's and the region's values end at their size or at a text end; the open byte after
// them is never awaited.
reply::Cut SizedQueryCut(size_t size, const uint8_t* held, size_t count) {
    for (size_t i = kQueryValueOffset; i < count; ++i) {
        if (i == kQueryValueOffset + size)
            return reply::Answer(i);
        if (reply::IsTextEnd(held[i]))
            return reply::Answer(i + 1);
    }
    return count == kQueryValueOffset + size ? reply::Answer(count) : reply::Partial();
}

// The addresses' open last byte can only follow their last field: whatever the fields before it
// hold, the reply goes on to its last space. Within the last field a text end, the first byte no
// address holds (that open byte), or else the line's quiet ends the reply. A printer may also
// leave out fields it holds no value for (a DHCP printer its addresses): a reply short of its
// fields ends when the line goes quiet, at once if it has shown a text end, else as the
// printer's other address replies end.
reply::Cut AddressQueryCut(uint8_t letter, const uint8_t* held, size_t count) {
    const size_t spacesBeforeLast = std::max<size_t>(AddressFieldCount(letter), 1) - 1;
    size_t spaces = 0;
    bool textEnd = false;
    for (size_t i = kQueryValueOffset; i < count; ++i) {
        if (spaces < spacesBeforeLast) {
            spaces += held[i] == ' ';
            textEnd = textEnd || reply::IsTextEnd(held[i]);
        } else if (reply::IsTextEnd(held[i])) {
            return reply::AnswerAtTextEnd(i + 1, kQueryTextKind);
        } else if (!InAddressField(held[i])) {
            return reply::Answer(i + 1);
        }
    }
    const bool shortOfFields = spaces < spacesBeforeLast;
    return reply::AnswerIfQuiet(count, shortOfFields && textEnd ? 0 : kQueryTextKind);
}

}  // namespace

reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count) {
    if (const auto cut = reply::LetterCut(request, held, count))
        return *cut;
    const uint8_t letter = held[2];
    if (letter == 'R') {
        if (count < kReadValueOffset)
            return count < 4 || held[3] == (*request)[3] ? reply::Partial() : reply::Stray();
        if (held[3] != (*request)[3])
            return reply::Stray();
        // A refusal carries no value. An accepted item's value runs to the end of the reply: to
        // a text end when the printer sends one, else until the line goes quiet.
        if (held[4] != kAccepted)
            return reply::Answer(kReadValueOffset);
        const size_t end = reply::TextEnd(held, count, kReadValueOffset);
        return end < count ? reply::AnswerAtTextEnd(end + 1, kReadTextKind)
                           : reply::AnswerIfQuiet(count, kReadTextKind);
    }
    if (IsQuery(*request)) {
        if (count < kQueryValueOffset)
            return reply::Partial();
        const size_t size = QuerySize(letter);
        return size != 0 ? SizedQueryCut(size, held, count) : AddressQueryCut(letter, held, count);
    }
    // An acknowledgement: its status, after the item for the port's W.
    const size_t length = letter == 'W' ? 5 : 4;
    return count < length ? reply::Partial() : reply::Answer(length);
}

std::string QueryValue(const uint8_t* data, uint32_t count) {
    if (count <= kQueryValueOffset)
        return std::string();
    if (const size_t size = QuerySize(data[2]))
        return TextUpTo(data, kQueryValueOffset,
                        static_cast<uint32_t>(std::min<size_t>(count, kQueryValueOffset + size)));
    // The addresses' reply ends with its open byte, which never belongs to the value.
    return TextUpTo(data, kQueryValueOffset, count - 1);
}

std::string ReadValue(const uint8_t* data, uint32_t count) {
    return TextUpTo(data, kReadValueOffset, count);
}

std::optional<std::vector<std::string>> AddressFields(const uint8_t* data, uint32_t count) {
    const size_t expected = count > 2 ? AddressFieldCount(data[2]) : 0;
    std::vector<std::string> fields = SplitFields(QueryValue(data, count));
    // A DHCP printer may answer with its flag alone: it reads as the same flag with no addresses.
    if (data[2] == 'B' && fields == std::vector<std::string>{"1"})
        fields = {"1", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"};
    if (expected == 0 || fields.size() != expected)
        return std::nullopt;
    for (size_t i = 0; i < fields.size(); ++i) {
        // B?'s first field is the DHCP flag; its value is the read's to judge.
        const bool flag = data[2] == 'B' && i == 0;
        if (flag ? !IsDigits(fields[i]) : !IsDottedDecimal(fields[i]))
            return std::nullopt;
    }
    return fields;
}

std::vector<std::string> SplitFields(const std::string& value) {
    std::vector<std::string> fields(1);
    for (char c : value) {
        if (c == ' ') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::string RegionCode(int regionIndex) {
    const std::vector<Region>& regions = RegionTable();
    if (regionIndex < 0 || regionIndex >= static_cast<int>(regions.size()))
        return std::string();
    return regions[regionIndex].code;
}

int RegionIndex(const std::string& code) {
    const std::vector<Region>& regions = RegionTable();
    for (size_t i = 0; i < regions.size(); ++i) {
        if (code == regions[i].code)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<int> Channels(int regionIndex, int bandIndex) {
    const std::string region = RegionCode(regionIndex);
    const auto in = [&](std::initializer_list<const char*> codes) {
        for (const char* code : codes) {
            if (region == code)
                return true;
        }
        return false;
    };
    int last24 = 13;
    std::vector<int> band5 = {36, 40, 44, 48};
    if (in({"JP"})) {
        last24 = 14;
    } else if (in({"AU", "CN", "HK", "KR", "RU", "NZ", "SG"})) {
        band5 = {36, 40, 44, 48, 149, 153, 157, 161, 165};
    } else if (in({"BR", "CA", "US"})) {
        last24 = 11;
        band5 = {36, 40, 44, 48, 149, 153, 157, 161, 165};
    } else if (in({"ID", "TW"})) {
        band5 = {149, 153, 157, 161, 165};
    }
    std::vector<int> channels;
    if (bandIndex != 1) {
        for (int c = 1; c <= last24; ++c)
            channels.push_back(c);
    }
    if (bandIndex == 1 || bandIndex == 2)
        channels.insert(channels.end(), band5.begin(), band5.end());
    return channels;
}

}  // namespace page1
