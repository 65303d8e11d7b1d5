// The current-generation page's controls: enabling rules, channel lists, key forms, the SSID
// check, factory reset and replies that do not belong.
#include "tests/page_current/page1_fixture.h"

namespace {

using namespace page1;

using Page1Controls = Page1Test;

TEST_F(Page1Controls, ChoosingABandRebuildsTheChannelList) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Select(Page(), IDC_OPERATING_MODE, 1));
    EXPECT_EQ(
        ui_.Items(Page(), IDC_CHANNEL),
        (std::vector<std::string>{"36", "40", "44", "48", "149", "153", "157", "161", "165"}));
    EXPECT_EQ(ui_.Text(Page(), IDC_CHANNEL), "36");
    ASSERT_TRUE(ui_.Select(Page(), IDC_REGION, RegionIndex("US")));
    ASSERT_TRUE(ui_.Select(Page(), IDC_OPERATING_MODE, 0));
    EXPECT_EQ(ui_.Items(Page(), IDC_CHANNEL).size(), 11u);
}

TEST_F(Page1Controls, AccessPointModeDropsWep) {
    ReadInfrastructure();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY, "abcde"));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WLAN_MODE, 0));
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_NONE), 1);
    EXPECT_EQ(ui_.Checked(Page(), IDC_SEC_WEP), 0);
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "");
    for (int id : {IDC_KEY, IDC_WEP_SIZE, IDC_KEY1, IDC_KEY4, IDC_KEY_FORMAT, IDC_SEC_WEP, IDC_DHCP,
                   IDC_IP}) {
        EXPECT_FALSE(ui_.Enabled(Page(), id)) << id;
    }
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_CHANNEL));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_AP_IP));
    // With None on an access point the manual-setting box stays out of reach.
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_NONE));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_MANUAL_SETTING));
}

TEST_F(Page1Controls, InfrastructureModeFollowsDhcpAndTheSecurityChoice) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WPA));
    ASSERT_TRUE(ui_.Select(Page(), IDC_WLAN_MODE, 1));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_DHCP));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_IP));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_CHANNEL));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_AP_IP));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_SEC_WEP));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_WPA_ENCRYPTION));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_WEP_SIZE));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_KEY));
    ASSERT_TRUE(ui_.Click(Page(), IDC_DHCP));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_IP));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_DNS));
    ASSERT_TRUE(ui_.Click(Page(), IDC_DHCP));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_DNS));
    // Without manual security the radios are shown but not offered.
    ClearManualSetting();
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SEC_NONE));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_WPA_ENCRYPTION));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_KEY));
}

TEST_F(Page1Controls, SecurityRadios) {
    ReadInfrastructure();
    EXPECT_FALSE(ui_.Click(Page(), IDC_KEY3)) << "no key index without WEP";
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Click(Page(), IDC_KEY3));
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_NONE));
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    EXPECT_EQ(ui_.Checked(Page(), IDC_KEY1), 1);
    EXPECT_EQ(ui_.Checked(Page(), IDC_KEY3), 0);
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_KEY_FORMAT));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_WPA_CIPHER));
    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY, "abcde"));
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_NONE));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "");
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_KEY));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_KEY_FORMAT));
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WPA));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_WPA_CIPHER));
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_KEY));
}

TEST_F(Page1Controls, KeySwitchesBetweenItsTwoForms) {
    ReadInfrastructure();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY, "Ab1~z"));
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY));
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY_FORMAT, 1));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "4162317E7A");
    EXPECT_EQ(ui_.Limit(Page(), IDC_KEY), 10);
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY));
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY_FORMAT, 0));
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "Ab1~z");
    EXPECT_EQ(ui_.Limit(Page(), IDC_KEY), 5);
    ASSERT_TRUE(ui_.Select(Page(), IDC_WEP_SIZE, 1));
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY_FORMAT, 1));
    EXPECT_EQ(ui_.Limit(Page(), IDC_KEY), 26);
}

