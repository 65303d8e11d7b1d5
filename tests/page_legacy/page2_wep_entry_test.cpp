// The WEP key fields over the printer's two key tables: shown after a read, parsed on leaving a
// field, shown again on a change of format or size, and written by the save.
#include <algorithm>

#include "tests/page_legacy/page2_fixture.h"

namespace {

using namespace page2;

TEST_F(Page2Test, WepKeyFieldsShowTheTablesAndAHexKeyIsSavedInItsSlot) {
    const Bytes wep64 = Frame("k1-64k2-64k3-64k4-64");
    Bytes wep128 = Frame("key1-128-bitskey2-128-bitskey3-128-bitskey4-128-bits");
    ASSERT_TRUE(printer_->SetRecord(kRecordWep64, wep64));
    ASSERT_TRUE(printer_->SetRecord(kRecordWep128, wep128));
    OpenAndRead();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    EXPECT_EQ(Text(IDC_KEY1_TEXT), "k1-64");
    EXPECT_EQ(Text(IDC_KEY4_TEXT), "k4-64");
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY2_FORMAT, kFormatHex));
    EXPECT_EQ(Text(IDC_KEY2_TEXT), "6b322d3634");
    ASSERT_TRUE(ui_.Select(Page(), IDC_WEP_SIZE, 1));
    EXPECT_EQ(Text(IDC_KEY2_TEXT), "key2-128-bits");
    EXPECT_EQ(Text(IDC_KEY2_FORMAT), "ASCII");

    ASSERT_TRUE(ui_.Click(Page(), IDC_KEY2));
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY2_FORMAT, kFormatHex));
    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY2_TEXT, "12G4567890"));
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY2_TEXT));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Not Hexadecimal value"});
    EXPECT_EQ(Text(IDC_KEY2_TEXT), "12G4567890") << "the text stays as typed";

    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY2_TEXT, "00112233445566778899AaBbCc"));
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY2_TEXT));
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY2_FORMAT, kFormatAscii));
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY2_FORMAT, kFormatHex));
    EXPECT_EQ(Text(IDC_KEY2_TEXT), "00112233445566778899aabbcc");
    EXPECT_TRUE(BoxTexts().empty());

    Save();
    const Bytes key = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66,
                       0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC};
    std::copy(key.begin(), key.end(), wep128.begin() + 13);
    EXPECT_EQ(printer_->Records().at(kRecordWep128), wep128);
    EXPECT_EQ(printer_->Records().at(kRecordWep64), wep64);
    EXPECT_EQ(printer_->Records().at(kRecordWireless), (Bytes{1, 6, 2, 1, 0, 0, 1}));
}

}  // namespace
