// What "Save WLAN Info" refuses before anything goes on the wire.
#include <ostream>

#include "tests/page_legacy/page2_fixture.h"

namespace {

using namespace page2;

struct Refusal {
    const char* name;
    int field;  // a number field given the text below, 0: none
    const char* text;
    int wepSize;  // -1: WEP not chosen
    int key;
    int format;
    const char* keyText;
    const char* message;
    int focus;  // 0: not moved
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class Page2Refusals : public Page2Test, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Page2Refusals, SendNothing) {
    const Refusal& r = GetParam();
    OpenAndRead();
    if (r.wepSize >= 0) {
        ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
        ASSERT_TRUE(ui_.Select(Page(), IDC_WEP_SIZE, r.wepSize));
        ASSERT_TRUE(ui_.Click(Page(), kKeyButtons[r.key]));
        ASSERT_TRUE(ui_.Select(Page(), IDC_KEY1_FORMAT + r.key, r.format));
        ASSERT_TRUE(ui_.Type(Page(), IDC_KEY1_TEXT + r.key, r.keyText));
        ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY1_TEXT + r.key));
    }
    if (r.field != 0) {
        ASSERT_TRUE(ui_.Type(Page(), r.field, r.text));
    }
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{r.message});
    if (r.focus != 0) {
        EXPECT_EQ(ui_.Focus(Page()), r.focus);
    }
    // A refused save leaves the page as it was before Save was pressed.
    EXPECT_TRUE(Enabled(IDC_READ));
    EXPECT_TRUE(Enabled(IDC_SAVE));
    EXPECT_TRUE(Enabled(IDC_SSID));
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE));
    ui_.Advance(3000);
    EXPECT_TRUE(Wire().empty());
}

constexpr const char* kRange = "Enter an integer between 0 and 65535.";

INSTANTIATE_TEST_SUITE_P(
    Cases, Page2Refusals,
    ::testing::Values(Refusal{"MissingPortBeforeKey", IDC_PORT, "", 0, 1, kFormatHex, "123456789",
                              "Port number is missing.", 0},
                      Refusal{"PortNotANumber", IDC_PORT, "91x0", -1, 0, 0, "",
                              "Enter a positive integer.", IDC_PORT},
                      Refusal{"PortAboveRange", IDC_PORT, "70000", -1, 0, 0, "", kRange, IDC_PORT},
                      Refusal{"PeerPortAboveRange", IDC_PEER_PORT, "65536", -1, 0, 0, "", kRange,
                              IDC_PEER_PORT},
                      Refusal{"WaterMarkAboveRange", IDC_WATER_MARK, "4294967295", -1, 0, 0, "",
                              kRange, IDC_WATER_MARK},
                      Refusal{"Hex64", 0, "", 0, 1, kFormatHex, "123456789",
                              "WEP-64bits key(HEX) should be use 10 characters", 0},
                      Refusal{"Hex128", 0, "", 1, 0, kFormatHex, "1234567890",
                              "WEP-128bits key(HEX) should be use 26 characters", 0},
                      Refusal{"Ascii64", 0, "", 0, 3, kFormatAscii, "abcdefgh",
                              "WEP-64bits key(ASCII) should be use 5 characters", 0},
                      Refusal{"Ascii128", 0, "", 1, 2, kFormatAscii, "abcde",
                              "WEP-128bits key(ASCII) should be use 13 characters", 0}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

}  // namespace