TEST_F(Page1Controls, HexKeysAreCheckedWhenTheFieldIsLeft) {
    ReadInfrastructure();
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    ASSERT_TRUE(ui_.Select(Page(), IDC_KEY_FORMAT, 1));
    BoxTexts();
    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY, "4a 6b"));
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY));
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Page().KeyHex(), "4A6B");
    EXPECT_EQ(Page().KeyBinary(), "Jk");
    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY, "4a6z"));
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_KEY));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Not Hexadecimal key."});
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "4a6z") << "the text stays as typed";
}

TEST_F(Page1Controls, AnOverlongSsidIsRefusedAndTheLastGoodOneComesBack) {
    OpenAndRead();
    ASSERT_TRUE(ui_.Type(Page(), IDC_SSID, "Good name"));
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_SSID));
    EXPECT_EQ(ui_.Limit(Page(), IDC_SSID), 32);
    // Text set by code is not held back by the typing limit.
    ui_.RunOnUi([&] { Page().SetItemText(IDC_SSID, std::string(33, 's')); });
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_SSID));
    const auto texts = BoxTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "Enter no more than 32 characters.");
}

TEST_F(Page1Controls, FactoryResetAsksFirst) {
    OpenPage();
    Reveal(IDC_FACTORY_RESET);
    ui_.AnswerNextBox(ui::kIdNo);
    ASSERT_TRUE(ui_.Click(Page(), IDC_FACTORY_RESET));
    const auto question = ui_.TakeBoxes();
    ASSERT_EQ(question.size(), 1u);
    EXPECT_EQ(question[0].text, "Do you want to reset?\n(NV Item Initialization)");
    EXPECT_EQ(question[0].type & ui::kMbButtonMask, ui::kMbYesNo);
    EXPECT_TRUE(links_.writes.empty());

    ui_.AnswerNextBox(ui::kIdYes);
    ASSERT_TRUE(ui_.Click(Page(), IDC_FACTORY_RESET));
    EXPECT_EQ(Wire(), (Bytes{0x1B, 0x7E, 0x4F, 0x30}));
    ui_.Advance(100);
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Do you want to reset?\n(NV Item Initialization)",
                                        "Initialization Success"}));

    printer_->Refuse('O');
    ui_.Click(Page(), IDC_FACTORY_RESET);
    ui_.Advance(100);
    EXPECT_EQ(BoxTexts().back(), "Initialization Fail");

    printer_->Silence('O');
    ui_.Click(Page(), IDC_FACTORY_RESET);
    ui_.Advance(3100);
    EXPECT_EQ(BoxTexts().back(), "Update Failure : Error [Timeout]");
}

TEST_F(Page1Controls, RepliesThatDoNotBelongChangeNothing) {
    OpenPage();
    printer_->Silence('R');
    ASSERT_TRUE(ui_.Click(Page(), IDC_READ));
    // Straight to the page, as the panel posts a notification: the bytes, then zeros.
    const auto deliver = [&](const Bytes& bytes) {
        Bytes buffer(2048, 0);
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        Page().Post(ui::Message{WM_PAGE1_DATA, bytes.size(), buffer});
        ui_.Settle();
    };
    // The head of a query reply while R waits, another letter, a save acknowledgement while
    // reading, a bad start: all ignored.
    deliver({0x1B, 0x7E, 0x51});
    deliver({0x1B, 0x7E, 0x5A, 0x40, 0x00});
    deliver({0x1B, 0x7E, 0x44, 0x40});
    deliver({0x1C, 0x7E, 0x52, 0x20, 0x40, 'V'});
    // A read reply for an item the page never asks for leaves the pending request waiting.
    deliver({0x1B, 0x7E, 0x52, 0x30, 0x40, 'V', 0x00});
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(ui_.Text(Page(), IDC_VERSION), "");
    // The pending request still reports its time-out.
    ui_.Advance(3000);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Connection failure : Error [Timeout]"});
}

}  // namespace
