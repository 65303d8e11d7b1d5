// The Wi-Fi module page as its template shows it, before any protocol runs.
#include <gtest/gtest.h>

#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"
#include "page_shared/messages.h"
#include "tests/pages/page_test_support.h"

namespace {

using namespace page3;
using ui::Kind;
using Strings = std::vector<std::string>;

class Page3 : public pagetest::ShownPage<CPage3Marvuto> {};

TEST_F(Page3, ListsHoldTheRegionListsAndTheDataTypesSorted) {
    EXPECT_EQ(ui_.Items(page_, IDC_WLAN_MODE),
              (Strings{"Access Point mode", "Infrastructure mode"}));
    EXPECT_EQ(
        ui_.Items(page_, IDC_REGION_COUNTRY),
        (Strings{"US:United States of America", "CA:Canada", "SG:Singapore", "EU:Europe",
                 "AU:Australia", "KR:Republic of Korea", "CN:China", "FR:France", "JP:Japan"}));
    const Strings numeric = ui_.Items(page_, IDC_REGION_NUMERIC);
    EXPECT_EQ(numeric, (Strings{"0:US FCC,Singapore(0x10)", "1:IC Canada(0x20)",
                                "2:ETSI,Australia,Republic of Korea(0x30)", "3:France(0x32)",
                                "4:Japan(0x40)", "5:Japan(0x41)", "6:China(0x50)", "7:Japan(0xFE)",
                                "8:Japan Special(0xFF)"}));
    EXPECT_EQ(ui_.Items(page_, IDC_WEP_TYPE), (Strings{"WEP-64bits", "WEP-128bits"}));
    EXPECT_EQ(ui_.Items(page_, IDC_DATA_TYPE), (Strings{"ASCII", "HEX"}));
    EXPECT_EQ(pagetest::IdsWithStyle(page_.Desc(), ui::kSorted), std::vector<int>{IDC_DATA_TYPE});
}

TEST_F(Page3, TemplateHidesOnlyTheApAddressBox) {
    const ui::DialogDesc& desc = page_.Desc();
    EXPECT_EQ(pagetest::IdsWithStyle(desc, ui::kHidden), std::vector<int>{IDC_AP_IP_WRITE});
    EXPECT_EQ(pagetest::IdsWithStyle(desc, ui::kDisabled), std::vector<int>{IDC_AP_IP_WRITE});
    EXPECT_FALSE(ui_.Visible(page_, IDC_AP_IP_WRITE));
    EXPECT_FALSE(ui_.Enabled(page_, IDC_AP_IP_WRITE));
    EXPECT_EQ(pagetest::IdsWithStyle(desc, ui::kReadOnly),
              (std::vector<int>{IDC_PRINTER_STATUS, IDC_VERSION, IDC_MAC}));
}

TEST_F(Page3, FiveSecurityButtonsFormOneGroup) {
    const int radios[] = {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA, IDC_SEC_WPA2, IDC_SEC_WPA_WPA2};
    // The page opens with its settings off; a read turns them on.
    ui_.RunOnUi([&] { page_.EnableItems(radios, true); });
    for (int clicked : radios) {
        ASSERT_TRUE(ui_.Click(page_, clicked));
        for (int id : radios)
            EXPECT_EQ(ui_.Checked(page_, id), id == clicked ? 1 : 0) << clicked << " " << id;
    }
}

TEST_F(Page3, ShowsTheHeldValuesWithTheirLimits) {
    EXPECT_EQ(ui_.Text(page_, IDC_HOST_NAME), "HostName");
    EXPECT_EQ(ui_.Text(page_, IDC_SSID), "");
    EXPECT_EQ(ui_.Text(page_, IDC_PORT), "");
    for (int id : {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS})
        EXPECT_EQ(ui_.Address(page_, id), 0u) << id;
    EXPECT_EQ(ui_.Text(page_, IDC_AP_IP), "192.168.10.1") << "the module's own address at first";
    EXPECT_EQ(ui_.Limit(page_, IDC_SSID), 32);
    EXPECT_EQ(ui_.Limit(page_, IDC_PORT), 5);
    EXPECT_EQ(ui_.Limit(page_, IDC_HOST_NAME), 32);
    EXPECT_EQ(ui_.Limit(page_, IDC_KEY), 0) << "the security choice sets the key's limit";
}

TEST_F(Page3, TakesValuesInOrderAndRefusesTheFirstOverlongText) {
    EXPECT_FALSE(TakeValuesWith({{IDC_SSID, std::string(33, 'x')}}));
    auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Enter no more than 32 characters.");
    EXPECT_EQ(ui_.Focus(page_), IDC_SSID);
    EXPECT_EQ(page_.m_strSsid, "");

    // SSID and port pass, the host name is the first that cannot be taken.
    EXPECT_FALSE(TakeValuesWith({{IDC_SSID, "net"},
                                 {IDC_PORT, "9100"},
                                 {IDC_KEY, std::string(100, 'k')},
                                 {IDC_HOST_NAME, std::string(33, 'h')}}));
    boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ui_.Focus(page_), IDC_HOST_NAME);
    EXPECT_EQ(page_.m_strSsid, "net");
    EXPECT_EQ(page_.m_strPort, "9100");
    EXPECT_EQ(page_.m_strKey, std::string(100, 'k'));
    EXPECT_EQ(page_.m_strHostName, "HostName");
}

}  // namespace
