// Keys of the Wi-Fi module: the save's length checks and the values written in both forms.
#include "page_module/page3_keys.h"

#include <gtest/gtest.h>

#include "tests/page_module/page3_bytes.h"

namespace page3 {
namespace {

TEST(Page3Keys, LengthChecksBeforeEscapingOrConversion) {
    const char* const kWep64 = "Invalid WEP 64bit Key : Error [-103]";
    const char* const kWep128 = "Invalid WEP 128bit Key : Error [-103]";
    const char* const kWpa = "Invalid WPA Key : Error [-103]";
    const char* const kWpa2 = "Invalid WPA2 PSK Key : Error [-103]";
    const struct {
        KeyKind kind;
        bool hex;
        size_t length;
        const char* error;
    } cases[] = {
        {KeyKind::kWep64, false, 5, nullptr},   {KeyKind::kWep64, false, 6, kWep64},
        {KeyKind::kWep64, false, 3, nullptr},   {KeyKind::kWep64, true, 11, kWep64},
        {KeyKind::kWep128, false, 14, kWep128}, {KeyKind::kWep128, true, 26, nullptr},
        {KeyKind::kWep128, true, 27, kWep128},  {KeyKind::kWpa, false, 7, kWpa},
        {KeyKind::kWpa, false, 63, nullptr},    {KeyKind::kWpa, false, 64, kWpa},
        {KeyKind::kWpa, true, 63, kWpa},        {KeyKind::kWpa, true, 64, nullptr},
        {KeyKind::kApWpa2, false, 8, nullptr},  {KeyKind::kApWpa2, false, 0, kWpa2},
        {KeyKind::kApWpa2, true, 63, kWpa2},    {KeyKind::kApWpa2, true, 64, nullptr},
    };
    for (const auto& c : cases) {
        const char* error = KeyLengthError(c.kind, c.hex, std::string(c.length, ','));
        EXPECT_STREQ(error, c.error) << static_cast<int>(c.kind) << " " << c.hex << " " << c.length;
    }
}

TEST(Page3Keys, WrittenValues) {
    const std::string hex64 = "00112233445566778899AABBCCDDEEFF00112233445566778899aabbccddeeff";
    Bytes bytes32;
    for (int i = 0; i < 32; ++i)
        bytes32.push_back(static_cast<uint8_t>((i % 16) * 0x11));
    EXPECT_EQ(AsciiKeyValue("secret12"), B({}) + "secret12" + B({0}));
    // Escaped length: 5 characters, 2 escapes and the 0x00.
    EXPECT_EQ(AsciiKeyValue("a,b\\c"), B({'a', '\\', ',', 'b', '\\', '\\', 'c', 0}));
    EXPECT_EQ(HexKeyValue(hex64), bytes32 + B({0}));
    EXPECT_EQ(HexKeyValue("12345"), B({0x12, 0x34, 0x05, 0x00}));
}

TEST(Page3Keys, HexKeyConversion) {
    const struct {
        std::string text;
        Bytes bytes;
    } cases[] = {
        {"0a 1B\t2c\r\n3D", B({0x0A, 0x1B, 0x2C, 0x3D})},
        {"0A1B2C3D", B({0x0A, 0x1B, 0x2C, 0x3D})},
        {"abc", B({0xAB, 0x0C})},
        {"g1", B({0x01})},  // not a digit: counts as 0
        {" \t", B({})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexKeyBytes(c.text), c.bytes) << c.text;
    // The key buffer keeps room for the final 0x00 whatever is typed.
    EXPECT_EQ(HexKeyValue(std::string(600, 'F')).size(), kKeyBufferSize);
}

}  // namespace
}  // namespace page3
