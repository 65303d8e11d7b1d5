// The four WEP keys as bytes, in one table per key size (the printer keeps both), and their
// conversions to and from the key fields' texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace page2 {

constexpr int kWepKeyCount = 4;
constexpr const char* kNotHexadecimal = "Not Hexadecimal value";

// "WEP Key" list: selection 0 is 64-bit, any other 128-bit.
enum class WepKeySize { k64, k128 };
// A key's format list: selection 0 is Hex, any other ASCII.
enum class WepKeyFormat { kHex, kAscii };

// Bytes of one key: 5 or 13.
size_t WepSlotSize(WepKeySize size);

struct WepKeyTables {
    std::array<uint8_t, kWepKeyCount * 5> table64{};    // record 0x22, Key1 first
    std::array<uint8_t, kWepKeyCount * 13> table128{};  // record 0x23, Key1 first
    // A key's bytes (key 0 is Key1); null for a key outside 0 to 3.
    uint8_t* Slot(WepKeySize size, int key);
    const uint8_t* Slot(WepKeySize size, int key) const;
};

// A key field's text into its slot of the table of that size; the other table keeps its bytes.
// ASCII copies the first characters; Hex converts digit pairs and ignores an odd last digit.
// False at the first pair that is not hexadecimal (kNotHexadecimal): the bytes converted before
// it stay, the rest of the slot is zero.
bool ParseWepKey(const std::string& text, WepKeyFormat format, WepKeySize size, int key,
                 WepKeyTables* tables);
// One key in a format: Hex as lower-case digit pairs of the whole slot, ASCII as its characters
// up to the first zero byte.
std::string RenderWepKey(const WepKeyTables& tables, WepKeySize size, int key, WepKeyFormat format);
// All keys as characters with zero bytes skipped, as the fields show them after a read or a
// change of size.
std::array<std::string, kWepKeyCount> RenderWepKeys(const WepKeyTables& tables, WepKeySize size);

// A save needs the key in use to have exactly this many characters, and says so otherwise.
size_t WepKeyLength(WepKeyFormat format, WepKeySize size);
const char* WepKeyLengthMessage(WepKeyFormat format, WepKeySize size);

}  // namespace page2
