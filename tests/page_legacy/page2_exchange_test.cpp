// Reading and saving a legacy printer through the panel, byte-exact on the wire, and how the
// records read show on the page.
#include <ostream>
#include <vector>

#include "app/main_dialog_layout.h"
#include "page_legacy/page2_protocol.h"
#include "tests/page_legacy/page2_fixture.h"
#include "tests/support/progress_recorder.h"
#include "tests/support/trace_check.h"

namespace {

using namespace page2;

TEST_F(Page2Test, ReadFillsThePageThenSaveWritesEveryRecord) {
    ProgressRecorder progress;
    ui_.RunOnUi([&] { Page().SetExchangeObserver(&progress); });
    OpenPage();
    EXPECT_TRUE(Enabled(IDC_READ));
    for (int id : {IDC_SAVE, IDC_IP, IDC_DHCP, IDC_SSID, IDC_SEC_WEP, IDC_KEY2_TEXT, IDC_WPA_KEY,
                   IDC_MUX_TYPE})
        EXPECT_FALSE(Enabled(id)) << id;
    Read();
    EXPECT_EQ(progress.Text(),
              "1/15 start, 2/15 identity, 3/15 IP, 4/15 NetMask, 5/15 Gateway, 6/15 DNS, "
              "7/15 DHCP, 8/15 WLAN Mode, 9/15 SSID, 10/15 WEP-64bits keys, "
              "11/15 WEP-128bits keys, 12/15 WPA Key, 13/15 TCP/IP, 14/15 Peer Domain Name, "
              "15/15 User Class ID");
    Bytes readWire;
    for (uint8_t r : {0x00, 0x01, 0x02, 0x03, 0x10, 0x20, 0x21, 0x22, 0x23, 0x24, 0x30, 0x40, 0x50})
        readWire.insert(readWire.end(), {0x1B, 0x7E, 'R', r});
    readWire.insert(readWire.begin(), {0x1B, 0x7E, 'S', 0x1B, 0x7E, 'C'});
    EXPECT_EQ(Wire(), readWire);
    EXPECT_EQ(Status(), "Read Success");
    EXPECT_EQ(Text(IDC_VERSION), "Ver1.2a");
    EXPECT_EQ(Text(IDC_MAC), "00:1A:2B:3C:4D:5E");
    EXPECT_EQ(ui_.Address(Page(), IDC_IP), 0xC0A80164u);
    EXPECT_EQ(Text(IDC_SSID), "Legacy-Printer");
    EXPECT_EQ(Text(IDC_PORT), "9100");
    EXPECT_TRUE(Enabled(IDC_SAVE));
    EXPECT_TRUE(Enabled(IDC_READ));
    EXPECT_TRUE(Enabled(IDC_USER_CLASS_ID));
    EXPECT_TRUE(BoxTexts().empty());
    ForgetTraffic();

    ASSERT_TRUE(ui_.Type(Page(), IDC_SSID, "Office"));
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_SSID));
    // A WPA save does not look at the WEP key.
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Select(Page(), IDC_AUTHENTICATION, 1));
    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY1_TEXT, "abc"));
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WPA));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WPA_ENCRYPTION, 1));
    ASSERT_TRUE(ui_.Type(Page(), IDC_WPA_KEY, "correct horse"));
    ASSERT_TRUE(ui_.Click(Page(), IDC_USER_CLASS_DEFAULT));
    ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE));
    EXPECT_FALSE(Enabled(IDC_SSID));
    ui_.Advance(3000);

    EXPECT_EQ(progress.Text(),
              "1/17 start, 2/17 IP, 3/17 NetMask, 4/17 Gateway, 5/17 DNS, 6/17 DHCP, "
              "7/17 WLAN Mode, 8/17 SSID, 9/17 WEP-64bits keys, 10/17 WEP-128bits keys, "
              "11/17 WPA Key, 12/17 pre-shared key, 13/17 TCP/IP, 14/17 Peer Domain Name, "
              "15/17 User Class ID, 16/17 finish, 17/17 release");
    const std::vector<uint8_t> records = {0x00, 0x01, 0x02, 0x03, 0x10, 0x20, 0x21,
                                          0x22, 0x23, 0x24, 0x25, 0x30, 0x40, 0x50};
    const auto& writes = links_.writes;
    ASSERT_EQ(writes.size(), 1 + 2 * records.size() + 2);
    EXPECT_EQ(writes.front(), Frame("\x1B~S"));
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(writes[1 + 2 * i], (Bytes{0x1B, 0x7E, 'W', records[i]}));
        EXPECT_EQ(writes[2 + 2 * i], printer_->Records().at(records[i])) << i;
    }
    EXPECT_EQ(writes[writes.size() - 2], Frame("\x1B~F"));
    EXPECT_EQ(writes.back(), Frame("\x1B~G"));
    EXPECT_EQ(printer_->Records().at(0x00), (Bytes{192, 168, 1, 100}));
    EXPECT_EQ(printer_->Records().at(0x20), (Bytes{1, 6, 0, 0, 1, kWpa2Psk, kCipherAes}));
    EXPECT_EQ(printer_->Records().at(0x21), Padded("Office", 32));
    EXPECT_EQ(printer_->Records().at(0x24), Padded("correct horse", 32));
    EXPECT_EQ(printer_->Records().at(0x30), (Bytes{0, 0, 0, 0, 0x8C, 0x23, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(printer_->Records().at(0x50), Padded("PTR-00:1A:2B:3C:4D:5E", 64));
    EXPECT_EQ(printer_->CheckPsk(), CSimLegacy::PskCheck::kMatch);

    const auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Success");
    EXPECT_EQ(boxes[0].type, ui::kMbOk | ui::kMbIconInformation);
    EXPECT_EQ(Status(), "Write Success");
    EXPECT_TRUE(Enabled(IDC_READ));
    EXPECT_FALSE(Enabled(IDC_SAVE));
    EXPECT_FALSE(Enabled(IDC_SSID)) << "the settings wait for the next read";
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE));

    Read();
    EXPECT_EQ(Text(IDC_SSID), "Office");
    EXPECT_EQ(Text(IDC_WPA_KEY), "correct horse");
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_WPA), 1);
    EXPECT_EQ(Text(IDC_WPA_ENCRYPTION), "WPA2 PSK");
    EXPECT_EQ(Text(IDC_WPA_CIPHER), "AES");
    ExpectKeyMasked(dlg_.Trace(), "correct horse");
}

