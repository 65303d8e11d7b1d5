// Values of the Wi-Fi module's items, both ways: what is written and how replies are read.
#include "page_module/page3_values.h"

#include <gtest/gtest.h>

#include "page_module/page3_regions.h"
#include "tests/page_module/page3_bytes.h"

namespace page3 {
namespace {

TEST(Page3Values, WrittenValues) {
    const std::string hex64 = "00112233445566778899AABBCCDDEEFF00112233445566778899aabbccddeeff";
    Bytes bytes32;
    for (int i = 0; i < 32; ++i)
        bytes32.push_back(static_cast<uint8_t>((i % 16) * 0x11));
    const struct {
        const char* what;
        Bytes value;
        Bytes expected;
    } cases[] = {
        {"mode", CharValue('1'), B({0x31, 0x00})},
        {"empty security", CharValue(0), B({0x00, 0x00})},
        {"ssid", TextItemValue("Office 2"), B({}) + "Office 2" + B({0})},
        {"country region", RegionValue(true, 5), B({0x4B, 0x52, 0x00})},
        {"numeric region", RegionValue(false, 8), B({0x38, 0x00})},
        {"no country", RegionValue(true, -1), B({'K', 'R', 0})},
        {"no number", RegionValue(false, -1), B({'0', 0})},
        {"ap address", ApAddressValue(0xC0A81407), B({0xC0, 0xA8, 0x14, 0x01, 0x00})},
        {"address", AddressValue(0x0A000001), B({0x0A, 0x00, 0x00, 0x01, 0x00})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, c.expected) << c.what;
}

TEST(Page3Values, DottedAddress) {
    const struct {
        const char* text;
        bool applied;
        uint32_t address;
    } cases[] = {
        {"192.168.20.7", true, 0xC0A81407},
        {"10.0.0.1234", true, 0x0A00007B},  // the last piece is cut to three characters
        {"255.255.255.0", true, 0xFFFFFF00},
        {"1.2.3", false, 0},
        {"", false, 0},
    };
    for (const auto& c : cases) {
        uint32_t address = 0;
        EXPECT_EQ(DottedAddress(c.text, &address), c.applied) << c.text;
        EXPECT_EQ(address, c.address) << c.text;
    }
}

TEST(Page3Values, MacAndHexText) {
    EXPECT_EQ(MacText(B({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E})), "00-1A-2B-3C-4D-5E");
    EXPECT_EQ(MacText(B({})), "");
    EXPECT_EQ(HexText(B({0x0A, 0xFF, 0x00})), "0AFF00");
}

TEST(Page3Values, SecurityRadios) {
    EXPECT_EQ(SecurityRadio('4'), IDC_SEC_WPA2);
    EXPECT_EQ(SecurityRadio('1'), IDC_SEC_WEP);
    EXPECT_EQ(SecurityRadio('2'), 0);
}

TEST(Page3Regions, ListChoiceAndReadIndexes) {
    EXPECT_FALSE(UsesCountryList("E1.02"));
    EXPECT_TRUE(UsesCountryList("V1.02"));
    EXPECT_TRUE(UsesCountryList(""));
    const struct {
        const char* letters;
        int index;
    } country[] = {{"US", 0}, {"CA", 1}, {"CN", 6}, {"CX", 6}, {"KR", 5},
                   {"JP", 8}, {"EU", 3}, {"ZZ", 2}, {"", 2}};
    for (const auto& c : country)
        EXPECT_EQ(CountryRegionIndex(c.letters), c.index) << c.letters;
    const struct {
        const char* value;
        int index;
    } numeric[] = {{"8", 8}, {"1", 1}, {"0", 0}, {"9", 0}, {"", 0}};
    for (const auto& c : numeric)
        EXPECT_EQ(NumericRegionIndex(c.value), c.index) << c.value;
}

}  // namespace
}  // namespace page3
