// Saving to a Wi-Fi module: the write chains of both modes byte-exact, the store, read-back and
// the key checks.
#include "tests/page_module/page3_fixture.h"

namespace {

using namespace page3;
using namespace std::string_literals;

// Each write as it goes out: the header, then the value with its 0x00.
Bytes Writes(std::initializer_list<std::pair<int, std::string>> writes) {
    Bytes wire;
    for (const auto& [item, value] : writes) {
        wire.insert(wire.end(), {0x1B, 0x7E, 'W', static_cast<uint8_t>(item)});
        wire.insert(wire.end(), value.begin(), value.end());
        wire.push_back(0);
    }
    return wire;
}

TEST_F(Page3Test, AccessPointSaveWithoutSecurity) {
    Store().configured = "0";
    Store().apSecurity = "0";
    OpenAndRead();
    ASSERT_TRUE(ui_.Type(Page(), IDC_SSID, "Shop floor"));
    ASSERT_TRUE(ui_.Type(Page(), IDC_PORT, "91x"));  // sent as typed
    ASSERT_TRUE(ui_.Select(Page(), IDC_REGION_COUNTRY, 8));
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    ExpectButtons(false, false);
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SSID));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE));
    ui_.Advance(2000);
    EXPECT_EQ(Wire(),
              Writes({{16, "0"}, {1, "Shop floor"}, {2, "0"}, {4, "0"}, {33, "JP"}, {32, "91x"}}));
    const auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Write Success");
    EXPECT_EQ(boxes[0].type, ui::kMbOk | ui::kMbIconInformation);
    EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Write Success");
    ExpectButtons(true, false);
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SSID)) << "settings stay off until the next read";
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE));
    EXPECT_EQ(Store().apSsid, "Shop floor");
    EXPECT_EQ(Store().region, "JP");
    EXPECT_EQ(Requests(), "W16 W1 W2 W4 W33 W32");
    Read();
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "Shop floor");
    EXPECT_EQ(ui_.Text(Page(), IDC_REGION_COUNTRY), "JP:Japan");
}

TEST_F(Page3Test, AccessPointSaveWithWpa2MdnsAndItsOwnAddress) {
    Store().configured = "0";
    Store().version = "E1.02";
    Store().region = "2";
    OpenAndRead();
    SetText(IDC_KEY, "a,b\\cdefg");
    ASSERT_TRUE(ui_.Click(Page(), IDC_MDNS));
    ASSERT_TRUE(ui_.Type(Page(), IDC_HOST_NAME, "shop"));
    Reveal(IDC_AP_IP_WRITE);
    ASSERT_TRUE(ui_.Click(Page(), IDC_AP_IP_WRITE));
    ui_.RunOnUi([&] { Page().SetAddress(IDC_AP_IP, 0xC0A81407); });  // 192.168.20.7
    ASSERT_TRUE(ui_.Select(Page(), IDC_REGION_NUMERIC, 8));
    ProgressRecorder progress;
    Record(progress);
    Save();
    EXPECT_EQ(Requests(), "W16 W1 W2 W3 W4 W5 W6 W33 W32");
    // The port's write is not awaited and is left out.
    EXPECT_EQ(progress.Text(),
              "1/8 WLAN Mode, 2/8 SSID, 3/8 WLAN Security Setting, 4/8 Key, 5/8 mDNS, 6/8 Host "
              "Name, 7/8 IP Address, 8/8 Region");
    EXPECT_EQ(Written(2), Frame(std::string("4") + '\0'));
    EXPECT_EQ(Written(3), Frame(std::string("a\\,b\\\\cdefg") + '\0'));
    EXPECT_EQ(Written(4), Frame(std::string("1") + '\0'));
    EXPECT_EQ(Written(6), (Bytes{0xC0, 0xA8, 0x14, 0x01, 0x00}));
    EXPECT_EQ(Written(33), (Bytes{0x38, 0x00}));
    EXPECT_EQ(Store().apPassphrase, "a,b\\cdefg");
    EXPECT_EQ(Store().mdnsHostName, "shop");
    EXPECT_EQ(Store().apAddress, "192.168.20.1");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Write Success"});
}

TEST_F(Page3Test, InfrastructureSaveWithDhcpAndNoSecurity) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_NONE));
    ASSERT_TRUE(ui_.Select(Page(), IDC_REGION_COUNTRY, 5));
    Save();
    EXPECT_EQ(Wire(),
              Writes({{16, "1"}, {17, "Office"}, {18, "0"}, {20, "1"}, {33, "KR"}, {32, "9100"}}));
    EXPECT_EQ(Store().security, "0");
}

