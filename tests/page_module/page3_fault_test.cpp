// A module that refuses, answers with a bad status, or stays silent at each step: every read and
// save ends with its message and the buttons that let the operator go on.
#include <functional>

#include "page_shared/messages.h"

#include "tests/page_module/page3_fixture.h"

namespace {

using namespace page3;
using namespace std::string_literals;
using Texts = std::vector<std::string>;
using Arrange = std::function<void(CSimModule&, CPage3Marvuto&)>;

Arrange Silent(uint8_t letter, int item = CSimModule::kAnyItem) {
    return [=](CSimModule& m, CPage3Marvuto&) { m.Silence(letter, item); };
}

std::string VersionAsks(int times) {
    std::string asks = "V";
    for (int i = 1; i < times; ++i)
        asks += " V";
    return asks;
}

struct Fault {
    const char* name;
    bool save;  // the fault hits the save after a good read, otherwise the read
    Arrange arrange;
    std::string requests;
    const char* box;      // shown within the first second, or none
    const char* timeout;  // shown once the reply timer has run out, or none
};

const char kConnectTimeout[] = "Connection failure : Error [Timeout]";
const char kReadTimeout[] = "Read Error : code [Timeout]";
const char kWriteTimeout[] = "Write Error : code [Timeout]";

const Fault kFaults[] = {
    {"VersionSilent", false, Silent('V'), "V", nullptr, kConnectTimeout},
    // R 0 and I wait under the read timer like every other read.
    {"MacSilent", false, Silent('R', kItemMac), "V R0", nullptr, kReadTimeout},
    {"BeginSilent", false, Silent('I'), "V R0 I", nullptr, kReadTimeout},
    {"ItemSilent", false, Silent('R', kItemKey), "V R0 I R16 R17 R18 R19", nullptr, kReadTimeout},
    {"ReadRefused", false, [](auto& m, auto&) { m.RefuseRead(kItemSecurity); },
     "V R0 I R16 R17 R18", "Read Error", nullptr},
    {"WriteRefused", true, [](auto& m, auto&) { m.RefuseWrite(kItemSsid); }, "W16 W17",
     "Write Error", nullptr},
    {"WriteSilent", true, Silent('W', kItemSecurity), "W16 W17 W18", nullptr, kWriteTimeout},
    // An acknowledgement of another item answers nothing: the write outstanding times out.
    {"WrongItemAcknowledged", true, [](auto& m, auto&) { m.AcknowledgeAs(kItemSsid, kItemApSsid); },
     "W16 W17", nullptr, kWriteTimeout},
    {"ItemWithNoStepAcknowledged", true,
     [](auto& m, auto& page) {
         page.SetCurSel(IDC_WLAN_MODE, kWlanModeAp);
         m.AcknowledgeAs(kItemMode, 9);
     },
     "W16", nullptr, kWriteTimeout},
    // A module that is never ready is asked at most every 200 ms, until V's time-out.
    {"VersionNeverReady", false, [](auto& m, auto&) { m.SetBadVersionReplies(1000); },
     VersionAsks(23), nullptr, kConnectTimeout},
};

class Page3Fault : public Page3Test, public ::testing::WithParamInterface<Fault> {};

TEST_P(Page3Fault, EndsWithItsMessageAndTheButtonsToGoOn) {
    const Fault& f = GetParam();
    if (f.save) {
        OpenAndRead();
    } else {
        OpenPage();
    }
    ui_.RunOnUi([&] { f.arrange(*printer_, Page()); });
    ASSERT_TRUE(ui_.Click(Page(), f.save ? IDC_SAVE : IDC_READ));
    ui_.Advance(1000);
    EXPECT_EQ(BoxTexts(), f.box ? Texts{f.box} : Texts{});
    // The time-out counts from the request that went unanswered, sent within 200 ms.
    ui_.Advance(kTimeoutMs - 1200);
    EXPECT_TRUE(BoxTexts().empty());
    ui_.Advance(1000);
    EXPECT_EQ(BoxTexts(), f.timeout ? Texts{f.timeout} : Texts{});
    EXPECT_EQ(Requests(), f.requests);
    // Read is offered again; a refusal takes Save away, a time-out leaves it.
    ExpectButtons(true, f.timeout != nullptr);
    // A save never gives the panel's buttons back before it ends well.
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_EQ(ui_.Enabled(dlg_, IDC_CLOSE), !f.save);
    ui_.Advance(2 * kTimeoutMs);
    EXPECT_TRUE(BoxTexts().empty()) << "no timer is left running";
    if (f.save && f.timeout != nullptr) {
        // Save is offered, but each save needs a read before it.
        ForgetTraffic();
        Save();
        EXPECT_TRUE(links_.writes.empty());
    }
}

// Replies that name no item, or another item, or answer a write, are not what the read waits
// for: none of them makes the read write anything.
TEST_F(Page3Test, AReplyToAnotherRequestLeavesTheReadUnderItsTimer) {
    printer_->Silence('R', kItemSsid);
    OpenPage();
    ASSERT_TRUE(ui_.Click(Page(), IDC_READ));
    ui_.Advance(1000);
    const std::string nul(1, '\0');
    for (const std::string& stray :
         {"\x1B~R0" + nul + std::string("channel=6\0\0", 11), "\x1B~R0" + nul + "ipaddr",
          "\x1B~R0" + nul + "configured=1" + nul + nul,
          "\x1B~W\x10"
          "0" +
              nul + nul}) {
        Bytes reply = Frame(stray);
        const uintptr_t count = reply.size();
        reply.push_back(0);
        ui_.RunOnUi([&] { Page().Post(ui::Message{WM_PAGE3_DATA, count, reply}); });
    }
    ui_.Advance(kTimeoutMs - 1200);
    EXPECT_TRUE(BoxTexts().empty());
    ui_.Advance(1000);
    EXPECT_EQ(BoxTexts(), Texts{kReadTimeout});
    EXPECT_EQ(Requests(), "V R0 I R16 R17");
    ExpectButtons(true, true);
}

// The port's late acknowledgement may share a notification with the reply the read awaits.
TEST_F(Page3Test, AReplyToAnotherRequestLeavesTheAnswerBesideIt) {
    printer_->Silence('R', kItemSsid);
    OpenPage();
    ASSERT_TRUE(ui_.Click(Page(), IDC_READ));
    ui_.Advance(1000);
    Bytes both = Frame("\x1B~W\x20"s + "0\0\0"s + "\x1B~R0\0ssid=Shop\0\0"s);
    const uintptr_t count = both.size();
    both.push_back(0);
    ui_.RunOnUi([&] { Page().Post(ui::Message{WM_PAGE3_DATA, count, both}); });
    ui_.Advance(2000);
    EXPECT_EQ(ui_.Text(Page(), IDC_SSID), "Shop");
    EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
}

INSTANTIATE_TEST_SUITE_P(Steps, Page3Fault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
