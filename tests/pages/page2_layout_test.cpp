// The legacy page as its template shows it, before any protocol runs.
#include <gtest/gtest.h>

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"
#include "page_shared/messages.h"
#include "tests/pages/page_test_support.h"

namespace {

using namespace page2;
using ui::Kind;
using Strings = std::vector<std::string>;

class Page2 : public pagetest::ShownPage<CPage2Old> {};

TEST_F(Page2, ListsHoldTheirEntriesInTheOrderTheRecordsNumberThem) {
    EXPECT_EQ(ui_.Items(page_, IDC_WLAN_MODE), (Strings{"AD-Hoc", "Infrastructure"}));
    EXPECT_EQ(ui_.Items(page_, IDC_CHANNEL), pagetest::Numbered("", 1, 11));
    EXPECT_EQ(ui_.Items(page_, IDC_MUX_TYPE), (Strings{"T2S", "ATC", "COD", "U2S"}));
    EXPECT_EQ(ui_.Items(page_, IDC_AUTHENTICATION),
              (Strings{"None", "Open system", "Shared key", "Mixed mode"}));
    EXPECT_EQ(ui_.Items(page_, IDC_WEP_SIZE), (Strings{"WEP-64bits", "WEP-128bits"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ui_.Items(page_, IDC_KEY1_FORMAT + i), (Strings{"Hex", "ASCII"})) << i;
    EXPECT_EQ(ui_.Items(page_, IDC_WPA_ENCRYPTION), (Strings{"WPA PSK", "WPA2 PSK"}));
    EXPECT_EQ(ui_.Items(page_, IDC_WPA_CIPHER), (Strings{"TKIP", "AES"}));

    const ui::DialogDesc& desc = page_.Desc();
    EXPECT_TRUE(pagetest::IdsWithStyle(desc, ui::kSorted).empty()) << "list index is the record";
    EXPECT_TRUE(pagetest::IdsWithStyle(desc, ui::kHidden).empty());
    EXPECT_TRUE(pagetest::IdsWithStyle(desc, ui::kDisabled).empty());
    EXPECT_EQ(pagetest::IdsWithStyle(desc, ui::kReadOnly),
              (std::vector<int>{IDC_STATUS, IDC_VERSION, IDC_MAC}));
}

TEST_F(Page2, ShowsTheHeldValuesWithTheirLimits) {
    EXPECT_EQ(ui_.Text(page_, IDC_SSID), "Pellonixaltra");
    EXPECT_EQ(ui_.Text(page_, IDC_PORT), "9100");
    EXPECT_EQ(ui_.Text(page_, IDC_PEER_PORT), "0");
    EXPECT_EQ(ui_.Text(page_, IDC_WATER_MARK), "0");
    EXPECT_EQ(ui_.Text(page_, IDC_USER_CLASS_ID), "");
    for (int id : {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS, IDC_PEER_IP})
        EXPECT_EQ(ui_.Address(page_, id), 0u) << id;
    EXPECT_EQ(ui_.Limit(page_, IDC_SSID), 32);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ui_.Limit(page_, IDC_KEY1_TEXT + i), 26) << i;
    EXPECT_EQ(ui_.Limit(page_, IDC_WPA_KEY), 32);
    EXPECT_EQ(ui_.Limit(page_, IDC_USER_CLASS_ID), 64);
    EXPECT_EQ(ui_.Limit(page_, IDC_PEER_DOMAIN), 63);
}

TEST_F(Page2, TakesValuesInOrderAndStopsAtTheFirstFieldItCannotTake) {
    EXPECT_TRUE(TakeValuesWith({{IDC_PEER_PORT, "8000"}, {IDC_WATER_MARK, "12"}}));
    EXPECT_EQ(page_.m_dwPeerPort, 8000u);
    EXPECT_EQ(page_.m_dwWaterMark, 12u);

    EXPECT_FALSE(TakeValuesWith({{IDC_SSID, std::string(33, 'x')}, {IDC_PEER_PORT, "x"}}));
    auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Enter no more than 32 characters.");
    EXPECT_EQ(ui_.Focus(page_), IDC_SSID);
    EXPECT_EQ(page_.m_strSsid, "Pellonixaltra");

    // Peer Port comes before Port: the operator hears about it first, and Port keeps its value.
    EXPECT_FALSE(TakeValuesWith({{IDC_SSID, "net"}, {IDC_PEER_PORT, "x"}, {IDC_PORT, "y"}}));
    boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Enter a positive integer.");
    EXPECT_EQ(ui_.Focus(page_), IDC_PEER_PORT);
    EXPECT_EQ(page_.m_strSsid, "net");
    EXPECT_EQ(page_.m_dwPort, 9100u);
}

}  // namespace
