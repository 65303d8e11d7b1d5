// Reading a current-generation printer: the request chain on the wire and what each reply fills.
#include "tests/page_current/page1_fixture.h"

namespace {

using namespace page1;

TEST_F(Page1Test, OpensWithOnlyReadUsable) {
    OpenPage();
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SAVE));
    for (int id : {IDC_WLAN_MODE, IDC_OPERATING_MODE, IDC_CHANNEL, IDC_SSID, IDC_KEY, IDC_PORT,
                   IDC_REGION, IDC_DHCP, IDC_IP, IDC_AP_IP, IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA,
                   IDC_WEP_SIZE, IDC_KEY1, IDC_KEY_FORMAT, IDC_WPA_ENCRYPTION, IDC_WPA_CIPHER}) {
        EXPECT_FALSE(ui_.Enabled(Page(), id)) << id;
    }
    EXPECT_EQ(ui_.Text(Page(), IDC_WLAN_MODE), "Access Point mode");
    EXPECT_EQ(ui_.Text(Page(), IDC_REGION), "KR - Republic of Korea");
    EXPECT_EQ(ui_.Text(Page(), IDC_OPERATING_MODE), "Auto");
    EXPECT_EQ(ui_.Text(Page(), IDC_WEP_SIZE), "WEP-64bits");
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY_FORMAT), "ASCII");
    EXPECT_EQ(ui_.Text(Page(), IDC_WPA_ENCRYPTION), "WPA2 PSK");
    EXPECT_EQ(ui_.Text(Page(), IDC_WPA_CIPHER), "AES");
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_NONE), 1);
    EXPECT_EQ(ui_.Checked(Page(), IDC_MANUAL_SETTING), 1);
    EXPECT_FALSE(ui_.Visible(Page(), IDC_MANUAL_SETTING));
    EXPECT_FALSE(ui_.Visible(Page(), IDC_FACTORY_RESET));
    // Selections set by code leave the list as it was built: 1 to 13 whatever KR and Auto allow.
    std::vector<std::string> channels;
    for (int c = 1; c <= 13; ++c)
        channels.push_back(std::to_string(c));
    EXPECT_EQ(ui_.Items(Page(), IDC_CHANNEL), channels);
    EXPECT_EQ(ui_.Text(Page(), IDC_CHANNEL), "1");
    EXPECT_EQ(ui_.Text(Page(), IDC_AP_IP), "192.168.10.1");
    EXPECT_EQ(ui_.Text(Page(), IDC_AP_NETMASK), "255.255.255.0");
    EXPECT_EQ(ui_.Text(Page(), IDC_AP_GATEWAY), "192.168.10.1");
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "QUARNE");
    EXPECT_EQ(ui_.Text(Page(), IDC_PORT), "9100");
}