TEST_F(Page3Test, InfrastructureSaveWithStaticAddressesAndWpa2ReadsBack) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Click(Page(), IDC_DHCP));
    ui_.RunOnUi([&] {
        Page().SetAddress(IDC_IP, 0x0A000005);
        Page().SetAddress(IDC_NETMASK, 0xFFFFFF00);
        Page().SetAddress(IDC_GATEWAY, 0x0A000001);
        Page().SetAddress(IDC_DNS, 0x08080808);
    });
    ASSERT_TRUE(ui_.Type(Page(), IDC_SSID, "Lab"));
    SetText(IDC_KEY, "new-secret-42");
    ProgressRecorder progress;
    Record(progress);
    Save();
    EXPECT_EQ(progress.Text(),
              "1/10 WLAN Mode, 2/10 SSID, 3/10 WLAN Security Setting, 4/10 Key, 5/10 DHCP, 6/10 "
              "IP, 7/10 NetMask, 8/10 Gateway, 9/10 DNS, 10/10 Region");
    EXPECT_EQ(Wire(), Writes({{16, "1"},
                              {17, "Lab"},
                              {18, "4"},
                              {19, "new-secret-42"},
                              {20, "0"},
                              {21, "\x0A\0\0\x05"s},
                              {22, "\xFF\xFF\xFF\0"s},
                              {23, "\x0A\0\0\x01"s},
                              {24, "\x08\x08\x08\x08"s},
                              {33, "KR"},
                              {32, "9100"}}));
    EXPECT_EQ(Store().ipAddr, "10.0.0.5");
    Read();
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "Lab");
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "new-secret-42");
    EXPECT_EQ(ui_.Text(Page(), IDC_NETMASK), "255.255.255.0");
    EXPECT_EQ(ui_.Checked(Page(), IDC_DHCP), 0);
}

TEST_F(Page3Test, A64DigitHexKeyGoesAs32Bytes) {
    OpenAndRead();
    SetSel(IDC_DATA_TYPE, kDataTypeHex);
    SetText(IDC_KEY, std::string(32, 'A') + std::string(32, '5'));
    Save();
    Bytes key(16, 0xAA);
    key.insert(key.end(), 16, 0x55);
    key.push_back(0);
    EXPECT_EQ(Written(19), key);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Write Success"});
}

// A refused save leaves the module, the link and the page as they were: nothing half written.
TEST_F(Page3Test, ChecksRefuseTheSaveBeforeTheFirstWrite) {
    const struct {
        std::string configured;  // "0" an access point, "1" infrastructure
        int security, wepType, dataType;
        std::string key, message;
        std::string ssid = "Lab";
    } cases[] = {
        {"0", IDC_SEC_WPA2, 0, kDataTypeAscii, "1234567", "Invalid WPA2 PSK Key : Error [-103]"},
        {"0", IDC_SEC_WPA2, 0, kDataTypeAscii, std::string(64, 'k'),
         "Invalid WPA2 PSK Key : Error [-103]"},
        // What an access point cannot offer.
        {"0", IDC_SEC_WEP, kWep64, kDataTypeAscii, "abcde", "Soft AP - WEP Open : Not Use"},
        {"0", IDC_SEC_WPA, 0, kDataTypeAscii, "12345678", "soft AP - WPA-PSK : Not Use"},
        {"1", IDC_SEC_NONE, 0, kDataTypeAscii, "", "Enter no more than 32 characters.",
         std::string(33, 's')},
        {"0", IDC_SEC_WPA_WPA2, 0, kDataTypeHex, std::string(63, '1'),
         "Invalid WPA2 PSK Key : Error [-103]"},
        {"1", IDC_SEC_WEP, kWep64, kDataTypeAscii, "abcdef",
         "Invalid WEP 64bit Key : Error [-103]"},
        {"1", IDC_SEC_WEP, kWep64, kDataTypeHex, "0123456789A",
         "Invalid WEP 64bit Key : Error [-103]"},
        {"1", IDC_SEC_WEP, kWep128, kDataTypeAscii, std::string(14, 'k'),
         "Invalid WEP 128bit Key : Error [-103]"},
        {"1", IDC_SEC_WEP, kWep128, kDataTypeHex, std::string(27, '1'),
         "Invalid WEP 128bit Key : Error [-103]"},
        {"1", IDC_SEC_WPA, 0, kDataTypeAscii, std::string(64, 'k'),
         "Invalid WPA Key : Error [-103]"},
        {"1", IDC_SEC_WPA2, 0, kDataTypeHex, std::string(63, '1'),
         "Invalid WPA Key : Error [-103]"},
    };
    OpenAndRead();
    const auto setUp = [&](const auto& c) {
        ui_.RunOnUi([&] {
            Page().SetCurSel(IDC_WLAN_MODE,
                             c.configured == "0" ? kWlanModeAp : kWlanModeInfrastructure);
            Page().CheckRadio(kSecurityRadios, c.security);
            Page().SetCurSel(IDC_WEP_TYPE, c.wepType);
            Page().SetCurSel(IDC_DATA_TYPE, c.dataType);
            Page().SetItemText(IDC_KEY, c.key);
            Page().SetItemText(IDC_SSID, c.ssid);
        });
    };
    for (const auto& c : cases) {
        setUp(c);
        Save(kTimeoutMs + 1000);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message}) << c.key;
        EXPECT_EQ(Requests(), "") << c.message;
        ExpectButtons(true, true);
        EXPECT_TRUE(ui_.Enabled(Page(), IDC_SSID)) << c.message;
        EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE)) << "the link stays open";
    }
    // The read still stands: once mended, the same page saves.
    setUp(cases[0]);
    SetText(IDC_KEY, "12345678");
    Save();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Write Success"});
}

}  // namespace
