// The current-generation page's controls: enabling rules, channel lists, key forms, the SSID
// check, factory reset and replies that do not belong.
#include <ostream>

#include "tests/page_current/page1_fixture.h"
#include "tests/pages/page_test_support.h"

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
    // Without manual security the radios are shown but not offered, nor the key's format: the
    // key goes out as typed.
    ASSERT_TRUE(ui_.Click(Page(), IDC_SEC_WEP));
    ClearManualSetting();
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_SEC_NONE));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_WPA_ENCRYPTION));
    EXPECT_FALSE(ui_.Enabled(Page(), IDC_KEY_FORMAT));
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
    EXPECT_EQ(ui_.Limit(Page(), IDC_SSID), 32);
    // Text set by code is not held back by the typing limit. Each box takes the focus, so the
    // field hears it leave again while the box is up: the check does not run inside itself.
    ui_.RunOnUi([&] { Page().SetItemText(IDC_SSID, std::string(33, 's')); });
    pagetest::LeaveFieldUnderBoxes(ui_, Page(), IDC_SSID);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Enter no more than 32 characters."});
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), Store().ssid) << "the SSID read";

    ASSERT_TRUE(ui_.Type(Page(), IDC_SSID, "Good name"));
    ASSERT_TRUE(ui_.LeaveField(Page(), IDC_SSID));
    ui_.RunOnUi([&] { Page().SetItemText(IDC_SSID, std::string(33, 's')); });
    pagetest::LeaveFieldUnderBoxes(ui_, Page(), IDC_SSID);
    EXPECT_EQ(BoxTexts().size(), 1u);
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "Good name");
}

// Text typed into a field stays as typed whatever the operator does next, while the Port holds
// more than values can be taken from (set by code beyond its limit, before the typing).
struct TypedCase {
    const char* name;
    int security;  // the security chosen first
    int typed;
    const char* text;
    enum { kClick, kLeave, kSelectHex } act;
    int id;
};

void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << c.name;
}

class Page1Typed : public Page1Test, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(Page1Typed, StaysAsTyped) {
    const TypedCase& c = GetParam();
    ReadInfrastructure();
    Reveal(IDC_FACTORY_RESET);
    ASSERT_TRUE(ui_.Click(Page(), c.security));
    ui_.RunOnUi([&] { Page().SetItemText(IDC_PORT, "123456"); });
    ASSERT_TRUE(ui_.Type(Page(), c.typed, c.text));
    switch (c.act) {
        case TypedCase::kClick:
            ASSERT_TRUE(ui_.Click(Page(), c.id));
            break;
        case TypedCase::kLeave:
            ASSERT_TRUE(ui_.LeaveField(Page(), c.id));
            break;
        case TypedCase::kSelectHex:
            ASSERT_TRUE(ui_.Select(Page(), c.id, kFormatHex));
            break;
    }
    ui_.Advance(100);
    EXPECT_EQ(ui_.Text(Page(), c.typed), c.text);
    EXPECT_EQ(ui_.Text(Page(), IDC_PORT), "123456");
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, Page1Typed,
    ::testing::Values(
        // The reply to a factory reset, as every reply, used to take and show all values.
        TypedCase{"SsidThenReply", IDC_SEC_NONE, IDC_SSID, "Typed", TypedCase::kClick,
                  IDC_FACTORY_RESET},
        TypedCase{"SsidCheck", IDC_SEC_NONE, IDC_SSID, "Typed", TypedCase::kLeave, IDC_SSID},
        TypedCase{"KeyCheck", IDC_SEC_WPA, IDC_KEY, "secret12", TypedCase::kLeave, IDC_KEY},
        TypedCase{"SsidThenKeyFormat", IDC_SEC_WEP, IDC_SSID, "Typed", TypedCase::kSelectHex,
                  IDC_KEY_FORMAT},
        TypedCase{"KeyThenRefusedSave", IDC_SEC_WPA, IDC_KEY, "short", TypedCase::kClick,
                  IDC_SAVE}),
    [](const auto& info) { return std::string(info.param.name); });

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
