// The legacy page as its template shows it, before any protocol runs.
#include <gtest/gtest.h>

#include "app/messages.h"
#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"
#include "tests/pages/page_test_support.h"

namespace {

using namespace page2;
using ui::Kind;
using Strings = std::vector<std::string>;

class Page2 : public pagetest::ShownPage<CPage2Old> {};

TEST_F(Page2, ShowsEveryControlOfTheTemplateInItsBoxWithItsCaption) {
    EXPECT_EQ(ui_.Caption(page_), "Velmora_v7.4");
    const ui::DialogSpec& spec = page_.Spec();
    EXPECT_EQ(spec.templateId, 163);
    EXPECT_EQ(spec.width, 427);
    EXPECT_EQ(spec.height, 411);
    EXPECT_EQ(page_.PageMessage(), WM_PAGE2_DATA);
    pagetest::ExpectKinds(
        spec, {{Kind::kGroupBox,
                {IDC_BOX_INFO, IDC_BOX_BASIC, IDC_BOX_ADDRESS, IDC_BOX_WIRELESS, IDC_BOX_TCPIP,
                 IDC_BOX_SECURITY, IDC_BOX_WEP, IDC_BOX_WPA}},
               {Kind::kStatic,
                {IDC_LABEL_STATUS,
                 IDC_LABEL_VERSION,
                 IDC_LABEL_MAC,
                 IDC_LABEL_IP,
                 IDC_LABEL_NETMASK,
                 IDC_LABEL_GATEWAY,
                 IDC_LABEL_DNS,
                 IDC_LABEL_WLAN_MODE,
                 IDC_LABEL_PORT,
                 IDC_LABEL_CHANNEL,
                 IDC_LABEL_SSID,
                 IDC_LABEL_USER_CLASS_ID,
                 IDC_LABEL_PEER_IP,
                 IDC_LABEL_PEER_PORT,
                 IDC_LABEL_MUX_TYPE,
                 IDC_LABEL_PEER_DOMAIN,
                 IDC_LABEL_WATER_MARK,
                 IDC_LABEL_ENCRYPTION,
                 IDC_LABEL_AUTHENTICATION,
                 IDC_LABEL_WEP_SIZE,
                 IDC_LABEL_WPA_ENCRYPTION,
                 IDC_LABEL_WPA_CIPHER,
                 IDC_LABEL_WPA_KEY}},
               {Kind::kPushButton, {IDC_READ, IDC_SAVE, IDC_USER_CLASS_DEFAULT}},
               {Kind::kEdit,
                {IDC_STATUS, IDC_VERSION, IDC_MAC, IDC_PORT, IDC_SSID, IDC_USER_CLASS_ID,
                 IDC_PEER_PORT, IDC_PEER_DOMAIN, IDC_WATER_MARK, IDC_KEY1_TEXT, IDC_KEY2_TEXT,
                 IDC_KEY3_TEXT, IDC_KEY4_TEXT, IDC_WPA_KEY}},
               {Kind::kDropDownList,
                {IDC_WLAN_MODE, IDC_CHANNEL, IDC_MUX_TYPE, IDC_AUTHENTICATION, IDC_WEP_SIZE,
                 IDC_KEY1_FORMAT, IDC_KEY2_FORMAT, IDC_KEY3_FORMAT, IDC_KEY4_FORMAT,
                 IDC_WPA_ENCRYPTION, IDC_WPA_CIPHER}},
               {Kind::kIpAddress, {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS, IDC_PEER_IP}},
               {Kind::kAutoCheckBox, {IDC_DHCP, IDC_DNS_AUTO, IDC_COD_LISTEN}},
               {Kind::kAutoRadio,
                {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA, IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4}}});
    // Each key's button captions its text field; the format list follows on the same row.
    std::vector<std::pair<int, std::string>> wep{{IDC_LABEL_WEP_SIZE, "WEP Key"},
                                                 {IDC_WEP_SIZE, "WEP Key"}};
    for (int i = 0; i < 4; ++i) {
        const std::string key = "Key" + std::to_string(i + 1);
        wep.insert(wep.end(),
                   {{IDC_KEY1 + i, key}, {IDC_KEY1_TEXT + i, key}, {IDC_KEY1_FORMAT + i, ""}});
        EXPECT_EQ(spec.Find(IDC_KEY1_FORMAT + i)->rect.y, spec.Find(IDC_KEY1_TEXT + i)->rect.y);
    }
    const std::string security = "WLAN Security Setting";
    pagetest::ExpectBoxes(ui_, page_,
                          {{"", {{IDC_READ, "Read WLAN Info"}, {IDC_SAVE, "Save WLAN Info"}}},
                           {"",
                            {{IDC_BOX_INFO, "WLAN Information"},
                             {IDC_BOX_BASIC, "WLAN Basic Setting"},
                             {IDC_BOX_TCPIP, "TCP/IP"},
                             {IDC_BOX_SECURITY, security}}},
                           {"WLAN Information",
                            {{IDC_LABEL_STATUS, "Printer Status"},
                             {IDC_STATUS, "Printer Status"},
                             {IDC_LABEL_VERSION, "Version"},
                             {IDC_VERSION, "Version"},
                             {IDC_LABEL_MAC, "MAC Address"},
                             {IDC_MAC, "MAC Address"}}},
                           {"WLAN Basic Setting", {{IDC_BOX_ADDRESS, ""}, {IDC_BOX_WIRELESS, ""}}},
                           {"#1264",
                            {{IDC_DHCP, "DHCP"},
                             {IDC_DNS_AUTO, "Obtain DNS server address automatically"},
                             {IDC_LABEL_IP, "IP"},
                             {IDC_IP, "IP"},
                             {IDC_LABEL_NETMASK, "NetMask"},
                             {IDC_NETMASK, "NetMask"},
                             {IDC_LABEL_GATEWAY, "Gateway"},
                             {IDC_GATEWAY, "Gateway"},
                             {IDC_LABEL_DNS, "DNS"},
                             {IDC_DNS, "DNS"}}},
                           {"#1293",
                            {{IDC_LABEL_WLAN_MODE, "WLAN Mode"},
                             {IDC_WLAN_MODE, "WLAN Mode"},
                             {IDC_LABEL_PORT, "Port"},
                             {IDC_PORT, "Port"},
                             {IDC_LABEL_CHANNEL, "Channel"},
                             {IDC_CHANNEL, "Channel"},
                             {IDC_LABEL_SSID, "SSID"},
                             {IDC_SSID, "SSID"},
                             {IDC_LABEL_USER_CLASS_ID, "User Class ID"},
                             {IDC_USER_CLASS_ID, "User Class ID"},
                             {IDC_USER_CLASS_DEFAULT, "Default"}}},
                           {"TCP/IP",
                            {{IDC_LABEL_PEER_IP, "Peer IP Address"},
                             {IDC_PEER_IP, "Peer IP Address"},
                             {IDC_LABEL_PEER_PORT, "Peer Port"},
                             {IDC_PEER_PORT, "Peer Port"},
                             {IDC_LABEL_MUX_TYPE, "Mux Type"},
                             {IDC_MUX_TYPE, "Mux Type"},
                             {IDC_LABEL_PEER_DOMAIN, "Peer Domain Name"},
                             {IDC_PEER_DOMAIN, "Peer Domain Name"},
                             {IDC_COD_LISTEN, "COD Listen"},
                             {IDC_LABEL_WATER_MARK, "Water Mark"},
                             {IDC_WATER_MARK, "Water Mark"}}},
                           {security,
                            {{IDC_LABEL_ENCRYPTION, "Encryption"},
                             {IDC_SEC_NONE, "None"},
                             {IDC_SEC_WEP, "WEP"},
                             {IDC_SEC_WPA, "WPA"},
                             {IDC_LABEL_AUTHENTICATION, "Authentication"},
                             {IDC_AUTHENTICATION, "Authentication"},
                             {IDC_BOX_WEP, "WEP"},
                             {IDC_BOX_WPA, "WPA"}}},
                           {"WEP", wep},
                           {"WPA",
                            {{IDC_LABEL_WPA_ENCRYPTION, "Encryption"},
                             {IDC_WPA_ENCRYPTION, "Encryption"},
                             {IDC_LABEL_WPA_CIPHER, "Cipher"},
                             {IDC_WPA_CIPHER, "Cipher"},
                             {IDC_LABEL_WPA_KEY, "Key"},
                             {IDC_WPA_KEY, "Key"}}}});
}

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

