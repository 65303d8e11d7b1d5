// Frames, payloads and replies of the current-generation printers' escape protocol, and the
// tables behind them. Pure functions: no window, no link.
#include "page_current/page1_protocol.h"

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

std::string TextUpTo(const uint8_t* data, uint32_t begin, uint32_t end) {
    std::string text;
    for (uint32_t i = begin; i < end && data[i] != 0; ++i)
        text += static_cast<char>(data[i]);
    return text;
}

uint32_t LeadingNumber(const std::string& text) {
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string* hex, unsigned value) {
    *hex += kHexDigits[(value >> 4) & 0xF];
    *hex += kHexDigits[value & 0xF];
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

bool IsReplyLetter(uint8_t letter) {
    return letter != 0 && std::strchr("BCDEFGHIMOQRW", letter) != nullptr;
}

bool IsReadItem(uint8_t item) {
    switch (item) {
        case kItemSsid:
        case kItemChannel:
        case kItemWlanMode:
        case kItemSecurity:
        case kItemCipher:
        case kItemWpaReserved:
        case kItemWepKey:
        case kItemWpaKey:
        case kItemWepIndex:
        case kItemVersion:
        case kItemMac:
        case kItemPort:
            return true;
    }
    return false;
}

std::string QueryValue(const uint8_t* data, uint32_t count) {
    return count > 5 ? TextUpTo(data, 4, count - 1) : std::string();
}

std::string ReadValue(const uint8_t* data, uint32_t count) {
    return count > 5 ? TextUpTo(data, 5, count) : std::string();
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

uint32_t ParseDottedAddress(const std::string& text) {
    uint32_t octets[4] = {0, 0, 0, 0};
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        if (start > text.size())
            break;
        const size_t dot = i < 3 ? text.find('.', start) : std::string::npos;
        std::string part =
            text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (i == 3)
            part = part.substr(0, 3);
        octets[i] = LeadingNumber(part);
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return octets[0] << 24 | octets[1] << 16 | octets[2] << 8 | octets[3];
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

bool IsKeySpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

Bytes WepKeyBytes(const std::string& keyText) {
    std::string digits;
    for (char c : keyText) {
        if (!IsKeySpace(c))
            digits += c;
    }
    Bytes bytes;
    size_t i = 0;
    for (; i + 1 < digits.size(); i += 2) {
        bytes.push_back(
            static_cast<uint8_t>(HexDigitValue(digits[i]) * 16 + HexDigitValue(digits[i + 1])));
    }
    if (i < digits.size())
        bytes.push_back(static_cast<uint8_t>(HexDigitValue(digits[i])));
    return bytes;
}

bool HexKeyForms(const std::string& keyText, std::string* binary, std::string* hex) {
    binary->clear();
    hex->clear();
    int pending = -1;
    for (char c : keyText) {
        if (IsKeySpace(c))
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
        *hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (pending < 0) {
            pending = HexDigitValue(c);
        } else {
            *binary += static_cast<char>(pending * 16 + HexDigitValue(c));
            pending = -1;
        }
    }
    if (pending >= 0)
        *binary += static_cast<char>(pending);
    return true;
}

void AsciiKeyForms(const std::string& keyText, std::string* binary, std::string* hex) {
    binary->clear();
    hex->clear();
    for (char c : keyText) {
        if (IsKeySpace(c))
            continue;
        *binary += c;
        AppendHex(hex, static_cast<unsigned char>(c));
    }
}

bool IsPrintable(const std::string& text) {
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u > 0x7E)
            return false;
    }
    return true;
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
