// The Wi-Fi module's keys (items 3 and 19): their length limits, the save's length checks and the
// values written, as ASCII text or as bytes converted from hexadecimal digits.
#pragma once

#include <cstddef>
#include <string>

#include "page_module/page3_protocol.h"

namespace page3 {

// What the key is for: the infrastructure WEP sizes by WEP Type, the infrastructure WPA kinds,
// and the access point's WPA2 kinds.
enum class KeyKind { kWep64, kWep128, kWpa, kApWpa2 };

// The most characters the Key field takes for the kind and the data type.
size_t KeyLimit(KeyKind kind, bool hex);
// The save's check of the key text as typed (before escaping or conversion): a WEP key up to its
// limit, a WPA key of 8 to 63 characters (ASCII) or exactly 64 digits (HEX). The message for a
// key that fails, or null.
const char* KeyLengthError(KeyKind kind, bool hex, const std::string& key);

// An ASCII key goes with '\' before every ',' and '\'.
std::string EscapeKey(const std::string& key);
Bytes AsciiKeyValue(const std::string& key);

// The page's key buffer, which holds the converted bytes and the final 0x00.
constexpr size_t kKeyBufferSize = 256;
// The hexadecimal key conversion: whitespace skipped, digits paired (the first the high nibble),
// an odd last digit alone, any other character as 0. At most kKeyBufferSize - 1 bytes.
Bytes HexKeyBytes(const std::string& keyText);
Bytes HexKeyValue(const std::string& keyText);

}  // namespace page3
