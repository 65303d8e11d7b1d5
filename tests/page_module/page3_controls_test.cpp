// The module page's controls after a read: mode and security rules, the key's limits and forms,
// and the SSID check.
#include "tests/page_module/page3_fixture.h"
#include "tests/pages/page_test_support.h"

namespace {

using namespace page3;
using Texts = std::vector<std::string>;

TEST_F(Page3Test, AccessPointModeFallsBackFromWpaPskToNone) {
    OpenAndRead();  // infrastructure with DHCP
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WPA));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WLAN_MODE, kWlanModeAp));
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_NONE), 1);
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_WPA), 0);
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "");
    for (int id : {IDC_KEY, IDC_SEC_WEP, IDC_SEC_WPA, IDC_DHCP, IDC_IP, IDC_HOST_NAME})
        EXPECT_FALSE(ui_.Enabled(Page(), id)) << id;
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_MDNS));

    ASSERT_TRUE(ui_.Select(Page(), IDC_WLAN_MODE, kWlanModeInfrastructure));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_DHCP));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_IP)) << "DHCP is still on";
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_MDNS));
    ASSERT_TRUE(ui_.Click(Page(), IDC_DHCP));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_IP));
}

TEST_F(Page3Test, WepTypeCutsTheKeyToItsLimit) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WEP_TYPE, kWep128));
    EXPECT_EQ(ui_.Limit(Page(), IDC_KEY), 13);
    SetText(IDC_KEY, "abcdefghijklm");
    ASSERT_TRUE(ui_.Select(Page(), IDC_WEP_TYPE, kWep64));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "abcde");
    EXPECT_EQ(ui_.Limit(Page(), IDC_KEY), 5);
    ASSERT_TRUE(ui_.Select(Page(), IDC_WEP_TYPE, kWep128));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "abcde");
    ASSERT_TRUE(ui_.Select(Page(), IDC_DATA_TYPE, kDataTypeHex));
    EXPECT_EQ(ui_.Limit(Page(), IDC_KEY), 26);
}

TEST_F(Page3Test, DataTypeSwitchesBetweenTheKeysTwoForms) {
    OpenAndRead();
    SetText(IDC_KEY, "abc");
    // Never left: taken as characters.
    ASSERT_TRUE(ui_.Select(Page(), IDC_DATA_TYPE, kDataTypeHex));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "616263");
    EXPECT_EQ(ui_.Limit(Page(), IDC_KEY), 64);
    EXPECT_TRUE(ui_.Visible(Page(), IDC_HELP_HEX));
    ASSERT_TRUE(ui_.Select(Page(), IDC_DATA_TYPE, kDataTypeAscii));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "abc");
    EXPECT_TRUE(ui_.Visible(Page(), IDC_HELP_ASCII));

    ASSERT_TRUE(ui_.Select(Page(), IDC_DATA_TYPE, kDataTypeHex));
    SetText(IDC_KEY, "4a 4B 5");
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY));
    EXPECT_EQ(Page().KeyBinary(), "JK\x05");
    EXPECT_EQ(Page().KeyHex(), "4A4B5");
    SetText(IDC_KEY, "4G");
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY));
    EXPECT_EQ(BoxTexts(), Texts{"Not Hexadecimal key."});
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "4G") << "the key stays as typed";
}

// Each box takes the focus, so the field hears it leave again while the box is up: the check does
// not run inside itself, and leaves the other fields as typed.
TEST_F(Page3Test, SsidCheckRestoresTheLastAcceptedSsid) {
    OpenAndRead();  // "Office"
    ASSERT_TRUE(ui_.Type(Page(), IDC_PORT, "9200"));
    const struct {
        std::string typed, message, kept;
    } cases[] = {
        {std::string(33, 'y'), "Enter no more than 32 characters.", "Office"},
        {"a\tb", "Invalid SSID contents", "Office"},
        {"caf\xC3\xA9", "Invalid SSID contents", "Office"},
        {std::string(32, 'x'), "", std::string(32, 'x')},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SetText(IDC_SSID, c.typed);
        pagetest::LeaveFieldUnderBoxes(ui_, Page(), IDC_SSID);
        EXPECT_EQ(BoxTexts(), c.message.empty() ? Texts{} : Texts{c.message}) << c.typed;
        EXPECT_EQ(ui_.Text(Page(), IDC_SSID), c.kept);
    }
    EXPECT_EQ(ui_.Text(Page(), IDC_PORT), "9200");
}

}  // namespace
