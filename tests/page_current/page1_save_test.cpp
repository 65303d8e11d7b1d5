// Saving to a current-generation printer: key checks, the write chains byte-exact, refusals and
// time-outs.
#include "tests/page_current/page1_fixture.h"
#include "tests/support/trace_check.h"

namespace {

using namespace page1;

class Page1Save : public Page1Test {
  protected:
    // A new read on the page already shown, once a save or a refusal has offered Read again.
    void Reread() {
        Read();
        ASSERT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
        ForgetTraffic();
    }
    void Save() {
        ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
        ui_.Advance(3000);
    }
    void TypeKey(const std::string& key) {
        ASSERT_TRUE(ui_.Type(Page(), IDC_KEY, key));
        ui_.LeaveField(Page(), IDC_KEY);
    }
};

TEST_F(Page1Save, AccessPointWithoutSecurity) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Type(Page(), IDC_SSID, "Shop floor"));
    ASSERT_TRUE(ui_.Type(Page(), IDC_PORT, "9101"));
    ASSERT_TRUE(ui_.Select(Page(), IDC_OPERATING_MODE, 0));  // 2.4 GHz: channels 1..13
    ASSERT_TRUE(ui_.Select(Page(), IDC_CHANNEL, 2));
    RecordProgress();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    EXPECT_FALSE(dlg_.m_bPage1Read);
    EXPECT_TRUE(dlg_.m_bPage1Save);
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SSID));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE));
    ui_.Advance(3000);
    EXPECT_EQ(Wire(),
              Frame(std::string("\x1B~Q") + "2" + '\0' + "\x1B~W" + "j9101" + '\0' + "\x1B~C" +
                    "KR" + '\0' + "\x1B~H" + "192.168.10.1 255.255.255.0 192.168.10.1" + '\0' +
                    "\x1B~E" + "\"Shop floor\" 3" + '\0'));
    EXPECT_EQ(Requests(), "Q W C H E");
    EXPECT_EQ(progress_.Text(),
              "1/5 Operating Mode, 2/5 Port, 3/5 Region, 4/5 Access Point Mode, 5/5 access point");
    const auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Save Success");
    EXPECT_EQ(boxes[0].type, ui::kMbOk | ui::kMbIconInformation);
    EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Save Success");
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SAVE));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SSID)) << "settings stay disabled until the next read";
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE));
    // The printer holds what was written, and a new read shows it.
    EXPECT_EQ(Store().ssid, "Shop floor");
    EXPECT_EQ(Store().port, "9101");
    EXPECT_EQ(Store().band, "2");
    EXPECT_EQ(Store().channel, "3");
    Read();
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "Shop floor");
    EXPECT_EQ(ui_.Text(Page(), IDC_CHANNEL), "3");
}

TEST_F(Page1Save, AccessPointWithWpa) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WPA));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_KEY));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WPA_ENCRYPTION, 1));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WPA_CIPHER, 1));
    TypeKey("pass word");
    Save();
    EXPECT_EQ(Requests(), "Q W C H E");
    const SimRequest& e = printer_->Requests().back();
    EXPECT_EQ(e.payload, Frame("Printer-AP 6 3 1 1 \"pass word\""));
    EXPECT_EQ(Store().security, "3");
    EXPECT_EQ(Store().wpaKey, "pass word");
}

TEST_F(Page1Save, InfrastructureManualWepAscii) {
    ReadInfrastructure();
    ASSERT_TRUE(ui_.Type(Page(), IDC_SSID, "ab"));
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    EXPECT_EQ(ui_.Checked(Page(), IDC_KEY1), 1) << "choosing WEP starts at Key1";
    ASSERT_TRUE(ui_.Click(Page(), IDC_KEY2));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WEP_SIZE, 1));
    TypeKey("abcdefghijklm");
    Save();
    EXPECT_EQ(Requests(), "Q W C B I F M");
    const std::vector<SimRequest>& r = printer_->Requests();
    EXPECT_EQ(r[3].payload, Frame("0192.168.1.100 255.255.255.0 192.168.1.1 192.168.1.1"));
    EXPECT_EQ(r[4].payload, Frame("1 0 0"));
    EXPECT_EQ(r[5].payload, Frame("2 abcdefghijklm"));
    EXPECT_EQ(r[6].payload, Frame("ab"));
    // Byte-exact on the wire: the headers and payloads as two writes each, 00 included.
    const std::string tail = std::string("\x1B~I") + "1 0 0" + '\0' + "\x1B~F" + "2 abcdefghijklm" +
                             '\0' + "\x1B~M" + "ab" + '\0';
    const Bytes wire = Wire();
    EXPECT_EQ(Bytes(wire.end() - static_cast<long>(tail.size()), wire.end()), Frame(tail));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Save Success"});
    EXPECT_EQ(Store().wepIndex, "2");
    EXPECT_EQ(Store().mode, "0");
}

