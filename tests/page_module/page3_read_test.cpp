// Reading a Wi-Fi module: the request chain on the wire, what each reply fills, and the region
// list the version chooses.
#include "tests/page_module/page3_fixture.h"
#include "tests/support/profile_steps.h"

namespace {

using namespace page3;

// V, R 0 and I, then R of each item.

Bytes ReadWire(std::initializer_list<int> items) {
    Bytes wire = {0x1B, 0x7E, 'V', 0x1B, 0x7E, 'R', 0x00, 0x1B, 0x7E, 'I'};
    for (int item : items)
        wire.insert(wire.end(), {0x1B, 0x7E, 'R', static_cast<uint8_t>(item)});
    return wire;
}

TEST_F(Page3Test, OpensWithItsSettingsOffAndSavesNothingBeforeARead) {
    OpenPage();
    for (int id : kAllSettings)
        EXPECT_FALSE(ui_.Enabled(Page(), id)) << id;
    Save();
    EXPECT_TRUE(links_.writes.empty());
    ExpectButtons(true, true);
}

TEST_F(Page3Test, ReadsAnAccessPointWithMdnsOff) {
    Store().configured = "0";
    Store().apSsid = "Lobby";
    Store().apPassphrase = "apsecret1";
    OpenPage();
    ASSERT_TRUE(ui_.Click(Page(), IDC_READ));
    ExpectButtons(false, false);
    ui_.Advance(2000);
    EXPECT_EQ(Wire(), ReadWire({16, 1, 2, 3, 4, 32, 33}));
    EXPECT_EQ(ui_.Text(Page(), IDC_VERSION), "V2.10");
    EXPECT_EQ(ui_.Text(Page(), IDC_MAC), "00-1A-2B-3C-4D-5E");
    EXPECT_EQ(ui_.Text(Page(), IDC_WLAN_MODE), "Access Point mode");
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "Lobby");
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_WPA2), 1);
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "apsecret1");
    EXPECT_EQ(ui_.Limit(Page(), IDC_KEY), 63);
    EXPECT_EQ(ui_.Checked(Page(), IDC_MDNS), 0);
    EXPECT_EQ(ui_.Text(Page(), IDC_PORT), "9100");
    EXPECT_EQ(ui_.Text(Page(), IDC_REGION_COUNTRY), "KR:Republic of Korea");
    for (int id : {IDC_WLAN_MODE, IDC_SSID, IDC_PORT, IDC_REGION_COUNTRY, IDC_MDNS, IDC_SEC_NONE,
                   IDC_SEC_WPA2, IDC_SEC_WPA_WPA2, IDC_KEY, IDC_DATA_TYPE})
        EXPECT_TRUE(ui_.Enabled(Page(), id)) << id;
    for (int id : {IDC_SEC_WEP, IDC_SEC_WPA, IDC_WEP_TYPE, IDC_DHCP, IDC_IP, IDC_HOST_NAME})
        EXPECT_FALSE(ui_.Enabled(Page(), id)) << id;
    EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
    ExpectButtons(true, true);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(Page3Test, ReadsTheHostNameOfAnAccessPointWithMdnsOn) {
    Store().configured = "0";
    Store().apSecurity = "0";
    Store().mdnsEnabled = "1";
    Store().mdnsHostName = "lobby-printer";
    OpenPage();
    ProgressRecorder progress;
    Record(progress);
    Read();
    EXPECT_EQ(Wire(), ReadWire({16, 1, 2, 3, 4, 5, 32, 33}));
    // The host name joins the plan once mDNS is read on.
    EXPECT_EQ(progress.Text(),
              "1/10 version, 2/10 MAC Address, 3/10 start, 4/10 WLAN Mode, 5/10 SSID, 6/10 WLAN "
              "Security Setting, 7/10 Key, 8/10 mDNS, 9/11 Host Name, 10/11 Port, 11/11 Region");
    EXPECT_EQ(ui_.Checked(Page(), IDC_MDNS), 1);
    EXPECT_EQ(ui_.Text(Page(), IDC_HOST_NAME), "lobby-printer");
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_HOST_NAME));
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_NONE), 1);
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "") << "no key is shown without security";
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_KEY));
}