TEST_F(Page1Test, ReadsAnAccessPointWithoutSecurity) {
    OpenPage();
    Store().ssid = "Lobby AP";
    Store().channel = "11";
    Store().apIp = "10.0.0.1";
    RecordProgress();
    ASSERT_TRUE(ui_.Click(Page(), IDC_READ));
    EXPECT_TRUE(dlg_.m_bPage1Read);
    EXPECT_FALSE(dlg_.m_bPage1Save);
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_EQ(Wire(), Frame("\x1B~R "));
    ui_.Advance(2000);
    EXPECT_EQ(Requests(), "R20 R21 R02 Q? R00 R6A C? R01 H? R03");
    EXPECT_EQ(progress_.Text(),
              "1/10 Version, 2/10 MAC Address, 3/10 WLAN Mode, 4/10 Operating Mode, 5/10 SSID, "
              "6/10 Port, 7/10 Region, 8/10 Channel, 9/10 Access Point Mode, "
              "10/10 WLAN Security Setting");
    EXPECT_EQ(ui_.Text(Page(), IDC_VERSION), "V1.04");
    EXPECT_EQ(ui_.Text(Page(), IDC_MAC), "00:1A:2B:3C:4D:5E");
    EXPECT_EQ(ui_.Text(Page(), IDC_WLAN_MODE), "Access Point mode");
    EXPECT_EQ(ui_.Text(Page(), IDC_OPERATING_MODE), "Auto");
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "Lobby AP");
    EXPECT_EQ(ui_.Text(Page(), IDC_PORT), "9100");
    EXPECT_EQ(ui_.Text(Page(), IDC_REGION), "KR - Republic of Korea");
    EXPECT_EQ(ui_.Items(Page(), IDC_CHANNEL).size(), 22u) << "KR on Auto: 13 + 9 channels";
    EXPECT_EQ(ui_.Text(Page(), IDC_CHANNEL), "11");
    EXPECT_EQ(ui_.Text(Page(), IDC_AP_IP), "10.0.0.1");
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_NONE), 1);
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_KEY));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SEC_WEP)) << "an access point offers no WEP";
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_DHCP));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_IP));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_CHANNEL));
    EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_SAVE));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(Page1Test, ReadsAnInfrastructurePrinterWithWpa2) {
    OpenPage();
    Store().mode = "0";
    Store().security = "3";
    Store().cipher = "1";
    Store().wpaKey = "secret123";
    Store().dhcp = "0";
    Store().ip = "192.168.1.50";
    Store().dns = "8.8.8.8";
    Store().band = "6";
    Store().region = "ID";
    Store().channel = "36";
    RecordProgress();
    Read();
    EXPECT_EQ(Requests(), "R20 R21 R02 Q? R00 R6A C? R01 B? R03 R04 R07");
    // The plan grows once the security says a cipher and a key follow.
    EXPECT_EQ(progress_.Text(),
              "1/10 Version, 2/10 MAC Address, 3/10 WLAN Mode, 4/10 Operating Mode, 5/10 SSID, "
              "6/10 Port, 7/10 Region, 8/10 Channel, 9/10 Infrastructure Mode, "
              "10/10 WLAN Security Setting, 11/12 Cipher, 12/12 Key");
    EXPECT_EQ(ui_.Text(Page(), IDC_WLAN_MODE), "Infrastructure mode");
    EXPECT_EQ(ui_.Text(Page(), IDC_OPERATING_MODE), "5Ghz");
    EXPECT_EQ(ui_.Items(Page(), IDC_CHANNEL),
              (std::vector<std::string>{"149", "153", "157", "161", "165"}));
    // 36 is not offered in ID on 5 GHz: no channel is shown in its place.
    EXPECT_EQ(ui_.Text(Page(), IDC_CHANNEL), "");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"The printer's Channel \"36\" is not in the "
                                                   "list: choose one before saving."});
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_CHANNEL));
    EXPECT_EQ(ui_.Checked(Page(), IDC_DHCP), 0);
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_IP));
    EXPECT_EQ(ui_.Text(Page(), IDC_IP), "192.168.1.50");
    EXPECT_EQ(ui_.Text(Page(), IDC_DNS), "8.8.8.8");
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_WPA), 1);
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_NONE), 0);
    EXPECT_EQ(ui_.Text(Page(), IDC_WPA_ENCRYPTION), "WPA2 PSK");
    EXPECT_EQ(ui_.Text(Page(), IDC_WPA_CIPHER), "AES");
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_WPA_ENCRYPTION));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_WEP_SIZE));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "secret123");
    EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_SAVE));
}

TEST_F(Page1Test, ReadsWpaPskWithTkipAndAnEmptyKey) {
    OpenPage();
    Store().mode = "0";
    Store().security = "2";
    Store().cipher = "0";
    Store().dhcp = "1";
    Read();
    EXPECT_EQ(ui_.Text(Page(), IDC_WPA_ENCRYPTION), "WPA PSK");
    EXPECT_EQ(ui_.Text(Page(), IDC_WPA_CIPHER), "TKIP");
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "") << "\"null\" means no key";
    EXPECT_EQ(ui_.Checked(Page(), IDC_DHCP), 1);
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_IP));
}

TEST_F(Page1Test, ReadsAWepKeyAndItsFormFromItsLength) {
    struct Case {
        std::string key, size, format;
        int checkedKey;
        std::string index;
    } cases[] = {
        {"abcde", "WEP-64bits", "ASCII", IDC_KEY1, "1"},
        {"abcdefghijklm", "WEP-128bits", "ASCII", IDC_KEY3, "3"},
        {"0A1B2C3D4E", "WEP-64bits", "Hex", IDC_KEY2, "2"},
        {"0123456789ABCDEF0123456789", "WEP-128bits", "Hex", IDC_KEY4, "9"},
    };
    for (const Case& c : cases) {
        Store().mode = "0";
        Store().security = "1";
        Store().wepIndex = c.index;
        Store().wepKey = c.key;
        OpenPage();
        Read();
        EXPECT_EQ(Requests(), "R20 R21 R02 Q? R00 R6A C? R01 B? R03 R08 R06");
        EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_WEP), 1);
        EXPECT_EQ(ui_.Text(Page(), IDC_KEY), c.key);
        EXPECT_EQ(ui_.Text(Page(), IDC_WEP_SIZE), c.size) << c.key;
        EXPECT_EQ(ui_.Text(Page(), IDC_KEY_FORMAT), c.format) << c.key;
        for (int key : {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4}) {
            EXPECT_EQ(ui_.Checked(Page(), key), key == c.checkedKey ? 1 : 0) << c.key;
        }
        EXPECT_TRUE(ui_.Enabled(Page(), IDC_KEY1));
        EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
        // However an exchange ends, the operator may read again.
        EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
        ASSERT_TRUE(ui_.SysCommand(Page(), ui::kScClose));
    }
}

