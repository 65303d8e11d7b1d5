// What the operator types into key and address fields, turned into what the printers take.
#include "page_shared/entry_text.h"

namespace entry {

namespace {

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

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int HexDigitValue(char c) {
    return HexDigit(c) < 0 ? 0 : HexDigit(c);
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

}  // namespace entry
