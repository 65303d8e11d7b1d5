// The Wi-Fi module page as its template shows it, before any protocol runs.
#include <gtest/gtest.h>

#include "app/messages.h"
#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"
#include "tests/pages/page_test_support.h"

namespace {

using namespace page3;
using ui::Kind;
using Strings = std::vector<std::string>;

class Page3 : public pagetest::ShownPage<CPage3Marvuto> {};

TEST_F(Page3, ShowsEveryControlOfTheTemplateInItsBoxWithItsCaption) {
    EXPECT_EQ(ui_.Caption(page_), "Velmora_v7.4");
    const ui::DialogSpec& spec = page_.Spec();
    EXPECT_EQ(spec.templateId, 166);
    EXPECT_EQ(spec.width, 427);
    EXPECT_EQ(spec.height, 342);
    EXPECT_EQ(page_.PageMessage(), WM_PAGE3_DATA);
    pagetest::ExpectKinds(
        spec,
        {{Kind::kGroupBox,
          {IDC_BOX_INFO, IDC_BOX_BASIC, IDC_BOX_INFRA, IDC_BOX_AP, IDC_BOX_SECURITY}},
         {Kind::kStatic,
          {IDC_LABEL_STATUS, IDC_LABEL_VERSION, IDC_LABEL_MAC, IDC_LABEL_WLAN_MODE, IDC_LABEL_SSID,
           IDC_LABEL_PORT, IDC_LABEL_REGION, IDC_LABEL_IP, IDC_LABEL_NETMASK, IDC_LABEL_GATEWAY,
           IDC_LABEL_DNS, IDC_AP_IP_FIXED, IDC_LABEL_WEP_TYPE, IDC_LABEL_DATA_TYPE, IDC_LABEL_KEY,
           IDC_HELP_ASCII, IDC_HELP_HEX}},
         {Kind::kPushButton, {IDC_READ, IDC_SAVE}},
         {Kind::kEdit,
          {IDC_PRINTER_STATUS, IDC_VERSION, IDC_MAC, IDC_SSID, IDC_PORT, IDC_KEY, IDC_HOST_NAME}},
         {Kind::kDropDownList,
          {IDC_WLAN_MODE, IDC_REGION_COUNTRY, IDC_REGION_NUMERIC, IDC_WEP_TYPE, IDC_DATA_TYPE}},
         {Kind::kIpAddress, {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS, IDC_AP_IP}},
         {Kind::kAutoCheckBox, {IDC_DHCP, IDC_AP_IP_WRITE, IDC_MDNS}},
         {Kind::kAutoRadio,
          {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA, IDC_SEC_WPA2, IDC_SEC_WPA_WPA2}}});
    pagetest::ExpectBoxes(
        ui_, page_,
        {{"",
          {{IDC_READ, "Read WLAN Info"},
           {IDC_SAVE, "Save WLAN Info"},
           {IDC_BOX_INFO, "WLAN Information"},
           {IDC_BOX_BASIC, "WLAN Basic Setting"},
           {IDC_BOX_INFRA, "Infrastructure Mode"},
           {IDC_BOX_AP, "Access Point Mode"},
           {IDC_BOX_SECURITY, "WLAN Security Setting"}}},
         {"WLAN Information",
          {{IDC_LABEL_STATUS, "Printer Status"},
           {IDC_PRINTER_STATUS, "Printer Status"},
           {IDC_LABEL_VERSION, "Version"},
           {IDC_VERSION, "Version"},
           {IDC_LABEL_MAC, "MAC Address"},
           {IDC_MAC, "MAC Address"}}},
         {"WLAN Basic Setting",
          {{IDC_LABEL_WLAN_MODE, "WLAN Mode"},
           {IDC_WLAN_MODE, "WLAN Mode"},
           {IDC_LABEL_SSID, "SSID"},
           {IDC_SSID, "SSID"},
           {IDC_LABEL_PORT, "Port"},
           {IDC_PORT, "Port"},
           {IDC_LABEL_REGION, "Region"},
           {IDC_REGION_COUNTRY, "Region"},
           {IDC_REGION_NUMERIC, "Region"}}},
         {"Infrastructure Mode",
          {{IDC_DHCP, "DHCP"},
           {IDC_LABEL_IP, "IP"},
           {IDC_IP, "IP"},
           {IDC_LABEL_NETMASK, "NetMask"},
           {IDC_NETMASK, "NetMask"},
           {IDC_LABEL_GATEWAY, "Gateway"},
           {IDC_GATEWAY, "Gateway"},
           {IDC_LABEL_DNS, "DNS"},
           {IDC_DNS, "DNS"}}},
         {"Access Point Mode",
          {{IDC_AP_IP, "IP Address"},
           {IDC_AP_IP_WRITE, "IP Address"},
           {IDC_AP_IP_FIXED, "IP Address : 192.168.10.1 (fixed)"},
           {IDC_MDNS, "mDNS"},
           {IDC_HOST_NAME, "Host Name"}}},
         {"WLAN Security Setting",
          {{IDC_SEC_NONE, "None"},
           {IDC_SEC_WEP, "WEP (Open/Shared)"},
           {IDC_SEC_WPA, "WPA-PSK"},
           {IDC_SEC_WPA2, "WPA2-PSK"},
           {IDC_SEC_WPA_WPA2, "WPA WPA2-PSK"},
           {IDC_WEP_TYPE, "WEP Type"},
           {IDC_DATA_TYPE, "Data Type"},
           {IDC_KEY, "Key"},
           {IDC_LABEL_WEP_TYPE, "WEP Type"},
           {IDC_LABEL_DATA_TYPE, "Data Type"},
           {IDC_LABEL_KEY, "Key"},
           {IDC_HELP_ASCII,
            "ASCII : WEP 64bit : 5 characters(fixed) / WEP 128bit : 13 characters(fixed) / "
            "WPA-PSK, WPA2-PSK : 8 ~ 63 characters"},
           {IDC_HELP_HEX,
            "HEX : WEP 64bit : 10bytes(fixed) / WEP 128bit : 26bytes(fixed) / WPA-PSK, "
            "WPA2-PSK : 16 ~ 126 bytes"}}}});
}

TEST_F(Page3, ControlsFollowTheTabOrder) {
    const std::vector<int> order{
        IDC_READ,
        IDC_SAVE,
        IDC_BOX_INFO,
        IDC_LABEL_STATUS,
        IDC_PRINTER_STATUS,
        IDC_LABEL_VERSION,
        IDC_VERSION,
        IDC_LABEL_MAC,
        IDC_MAC,
        IDC_BOX_BASIC,
        IDC_LABEL_WLAN_MODE,
        IDC_WLAN_MODE,
        IDC_LABEL_SSID,
        IDC_SSID,
        IDC_LABEL_PORT,
        IDC_PORT,
        IDC_LABEL_REGION,
        IDC_REGION_COUNTRY,
        IDC_BOX_INFRA,
        IDC_DHCP,
        IDC_LABEL_IP,
        IDC_IP,
        IDC_LABEL_NETMASK,
        IDC_NETMASK,
        IDC_LABEL_GATEWAY,
        IDC_GATEWAY,
        IDC_LABEL_DNS,
        IDC_DNS,
        IDC_BOX_AP,
        IDC_AP_IP,
        IDC_BOX_SECURITY,
        IDC_AP_IP_WRITE,
        IDC_AP_IP_FIXED,
        IDC_SEC_NONE,
        IDC_SEC_WEP,
        IDC_SEC_WPA,
        IDC_SEC_WPA2,
        IDC_SEC_WPA_WPA2,
        IDC_WEP_TYPE,
        IDC_DATA_TYPE,
        IDC_KEY,
        IDC_LABEL_WEP_TYPE,
        IDC_LABEL_DATA_TYPE,
        IDC_LABEL_KEY,
        IDC_HELP_ASCII,
        IDC_HELP_HEX,
        IDC_MDNS,
        ui::kNoId,
        IDC_HOST_NAME,
        IDC_REGION_NUMERIC,
        ui::kNoId,
    };
    std::vector<int> ids;
    for (const ui::ControlSpec& c : page_.Spec().controls)
        ids.push_back(c.id);
    EXPECT_EQ(ids, order);
    EXPECT_EQ(page_.Spec().controls[47].caption, "Host Name");
    EXPECT_EQ(page_.Spec().controls[50].caption, "IP Address");
}

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
    EXPECT_EQ(pagetest::IdsWithStyle(page_.Spec(), ui::kSorted), std::vector<int>{IDC_DATA_TYPE});
}

TEST_F(Page3, TemplateHidesOnlyTheApAddressBox) {
    const ui::DialogSpec& spec = page_.Spec();
    EXPECT_EQ(pagetest::IdsWithStyle(spec, ui::kHidden), std::vector<int>{IDC_AP_IP_WRITE});
    EXPECT_EQ(pagetest::IdsWithStyle(spec, ui::kDisabled), std::vector<int>{IDC_AP_IP_WRITE});
    EXPECT_FALSE(ui_.Visible(page_, IDC_AP_IP_WRITE));
    EXPECT_FALSE(ui_.Enabled(page_, IDC_AP_IP_WRITE));
    EXPECT_EQ(pagetest::IdsWithStyle(spec, ui::kReadOnly),
              (std::vector<int>{IDC_PRINTER_STATUS, IDC_VERSION, IDC_MAC}));
}

TEST_F(Page3, FiveSecurityButtonsFormOneGroup) {
    const int radios[] = {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA, IDC_SEC_WPA2, IDC_SEC_WPA_WPA2};
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
    for (int id : {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS, IDC_AP_IP})
        EXPECT_EQ(ui_.Address(page_, id), 0u) << id;
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