TEST_F(Page3Test, ReadsAnInfrastructureModuleWithStaticAddresses) {
    Store().ipAddrType = "0";
    Store().ipAddr = "172.16.5.20";
    Store().netMask = "255.255.254.0";
    Store().gateway = "172.16.4.1";
    Store().dns1 = "8.8.4.4";
    OpenPage();
    ProgressRecorder progress;
    Record(progress);
    Read();
    // The plan of a fresh page is the shortest chain until the mode is read.
    EXPECT_EQ(progress.Text(),
              "1/10 version, 2/10 MAC Address, 3/10 start, 4/10 WLAN Mode, 5/14 SSID, 6/14 WLAN "
              "Security Setting, 7/14 Key, 8/14 DHCP, 9/14 IP, 10/14 NetMask, 11/14 Gateway, 12/14 "
              "DNS, 13/14 Port, 14/14 Region");
    EXPECT_EQ(Wire(), ReadWire({16, 17, 18, 19, 20, 21, 22, 23, 24, 32, 33}));
    EXPECT_EQ(ui_.Text(Page(), IDC_WLAN_MODE), "Infrastructure mode");
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "Office");
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "officekey1");
    EXPECT_EQ(ui_.Checked(Page(), IDC_DHCP), 0);
    EXPECT_EQ(ui_.Text(Page(), IDC_IP), "172.16.5.20");
    EXPECT_EQ(ui_.Text(Page(), IDC_NETMASK), "255.255.254.0");
    EXPECT_EQ(ui_.Text(Page(), IDC_GATEWAY), "172.16.4.1");
    EXPECT_EQ(ui_.Text(Page(), IDC_DNS), "8.8.4.4");
    for (int id : {IDC_DHCP, IDC_IP, IDC_DNS, IDC_SEC_WEP, IDC_SEC_WPA, IDC_SEC_WPA2})
        EXPECT_TRUE(ui_.Enabled(Page(), id)) << id;
    for (int id : {IDC_MDNS, IDC_HOST_NAME, IDC_AP_IP, IDC_WEP_TYPE})
        EXPECT_FALSE(ui_.Enabled(Page(), id)) << id;
    EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
}

TEST_F(Page3Test, TheVersionChoosesTheRegionList) {
    const struct {
        std::string version, region;
        bool numeric;
        std::string shown;
        std::string box;  // what the page says of a region in neither list
    } cases[] = {
        {"E1.02", "8", true, "8:Japan Special(0xFF)", ""},
        {"E1.02", "x", true, "",
         "The printer's Region \"x\" is not in the list: choose one before saving."},
        {"V2.10", "CN", false, "CN:China", ""},
        {"V2.10", "CA", false, "CA:Canada", ""},
        {"V2.10", "XX", false, "",
         "The printer's Region \"XX\" is not in the list: choose one before saving."},
    };
    for (const auto& c : cases) {
        Store().version = c.version;
        Store().region = c.region;
        OpenPage();
        Read();
        const int shown = c.numeric ? IDC_REGION_NUMERIC : IDC_REGION_COUNTRY;
        const int hidden = c.numeric ? IDC_REGION_COUNTRY : IDC_REGION_NUMERIC;
        EXPECT_EQ(ui_.Text(Page(), shown), c.shown) << c.region;
        EXPECT_EQ(BoxTexts(),
                  c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box});
        EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
        if (!c.box.empty()) {
            // Not known: null in a profile, and no save writes another region in its place.
            ProfileFile file("page3_unlisted");
            SaveProfileFile(ui_, Page(), file, true);
            const char* null = c.numeric ? "\"region_numeric\": null" : "\"region\": null";
            EXPECT_NE(file.Read().find(null), std::string::npos) << file.Read();
            ForgetTraffic();
            Save();
            EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Choose a Region before saving."});
            EXPECT_TRUE(links_.writes.empty());
        }
        EXPECT_TRUE(ui_.Visible(Page(), shown));
        EXPECT_TRUE(ui_.Enabled(Page(), shown));
        EXPECT_FALSE(ui_.Visible(Page(), hidden));
        EXPECT_EQ(ui_.Visible(Page(), IDC_SEC_WPA_WPA2), !c.numeric) << c.version;
        ASSERT_TRUE(ui_.SysCommand(Page(), ui::kScClose));
    }
}

TEST_F(Page3Test, HexKeysShowAsDigitsWithTheirWepSize) {
    const struct {
        std::string key, shown, size;
    } cases[] = {
        {std::string("\x0A\x1B\x2C\x00\x4E", 5), "0A1B2C004E", "WEP-64bits"},
        {"0123456789abc", "30313233343536373839616263", "WEP-128bits"},
    };
    for (const auto& c : cases) {
        Store().security = "1";
        Store().passphrase = c.key;
        OpenPage();
        SetSel(IDC_DATA_TYPE, kDataTypeHex);
        Read();
        EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_WEP), 1);
        EXPECT_EQ(ui_.Text(Page(), IDC_KEY), c.shown);
        EXPECT_EQ(ui_.Text(Page(), IDC_WEP_TYPE), c.size);
        EXPECT_TRUE(ui_.Visible(Page(), IDC_HELP_HEX));
        EXPECT_FALSE(ui_.Visible(Page(), IDC_HELP_ASCII));
        ASSERT_TRUE(ui_.SysCommand(Page(), ui::kScClose));
    }
}

TEST_F(Page3Test, ABadVersionStatusAsksAgain) {
    printer_->SetBadVersionReplies(2);
    OpenPage();
    ProgressRecorder progress;
    Record(progress);
    Read();
    EXPECT_EQ(Requests(), "V V V R0 I R16 R17 R18 R19 R20 R21 R22 R23 R24 R32 R33");
    ASSERT_EQ(progress.requests.size(), 16u);
    EXPECT_EQ(progress.requests.back().planned, 16u) << progress.Text();
    EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
}

}  // namespace
