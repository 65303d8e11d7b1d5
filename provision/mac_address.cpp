// How a printer's MAC address and a network address are written.
#include "provision/mac_address.h"

#include <cctype>

std::string MacKey(const std::string& text) {
    std::string key;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (c != ':' && c != '-')
            return std::string();
    }
    return key.size() == 12 ? key : std::string();
}

bool IsIpv4(const std::string& text) {
    size_t at = 0;
    for (int octet = 0; octet < 4; ++octet) {
        if (octet > 0 && (at >= text.size() || text[at++] != '.'))
            return false;
        const size_t end = text.find_first_not_of("0123456789", at);
        const size_t digits = (end == std::string::npos ? text.size() : end) - at;
        // A leading zero reads as octal to some resolvers: none is taken.
        if (digits == 0 || digits > 3 || (digits > 1 && text[at] == '0') ||
            std::stoi(text.substr(at, digits)) > 255)
            return false;
        at += digits;
    }
    return at == text.size();
}
