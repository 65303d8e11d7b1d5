// The Wi-Fi module's keys: limits, the save's length checks and the values written.
#include "page_module/page3_keys.h"

#include <algorithm>

#include "page_module/page3_values.h"

// The hexadecimal conversion is the one the current-generation page already uses.
#include "page_shared/entry_text.h"

namespace page3 {

namespace {

constexpr size_t kWpaMin = 8;

struct KeyRule {
    size_t asciiLimit;
    size_t hexLimit;
    const char* error;
};

const KeyRule& Rule(KeyKind kind) {
    static const KeyRule kRules[] = {
        {5, 10, "Invalid WEP 64bit Key : Error [-103]"},
        {13, 26, "Invalid WEP 128bit Key : Error [-103]"},
        {63, 64, "Invalid WPA Key : Error [-103]"},
        {63, 64, "Invalid WPA2 PSK Key : Error [-103]"},
    };
    return kRules[static_cast<size_t>(kind)];
}

}  // namespace

size_t KeyLimit(KeyKind kind, bool hex) {
    return hex ? Rule(kind).hexLimit : Rule(kind).asciiLimit;
}

const char* KeyLengthError(KeyKind kind, bool hex, const std::string& key) {
    const size_t limit = KeyLimit(kind, hex);
    bool ok = key.size() <= limit;
    if (kind == KeyKind::kWpa || kind == KeyKind::kApWpa2)
        ok = hex ? key.size() == limit : key.size() >= kWpaMin && ok;
    return ok ? nullptr : Rule(kind).error;
}

std::string EscapeKey(const std::string& key) {
    std::string escaped;
    for (char c : key) {
        if (c == ',' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

Bytes AsciiKeyValue(const std::string& key) {
    return TextItemValue(EscapeKey(key));
}

Bytes HexKeyBytes(const std::string& keyText) {
    Bytes bytes = entry::WepKeyBytes(keyText);
    bytes.resize(std::min(bytes.size(), kKeyBufferSize - 1));
    return bytes;
}

Bytes HexKeyValue(const std::string& keyText) {
    Bytes bytes = HexKeyBytes(keyText);
    bytes.push_back(0);
    return bytes;
}

}  // namespace page3
