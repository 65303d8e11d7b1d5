// The rules that keep the legacy page's security, mode, cipher, addressing and SSID consistent
// while the operator edits after a read.
#include <gtest/gtest.h>

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

    ASSERT_TRUE(ui_.Type(page_, IDC_SSID, "Caf\xC3\xA9"));
    ASSERT_TRUE(ui_.LeaveField(page_, IDC_SSID));
    EXPECT_EQ(ui_.TakeBoxTexts(), Strings{"Invalid SSID contents"});
    EXPECT_EQ(ui_.Text(page_, IDC_SSID), "Office");
    EXPECT_EQ(page_.m_strSsid, "Caf\xC3\xA9") << "only the field is restored";

    ui_.RunOnUi([&] { page_.SetItemText(IDC_SSID, std::string(33, 'x')); });
    ASSERT_TRUE(ui_.LeaveField(page_, IDC_SSID));
    EXPECT_EQ(ui_.TakeBoxTexts(),
              (Strings{"Enter no more than 32 characters.", "Invalid SSID length"}));
    EXPECT_EQ(ui_.Text(page_, IDC_SSID), "Office");

    ASSERT_TRUE(ui_.Type(page_, IDC_SSID, ""));
    ASSERT_TRUE(ui_.LeaveField(page_, IDC_SSID));
    EXPECT_TRUE(ui_.TakeBoxTexts().empty()) << "an empty SSID passes";
}

// KeyN and the mode change show the held values without taking them first.
TEST_F(Page2Controls, KeyButtonsChooseTheKeyInUseAndShowTheHeldValues) {
    ASSERT_TRUE(ui_.Type(page_, IDC_PEER_PORT, "8000"));
    ASSERT_TRUE(ui_.Click(page_, IDC_KEY2));
    EXPECT_EQ(ui_.Text(page_, IDC_PEER_PORT), "0");
    EXPECT_EQ(page_.KeyInUse(), 1);
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY1), 0) << "each key button is a group of its own";
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY2), 1);
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_NONE), 1) << "a key button leaves the security alone";

    ASSERT_TRUE(ui_.Type(page_, IDC_PEER_PORT, "8000"));
    ASSERT_TRUE(ui_.Select(page_, IDC_WLAN_MODE, kModeAdHoc));
    EXPECT_EQ(ui_.Text(page_, IDC_PEER_PORT), "0");
}

}  // namespace