TEST_F(Page1Save, InfrastructureManualWepHexSendsTheKeyBytes) {
    ReadInfrastructure();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY_FORMAT, 1));
    TypeKey("0a1B2c3D4G");  // G passes the save check and counts 0
    Save();
    EXPECT_EQ(Requests(), "Q W C B I F M");
    EXPECT_EQ(printer_->Requests()[5].payload, (Bytes{'1', ' ', 0x0A, 0x1B, 0x2C, 0x3D, 0x40}));
}

TEST_F(Page1Save, InfrastructureManualWpaAndNone) {
    ReadInfrastructure();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WPA));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WPA_ENCRYPTION, 0));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WPA_CIPHER, 0));
    TypeKey("12345678");
    Save();
    EXPECT_EQ(Requests(), "Q W C B I G M");
    EXPECT_EQ(printer_->Requests()[4].payload, Frame("2 0 0"));
    EXPECT_EQ(printer_->Requests()[5].payload, Frame("12345678"));

    Reread();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_NONE));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "");
    Save();
    EXPECT_EQ(Requests(), "Q W C B I M");
}

TEST_F(Page1Save, InfrastructureWithoutManualSettingJoinsWithD) {
    ReadInfrastructure();
    ClearManualSetting();
    ASSERT_TRUE(ui_.Type(Page(), IDC_SSID, "a,b"));
    Save();
    EXPECT_EQ(Requests(), "Q W C B D");
    EXPECT_EQ(printer_->Requests().back().payload, Frame("a,b")) << "no key, no trailing space";

    Reread();
    TypeKey("k=v");
    Save();
    EXPECT_EQ(printer_->Requests().back().payload, Frame("a,b \"k=v\""));
}

TEST_F(Page1Save, DhcpIsOneFrameAndItsAcknowledgementIsAwaited) {
    Store().mode = "0";
    Store().dhcp = "1";
    OpenAndRead();
    printer_->Silence('B');
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    ui_.Advance(1000);
    const Bytes wire = Wire();
    const Bytes dhcp = {0x1B, 0x7E, 0x42, 0x31, 0x00};
    ASSERT_GE(wire.size(), dhcp.size());
    EXPECT_EQ(Bytes(wire.end() - 5, wire.end()), dhcp);
    EXPECT_EQ(links_.writes.back(), dhcp) << "written as one frame";
    EXPECT_TRUE(BoxTexts().empty());
    // A printer that never acknowledges ends the save with a message, not a silent wait.
    ui_.Advance(5000);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Write Error : code [Timeout]"});
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SAVE));
}

TEST_F(Page1Save, KeyChecksStopTheSaveBeforeAnythingIsSent) {
    struct Case {
        int security;
        int format, size;
        std::string key;
        std::string message;
        bool accessPoint = false;
    } cases[] = {
        // As a read or a profile may leave it: a key that fits, for a security no AP offers.
        {IDC_SEC_WEP, 0, 0, "abcde", "Soft AP - WEP : Not Use", true},
        {IDC_SEC_WPA, 0, 0, "1234567", "WPA key should be use 8 ~ 63 characters"},
        {IDC_SEC_WPA, 0, 0, std::string(64, 'k'), "WPA key should be use 8 ~ 63 characters"},
        {IDC_SEC_WPA, 0, 0, "1234567\x7F", "Invalid Key contents"},
        // Lengths count characters: seven characters are too few however many bytes they take.
        {IDC_SEC_WPA, 0, 0, "123456\xC3\xA9", "WPA key should be use 8 ~ 63 characters"},
        {IDC_SEC_WEP, 0, 0, "abcd", "WEP-64bits key(ASCII) should be use 5 characters"},
        {IDC_SEC_WEP, 0, 1, "abcde", "WEP-128bits key(ASCII) should be use 13 characters"},
        {IDC_SEC_WEP, 1, 0, "0123", "WEP-64bits key(HEX) should be use 10 characters"},
        {IDC_SEC_WEP, 1, 1, "0123456789", "WEP-128bits key(HEX) should be use 26 characters"},
        {IDC_SEC_WEP, 0, 0, "ab\tde", "Invalid Key contents"},
    };
    ReadInfrastructure();
    for (const Case& c : cases) {
        ui_.RunOnUi([&] {
            Page().SetCurSel(IDC_WLAN_MODE, c.accessPoint ? kWlanModeAp : kWlanModeInfrastructure);
        });
        ASSERT_TRUE(ui_.Click(Page(), c.security));
        if (c.security == IDC_SEC_WEP) {
            ui_.Select(Page(), IDC_WEP_SIZE, c.size);
            ui_.RunOnUi([&] { Page().SetCurSel(IDC_KEY_FORMAT, c.format); });
        }
        ui_.RunOnUi([&] { Page().SetItemText(IDC_KEY, c.key); });
        ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message}) << c.key;
        EXPECT_TRUE(links_.writes.empty()) << c.key;
        EXPECT_TRUE(ui_.Enabled(Page(), IDC_SAVE)) << "the operator can mend the key";
        EXPECT_FALSE(Page().IsSaving());
    }
    // Without manual security only the characters count.
    ClearManualSetting();
    ui_.RunOnUi([&] { Page().SetItemText(IDC_KEY, "\xC3\xA9t\xC3\xA9"); });
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Invalid Key contents"});
    EXPECT_TRUE(links_.writes.empty());
}

