// WEP key tables: parsing a key field into its slot and rendering the slots as texts.
#include "page_legacy/page2_wep_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace page2 {
namespace {

std::vector<uint8_t> SlotBytes(const WepKeyTables& t, int key) {
    const uint8_t* slot = t.Slot(WepKeySize::k64, key);
    return std::vector<uint8_t>(slot, slot + WepSlotSize(WepKeySize::k64));
}

// Odd, short, long and non-hexadecimal entries; the 128-bit table is proven by the page's save.
TEST(Page2WepKeys, ParseFillsOnlyTheKeysSlotOfTheCurrentSize) {
    const auto H = WepKeyFormat::kHex;
    const auto A = WepKeyFormat::kAscii;
    const struct {
        std::string text;
        WepKeyFormat format;
        bool ok;
        std::vector<uint8_t> slot;
    } kCases[] = {
        {"0a1G2233", H, false, {0x0A, 0, 0, 0, 0}},  // second pair not hexadecimal
        {"123456789", H, true, {0x12, 0x34, 0x56, 0x78, 0}},
        {"1", H, true, {0, 0, 0, 0, 0}},
        {"00112233445566778899aabbccddeeff", H, true, {0x00, 0x11, 0x22, 0x33, 0x44}},
        {"abcdefgh", A, true, {'a', 'b', 'c', 'd', 'e'}},
        {"ab", A, true, {'a', 'b', 0, 0, 0}},
        {"caf\xC3\xA9", A, true, {'c', 'a', 'f', 0xE9, 0}},
    };
    for (const auto& c : kCases) {
        WepKeyTables tables;
        tables.table64.fill(0x77);
        tables.table128.fill(0x77);
        const WepKeyTables before = tables;
        EXPECT_EQ(ParseWepKey(c.text, c.format, WepKeySize::k64, 1, &tables), c.ok) << c.text;
        EXPECT_EQ(SlotBytes(tables, 1), c.slot) << c.text;
        // Key1, Key3 and the other size's table keep their bytes.
        EXPECT_EQ(SlotBytes(tables, 0), SlotBytes(before, 0));
        EXPECT_EQ(SlotBytes(tables, 2), SlotBytes(before, 2));
        EXPECT_EQ(tables.table128, before.table128);
    }
}

TEST(Page2WepKeys, ZeroBytesEndOneKeyButAreSkippedInAllKeys) {
    WepKeyTables t;
    t.table64 = {'a', 0, 'b', 0xE9, 0, 'k', 'e', 'y', '2', '!'};
    EXPECT_EQ(RenderWepKey(t, WepKeySize::k64, 0, WepKeyFormat::kAscii), "a");
    const auto all = RenderWepKeys(t, WepKeySize::k64);
    EXPECT_EQ(all[0], "ab\xC3\xA9");
    EXPECT_EQ(all[1], "key2!");
    EXPECT_EQ(all[3], "");
    EXPECT_EQ(RenderWepKey(t, WepKeySize::k64, 4, WepKeyFormat::kHex), "");
}

}  // namespace
}  // namespace page2
