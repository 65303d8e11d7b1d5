// What the operator types into key and address fields, turned into what the printers take. Pure
// functions, shared by the printer families.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace entry {

using Bytes = std::vector<uint8_t>;

// Dotted text to the IP-address control's value; each octet from its leading digits, the last
// from at most three characters, with no range check.
uint32_t ParseDottedAddress(const std::string& text);

// Keys.
// A hexadecimal digit's value, -1 for any other character.
int HexDigit(char c);
// The same, with 0 for any other character.
int HexDigitValue(char c);
bool IsKeySpace(char c);  // space, tab, CR, LF: ignored inside a key
// The bytes of a Hex key: digit pairs in order, an odd last digit alone; other characters 0.
Bytes WepKeyBytes(const std::string& keyText);
// A Hex key as characters and as upper-case digits. False at the first character that is not a
// digit; the two forms then hold what was built up to it.
bool HexKeyForms(const std::string& keyText, std::string* binary, std::string* hex);
// A key of characters as characters and as upper-case digits of their codes.
void AsciiKeyForms(const std::string& keyText, std::string* binary, std::string* hex);
bool IsPrintable(const std::string& text);

}  // namespace entry