// What the operator sets up before the save the printer turns down.
enum class Setting { kAccessPoint, kInfrastructure, kWep, kWpa, kJoin, kJoinFails };

struct Refusal {
    const char* letter;
    Setting setting;
    const char* message;
};

class Page1Refusal : public Page1Save, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Page1Refusal, EachStepHasItsMessage) {
    const Refusal& r = GetParam();
    if (r.setting == Setting::kAccessPoint) {
        OpenAndRead();
    } else {
        ReadInfrastructure();
    }
    if (r.setting == Setting::kWep || r.setting == Setting::kWpa) {
        const bool wep = r.setting == Setting::kWep;
        ASSERT_TRUE(ui_.Click(Page(), wep ? IDC_SEC_WEP : IDC_SEC_WPA));
        TypeKey(wep ? "abcde" : "12345678");
    }
    if (r.setting == Setting::kJoin || r.setting == Setting::kJoinFails)
        ClearManualSetting();
    if (r.setting == Setting::kJoinFails) {
        printer_->SetJoinFails(true);  // the printer says why
    } else {
        printer_->Refuse(static_cast<uint8_t>(r.letter[0]));
    }
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    ui_.Advance(20000);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{r.message});
    EXPECT_EQ(printer_->Requests().back().letter, r.letter[0]) << "nothing after the refusal";
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SAVE));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE));
    ui_.Advance(20000);
    EXPECT_TRUE(BoxTexts().empty()) << "no timer is left running";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Page1Refusal,
    ::testing::Values(Refusal{"Q", Setting::kAccessPoint, "Check Operating Mode"},
                      Refusal{"W", Setting::kAccessPoint, "Check Port Number"},
                      Refusal{"C", Setting::kAccessPoint, "Check Region"},
                      Refusal{"H", Setting::kAccessPoint, "Check IP,SubnetMask,Gateway"},
                      Refusal{"E", Setting::kAccessPoint, "Save Error(Access Point)"},
                      Refusal{"B", Setting::kInfrastructure, "Check IP,SubnetMask,Gateway,DNS"},
                      Refusal{"I", Setting::kInfrastructure, "Check Key Management"},
                      Refusal{"F", Setting::kWep, "Check WEP Key Index"},
                      Refusal{"G", Setting::kWpa, "Check WPA Key Index"},
                      Refusal{"M", Setting::kInfrastructure, "Save Error(Infrastructure)"},
                      Refusal{"D", Setting::kJoin, "Save Error(WLAN Mode(Infrastructure))"},
                      Refusal{"D", Setting::kJoinFails,
                              "Check the settings of the AP and printer."}));

TEST_F(Page1Save, SilenceAtAnyWriteEndsInAWriteError) {
    OpenAndRead();
    printer_->Silence('E');
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    ui_.Advance(9000);
    EXPECT_TRUE(BoxTexts().empty()) << "E waits 10 seconds";
    ui_.Advance(2000);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Write Error : code [Timeout]"});
}

TEST_F(Page1Save, AnAcknowledgementOfAnotherWriteLeavesTheOutstandingOneToItsTimer) {
    ReadInfrastructure();
    printer_->Silence('B');
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    ui_.Advance(500);
    // An access-point acknowledgement while B waits: taken, it would stop B's timer and leave
    // the save with nothing to end it.
    links_.Inject({kEsc, kTilde, 'H', kAccepted});
    ui_.Advance(6000);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Write Error : code [Timeout]"});
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_READ));
}

TEST_F(Page1Save, AfterAFailedSaveThePanelStillClosesTheLinkOnceThePageEnds) {
    OpenAndRead();
    printer_->Silence('E');
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    ui_.Advance(11000);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Write Error : code [Timeout]"});
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE)) << "the page keeps both away while it is shown";
    ASSERT_TRUE(ui_.PressEscape(Page()));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    ASSERT_TRUE(ui_.Click(dlg_, IDC_CLOSE));
    EXPECT_FALSE(dlg_.IsConnected());
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Close Port");
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_OPEN));
}

}  // namespace

TEST_F(Page1Save, TheTraceMasksTheKeyReadAndSaved) {
    Store().security = "2";
    Store().wpaKey = "Kx9#secret";
    OpenAndRead();
    Save();
    ASSERT_EQ(Store().wpaKey, "Kx9#secret");
    ExpectKeyMasked(dlg_.Trace(), "Kx9#secret");
}
