// The values the Wi-Fi module page writes and reads: security digits, texts, addresses and the MAC
// address.
#include "page_module/page3_values.h"

#include <algorithm>

// The dotted-address rule is the one the current-generation page already uses.
#include "page_shared/entry_text.h"

namespace page3 {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string* text, uint8_t byte) {
    *text += kHexDigits[byte >> 4];
    *text += kHexDigits[byte & 0xF];
}

}  // namespace

int SecurityRadio(uint8_t digit) {
    for (const SecurityChoice& choice : kSecurityChoices) {
        if (choice.digit == digit)
            return choice.radio;
    }
    return 0;
}

Bytes CharValue(uint8_t c) {
    return {c, 0};
}

Bytes TextItemValue(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

Bytes AddressValue(uint32_t address) {
    return {static_cast<uint8_t>(address >> 24), static_cast<uint8_t>(address >> 16),
            static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address), 0};
}

Bytes ApAddressValue(uint32_t apAddress) {
    return {192, 168, static_cast<uint8_t>(apAddress >> 8), 1, 0};
}

bool DottedAddress(const std::string& text, uint32_t* address) {
    if (std::count(text.begin(), text.end(), '.') < 3)
        return false;
    *address = entry::ParseDottedAddress(text);
    return true;
}

std::string MacText(const Bytes& mac) {
    std::string text;
    for (size_t i = 0; i < mac.size(); ++i) {
        AppendHex(&text, mac[i]);
        if (i < 5)
            text += '-';
    }
    return text;
}

std::string HexText(const Bytes& bytes) {
    std::string text;
    for (uint8_t b : bytes)
        AppendHex(&text, b);
    return text;
}

}  // namespace page3