    const ui::DialogSpec& spec = page_.Spec();
    EXPECT_TRUE(pagetest::IdsWithStyle(spec, ui::kSorted).empty()) << "list index is the record";
    EXPECT_TRUE(pagetest::IdsWithStyle(spec, ui::kHidden).empty());
    EXPECT_TRUE(pagetest::IdsWithStyle(spec, ui::kDisabled).empty());
    EXPECT_EQ(pagetest::IdsWithStyle(spec, ui::kReadOnly),
              (std::vector<int>{IDC_STATUS, IDC_VERSION, IDC_MAC}));
}

TEST_F(Page2, NoneAndEachKeyButtonStartTheirOwnRadioGroup) {
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_NONE));
    ASSERT_TRUE(ui_.Click(page_, IDC_KEY2));
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_NONE), 1) << "a key button must not clear the security";
    ASSERT_TRUE(ui_.Click(page_, IDC_KEY1));
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY2), 1) << "the page, not the group, unchecks other keys";
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY1), 1);
    ASSERT_TRUE(ui_.Click(page_, IDC_SEC_WPA));
    EXPECT_EQ(ui_.Checked(page_, IDC_SEC_NONE), 0);
    EXPECT_EQ(ui_.Checked(page_, IDC_KEY1), 1);
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
