// The current-generation page as its template shows it, before any protocol runs.
#include <gtest/gtest.h>

#include "page_current/page1_layout.h"
#include "page_current/page1_new.h"
#include "page_shared/messages.h"
#include "tests/pages/page_test_support.h"

namespace {

using namespace page1;
using ui::Kind;
using Strings = std::vector<std::string>;

class Page1 : public pagetest::ShownPage<CPage1New> {};

TEST_F(Page1, ListsHoldTheirEntriesInTheOrderThePrinterNumbersThem) {
    EXPECT_EQ(ui_.Items(page_, IDC_WLAN_MODE),
              (Strings{"Access Point mode", "Infrastructure mode"}));
    EXPECT_EQ(ui_.Items(page_, IDC_OPERATING_MODE), (Strings{"2.4Ghz", "5Ghz", "Auto"}));
    EXPECT_EQ(ui_.Items(page_, IDC_KEY_FORMAT), (Strings{"ASCII", "Hex"}));
    EXPECT_EQ(ui_.Items(page_, IDC_WEP_SIZE), (Strings{"WEP-64bits", "WEP-128bits"}));
    EXPECT_EQ(ui_.Items(page_, IDC_WPA_ENCRYPTION), (Strings{"WPA PSK", "WPA2 PSK"}));
    EXPECT_EQ(ui_.Items(page_, IDC_WPA_CIPHER), (Strings{"TKIP", "AES"}));
    EXPECT_TRUE(page_.Desc().Find(IDC_CHANNEL)->items.empty())
        << "channels come from region and band";

    const Strings regions = ui_.Items(page_, IDC_REGION);
    ASSERT_EQ(regions.size(), 46u);
    const char* codes[] = {"AT", "AU", "BE", "BR", "CA", "CH", "CN", "CY", "CZ", "DE", "DK", "EE",
                           "ES", "FI", "FR", "GB", "GR", "HK", "HU", "ID", "IE", "IL", "IN", "IS",
                           "IT", "JP", "KR", "LT", "LU", "LV", "RU", "MY", "NL", "NO", "NZ", "PH",
                           "PL", "PT", "SE", "SG", "SI", "SK", "TH", "TW", "US", "ZA"};
    for (size_t i = 0; i < regions.size(); ++i)
        EXPECT_EQ(regions[i].substr(0, 5), std::string(codes[i]) + " - ") << i;
    EXPECT_EQ(regions[5], "CH - Switzerland and Liechtenstein");
    EXPECT_EQ(regions[26], "KR - Republic of Korea");
    EXPECT_EQ(regions[30], "RU - RUSSIAN FEDERATION");
    EXPECT_EQ(regions[44], "US - United states of America");
    EXPECT_EQ(regions[45], "ZA - South Africa");
    EXPECT_EQ(Regions(), regions);
}

TEST_F(Page1, TemplateHidesTheFactoryResetAndManualSettingAndSortsNothing) {
    const ui::DialogDesc& desc = page_.Desc();
    const std::vector<int> concealed{IDC_MANUAL_SETTING, IDC_FACTORY_RESET};
    EXPECT_EQ(pagetest::IdsWithStyle(desc, ui::kHidden), concealed);
    EXPECT_EQ(pagetest::IdsWithStyle(desc, ui::kDisabled), concealed);
    for (int id : concealed) {
        EXPECT_FALSE(ui_.Visible(page_, id)) << id;
        EXPECT_FALSE(ui_.Enabled(page_, id)) << id;
        EXPECT_FALSE(ui_.Click(page_, id)) << id;
    }
    EXPECT_TRUE(pagetest::IdsWithStyle(desc, ui::kSorted).empty()) << "list index is the code";
    EXPECT_EQ(pagetest::IdsWithStyle(desc, ui::kReadOnly),
              (std::vector<int>{IDC_PRINTER_STATUS, IDC_VERSION, IDC_MAC}));
}

TEST_F(Page1, KeyButtonsFormTheirOwnGroupBesideTheSecurityChoice) {
    // The page offers security only after a read; the grouping is the template's alone.
    ui_.RunOnUi([&] {
        for (int id : {IDC_SEC_NONE, IDC_SEC_WEP})
            page_.EnableItem(id, true);
    });
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Click(page_, IDC_KEY2));
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_WEP), 1);
    ASSERT_TRUE(ui_.Click(page_, IDC_KEY4));
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY2), 0);
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY4), 1);
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_NONE));
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_WEP), 0);
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY4), 1);
}

TEST_F(Page1, ShowsTheHeldValuesWithTheirLimits) {
    EXPECT_EQ(ui_.Text(page_, IDC_SSID), "QUARNE");
    EXPECT_EQ(ui_.Text(page_, IDC_PORT), "9100");
    EXPECT_EQ(ui_.Text(page_, IDC_KEY), "");
    EXPECT_EQ(ui_.Text(page_, IDC_VERSION), "");
    EXPECT_EQ(ui_.Text(page_, IDC_MAC), "");
    for (int id : {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS})
        EXPECT_EQ(ui_.Address(page_, id), 0u) << id;
    EXPECT_EQ(ui_.Limit(page_, IDC_PORT), 5);
    EXPECT_EQ(ui_.Limit(page_, IDC_SSID), 32);
    EXPECT_EQ(ui_.Limit(page_, IDC_KEY), 63);
    EXPECT_EQ(ui_.Limit(page_, IDC_VERSION), 0);
}

TEST_F(Page1, TakesValuesInOrderAndRefusesTheFirstOverlongText) {
    EXPECT_TRUE(TakeValuesWith({{IDC_SSID, std::string(32, 's')}, {IDC_KEY, "k"}}));
    EXPECT_EQ(page_.m_strSsid, std::string(32, 's'));
    EXPECT_EQ(page_.m_strKey, "k");

    EXPECT_FALSE(TakeValuesWith({{IDC_SSID, std::string(33, 'x')}}));
    auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Enter no more than 32 characters.");
    EXPECT_EQ(ui_.Focus(page_), IDC_SSID);
    EXPECT_EQ(page_.m_strSsid, std::string(32, 's'));

    // Port comes before the SSID, so its refusal is the one the operator sees.
    EXPECT_FALSE(TakeValuesWith({{IDC_PORT, "123456"}, {IDC_SSID, std::string(40, 'y')}}));
    boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Enter no more than 5 characters.");
    EXPECT_EQ(ui_.Focus(page_), IDC_PORT);
}

}  // namespace
