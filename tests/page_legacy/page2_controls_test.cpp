// The rules that keep the legacy page's security, mode, cipher, addressing and SSID consistent
// while the operator edits after a read.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"
#include "tests/pages/page_test_support.h"

namespace {

using namespace page2;
using Strings = std::vector<std::string>;

class Page2Controls : public pagetest::ShownPage<CPage2Old> {
  protected:
    // What a read leaves the operator: every group enabled.
    void SetUp() override {
        ShownPage::SetUp();
        ui_.RunOnUi([&] { page_.EnableAllGroups(true); });
    }
    // "1" for each enabled control, "0" for each disabled one.
    std::string Enabled(std::initializer_list<int> ids) {
        std::string states;
        for (int id : ids)
            states += ui_.Enabled(page_, id) ? '1' : '0';
        return states;
    }
};

// The Authentication choice is remembered across None and WEP, but None has no shared key.
TEST_F(Page2Controls, AuthenticationListFollowsTheSecurityAndKeepsItsChoice) {
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_WEP));
    EXPECT_EQ(ui_.Items(page_, IDC_AUTHENTICATION),
              (Strings{"None", "Open system", "Shared key", "Mixed mode"}));
    ASSERT_TRUE(ui_.Select(page_, IDC_AUTHENTICATION, 2));
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_NONE));
    EXPECT_EQ(ui_.Items(page_, IDC_AUTHENTICATION), (Strings{"None", "Open system"}));
    EXPECT_EQ(ui_.Text(page_, IDC_AUTHENTICATION), "None");
    EXPECT_EQ(Enabled({IDC_KEY1_TEXT, IDC_WEP_SIZE, IDC_WPA_KEY}), "000");

    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Select(page_, IDC_AUTHENTICATION, 1));
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_NONE));
    EXPECT_EQ(ui_.Text(page_, IDC_AUTHENTICATION), "Open system");
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_WEP));
    EXPECT_EQ(ui_.Text(page_, IDC_AUTHENTICATION), "Open system");
    EXPECT_EQ(Enabled({IDC_KEY1_TEXT, IDC_KEY4_FORMAT, IDC_WPA_KEY}), "110");

    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_WPA));
    EXPECT_EQ(Enabled({IDC_AUTHENTICATION, IDC_KEY1_TEXT, IDC_WPA_KEY, IDC_WPA_CIPHER}), "0011");
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_WEP), 0);
}

// The cipher follows the encryption; ad hoc has no WPA and takes a channel; DHCP takes the
// addresses and offers automatic DNS.
TEST_F(Page2Controls, ModeDhcpAndEncryptionRules) {
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_WPA));
    ASSERT_TRUE(ui_.Select(page_, IDC_WPA_CIPHER, 1));
    EXPECT_EQ(ui_.Text(page_, IDC_WPA_CIPHER), "TKIP") << "WPA PSK goes with TKIP";
    ASSERT_TRUE(ui_.Select(page_, IDC_WPA_ENCRYPTION, 1));
    ASSERT_TRUE(ui_.Select(page_, IDC_WPA_CIPHER, 0));
    EXPECT_EQ(ui_.Text(page_, IDC_WPA_CIPHER), "AES");

    ASSERT_TRUE(ui_.Select(page_, IDC_WLAN_MODE, kModeAdHoc));
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_NONE), 1);
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_WPA), 0);
    EXPECT_EQ(Enabled({IDC_SEC_WPA, IDC_WPA_KEY, IDC_WPA_CIPHER, IDC_WPA_ENCRYPTION,
                       IDC_AUTHENTICATION, IDC_CHANNEL}),
              "000001");
    ASSERT_TRUE(ui_.Select(page_, IDC_WLAN_MODE, kModeInfrastructure));
    EXPECT_EQ(Enabled({IDC_SEC_WPA, IDC_CHANNEL}), "10");

    ASSERT_TRUE(ui_.Click(page_, IDC_DHCP));
    EXPECT_EQ(Enabled({IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS, IDC_DNS_AUTO}), "00001");
    ASSERT_TRUE(ui_.Click(page_, IDC_DHCP));
    EXPECT_EQ(Enabled({IDC_IP, IDC_DNS, IDC_DNS_AUTO}), "110");
}