// How records 0x10 and 0x20 show on the page.
struct RecordCase {
    const char* name;
    Bytes addressOptions;
    Bytes wireless;
    int securityRadio;
    // Mode, Channel, Authentication, WEP size, WPA encryption and cipher.
    const char* shown;
    // Enabled: DHCP-bound addresses, automatic DNS, Channel, the WPA radio, Key1's field.
    const char* enabled;
};

void PrintTo(const RecordCase& c, std::ostream* os) {
    *os << c.name;
}

class Page2RecordsShown : public Page2Test, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(Page2RecordsShown, ShowOnThePage) {
    const RecordCase& c = GetParam();
    ASSERT_TRUE(printer_->SetRecord(kRecordAddressOptions, c.addressOptions));
    ASSERT_TRUE(printer_->SetRecord(kRecordWireless, c.wireless));
    // The SSID reads past a zero byte inside it.
    ASSERT_TRUE(printer_->SetRecord(kRecordSsid, Padded(std::string("ab\0cd", 5), 32)));
    OpenAndRead();
    EXPECT_EQ(ui_.Checked(Page(), c.securityRadio), 1);
    std::string shown, enabled;
    for (int id : {IDC_WLAN_MODE, IDC_CHANNEL, IDC_AUTHENTICATION, IDC_WEP_SIZE, IDC_WPA_ENCRYPTION,
                   IDC_WPA_CIPHER})
        shown += (shown.empty() ? "" : "|") + Text(id);
    for (int id : {IDC_IP, IDC_DNS_AUTO, IDC_CHANNEL, IDC_SEC_WPA, IDC_KEY1_TEXT})
        enabled += Enabled(id) ? '1' : '0';
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(enabled, c.enabled);
    EXPECT_EQ(ui_.Checked(Page(), IDC_DHCP), c.addressOptions[0]);
    EXPECT_EQ(ui_.Checked(Page(), IDC_DNS_AUTO), c.addressOptions[1]);
    EXPECT_EQ(Text(IDC_SSID), "abcd");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Page2RecordsShown,
    ::testing::Values(RecordCase{"DhcpAdHocOpen",
                                 {1, 0},
                                 {0, 6, 0, 0, 1, 0, 1},
                                 IDC_SEC_NONE,
                                 "AD-Hoc|6|Open system|WEP-64bits|WPA PSK|TKIP",
                                 "01100"},
                      RecordCase{"Wep128SharedKey",
                                 {0, 0},
                                 {1, 3, 2, 1, 2, 0, 1},
                                 IDC_SEC_WEP,
                                 "Infrastructure|3|Shared key|WEP-128bits|WPA PSK|TKIP",
                                 "10011"},
                      RecordCase{"WpaWinsOverWep",
                                 {0, 1},
                                 {1, 1, 2, 0, 0, 4, 2},
                                 IDC_SEC_WPA,
                                 "Infrastructure|1|None|WEP-128bits|WPA2 PSK|AES",
                                 "10010"}),
    [](const ::testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

// Each reply shows only the record it read: a read that stops short leaves what the operator
// typed in the fields it never reached.
TEST_F(Page2Test, AReadShowsOnlyWhatItRead) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Type(Page(), IDC_PEER_PORT, "4242"));
    printer_->Silence({kRead, kRecordSsid});
    Read(8000);
    EXPECT_EQ(Text(IDC_PEER_PORT), "4242");
}

}  // namespace