// A printer may leave out the address fields it holds no value for. Its reply ends when the line
// goes quiet, long before the request's timer: the DHCP flag alone reads as DHCP, any other short
// reply ends the read with its message and Save is not offered.
TEST_F(Page1Test, AnAddressReplyShortOfItsFieldsIsTakenAtOnce) {
    using S = SimCurrentGenSettings;
    const std::vector<std::string S::*> kStation = {&S::ip, &S::mask, &S::gateway, &S::dns};
    const char* const kFailed = "Failed to read data";
    const struct {
        const char* name;
        const char *mode, *dhcp;
        std::vector<std::string S::*> unheld;
        bool staticReadFirst;  // a read first, its static addresses ended by the printer's 00
        const char* box;       // none: read as DHCP
    } cases[] = {
        {"the DHCP flag alone", "0", "1", kStation, false, nullptr},
        {"the DHCP flag alone after a whole reply", "0", "1", kStation, true, nullptr},
        {"a station's first address", "0", "0", {&S::mask, &S::gateway, &S::dns}, false, kFailed},
        {"three static addresses", "0", "0", {&S::dns}, false, kFailed},
        {"an access point's first address", "2", "1", {&S::apMask, &S::apGateway}, false, kFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Store() = SimCurrentGenSettings();
        Store().mode = c.mode;
        if (ui_.TopDialog() == &Page()) {
            ASSERT_TRUE(ui_.SysCommand(Page(), ui::kScClose));
        }
        OpenPage();
        if (c.staticReadFirst) {
            Store().dhcp = "0";
            Read();
            ASSERT_EQ(ui_.Text(Page(), IDC_IP), "192.168.1.100");
        }
        Store().dhcp = c.dhcp;
        for (auto field : c.unheld)
            Store().*field = "";
        ForgetTraffic();
        // Well within the shortest reply timer of the chain.
        Read(1000);
        if (c.box == nullptr) {
            EXPECT_TRUE(BoxTexts().empty());
            EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
            EXPECT_EQ(ui_.Checked(Page(), IDC_DHCP), 1);
            for (int id : {IDC_IP, IDC_NETMASK, IDC_GATEWAY, IDC_DNS}) {
                EXPECT_FALSE(ui_.Enabled(Page(), id)) << id;
                EXPECT_EQ(ui_.Text(Page(), id), "0.0.0.0") << id;
            }
            EXPECT_TRUE(ui_.Enabled(Page(), IDC_SAVE));
        } else {
            EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.box});
            EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "");
            EXPECT_FALSE(ui_.Enabled(Page(), IDC_SAVE));
            EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
        }
        ui_.Advance(10000);
        EXPECT_TRUE(BoxTexts().empty()) << "no timer is left running";
    }
}

TEST_F(Page1Test, WithoutManualSettingTheSecurityIsShownButNotOffered) {
    OpenPage();
    ClearManualSetting();
    Store().mode = "0";
    Store().security = "3";
    Read();
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_WPA), 1);
    for (int id : {IDC_SEC_NONE, IDC_SEC_WEP, IDC_SEC_WPA, IDC_WPA_ENCRYPTION, IDC_WPA_CIPHER,
                   IDC_WEP_SIZE, IDC_KEY1}) {
        EXPECT_FALSE(ui_.Enabled(Page(), id)) << id;
    }
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_KEY));
}

TEST_F(Page1Test, NoAnswerToTheFirstRequestIsAConnectionFailure) {
    OpenPage();
    printer_->Silence('R');
    ASSERT_TRUE(ui_.Click(Page(), IDC_READ));
    ui_.Advance(2990);
    EXPECT_TRUE(BoxTexts().empty());
    ui_.Advance(20);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Connection failure : Error [Timeout]"});
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SAVE));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SSID));
}

TEST_F(Page1Test, NoAnswerLaterInTheChainIsAReadError) {
    OpenPage();
    Store().mode = "0";
    printer_->Silence('B');
    ASSERT_TRUE(ui_.Click(Page(), IDC_READ));
    ui_.Advance(1000);
    EXPECT_TRUE(BoxTexts().empty()) << "B? waits 5000 ms, not 3000";
    ui_.Advance(4500);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Read Error : code [Timeout]"});
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SAVE));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_SSID)) << "what was read stays usable";
}

TEST_F(Page1Test, ARefusedReadItemStopsTheChain) {
    OpenPage();
    printer_->RefuseRead(0x00);
    Read();
    EXPECT_EQ(Requests(), "R20 R21 R02 Q? R00");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Failed to read data"});
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SAVE));
    ui_.Advance(5000);
    EXPECT_TRUE(BoxTexts().empty()) << "no timer is left running";
}

}  // namespace