TEST_F(Page2Controls, SsidCheckRestoresTheLastValidSsid) {
    ASSERT_TRUE(ui_.Type(page_, IDC_SSID, "Office"));
    ASSERT_TRUE(ui_.LeaveField(page_, IDC_SSID));
    EXPECT_TRUE(ui_.TakeBoxTexts().empty());

    // Each box takes the focus, so the field hears it leave again while the box is up: the check
    // does not run inside itself.
    ASSERT_TRUE(ui_.Type(page_, IDC_SSID, "Caf\xC3\xA9"));
    pagetest::LeaveFieldUnderBoxes(ui_, page_, IDC_SSID);
    EXPECT_EQ(ui_.TakeBoxTexts(), Strings{"Invalid SSID contents"});
    EXPECT_EQ(ui_.Text(page_, IDC_SSID), "Office");
    EXPECT_EQ(page_.m_strSsid, "Caf\xC3\xA9") << "only the field is restored";

    ui_.RunOnUi([&] { page_.SetItemText(IDC_SSID, std::string(33, 'x')); });
    pagetest::LeaveFieldUnderBoxes(ui_, page_, IDC_SSID);
    EXPECT_EQ(ui_.TakeBoxTexts(),
              (Strings{"Enter no more than 32 characters.", "Invalid SSID length"}));
    EXPECT_EQ(ui_.Text(page_, IDC_SSID), "Office");

    ASSERT_TRUE(ui_.Type(page_, IDC_SSID, ""));
    ASSERT_TRUE(ui_.LeaveField(page_, IDC_SSID));
    EXPECT_TRUE(ui_.TakeBoxTexts().empty()) << "an empty SSID passes";
}

TEST_F(Page2Controls, KeyButtonsChooseTheKeyInUse) {
    ASSERT_TRUE(ui_.Click(page_, IDC_KEY2));
    EXPECT_EQ(page_.KeyInUse(), 1);
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY1), 0) << "each key button is a group of its own";
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY2), 1);
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_NONE), 1) << "a key button leaves the security alone";
}

// Text typed into a field stays as typed whatever the operator does next, and so does a field
// that values cannot be taken from (set by code beyond its limit, before the typing).
struct TypedCase {
    const char* name;
    int overlong;  // 0 for none
    int typed;
    const char* text;
    int act;     // clicked, or selected:
    int select;  // the entry, or -1 for a click
};

void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << c.name;
}

class Page2Typed : public Page2Controls, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(Page2Typed, StaysAsTyped) {
    const TypedCase& c = GetParam();
    const std::string overlong(40, 'o');
    if (c.overlong != 0) {
        ui_.RunOnUi([&] { page_.SetItemText(c.overlong, overlong); });
    }
    ASSERT_TRUE(ui_.Type(page_, c.typed, c.text));
    ASSERT_TRUE(c.select < 0 ? ui_.Click(page_, c.act) : ui_.Select(page_, c.act, c.select));
    EXPECT_EQ(ui_.Text(page_, c.typed), c.text);
    if (c.overlong != 0) {
        EXPECT_EQ(ui_.Text(page_, c.overlong), overlong);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, Page2Typed,
    ::testing::Values(
        TypedCase{"PeerPortThenKey2", 0, IDC_PEER_PORT, "4242", IDC_KEY2, -1},
        TypedCase{"PortThenWlanMode", 0, IDC_PORT, "777", IDC_WLAN_MODE, kModeAdHoc},
        TypedCase{"WaterMarkThenWep", IDC_SSID, IDC_WATER_MARK, "77", IDC_SEC_WEP, -1},
        TypedCase{"DomainThenKeyFormat", IDC_SSID, IDC_PEER_DOMAIN, "print.lan", IDC_KEY2_FORMAT,
                  kFormatHex},
        TypedCase{"UserClassThenWepSize", IDC_SSID, IDC_USER_CLASS_ID, "PTR-1", IDC_WEP_SIZE, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
