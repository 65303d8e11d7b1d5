// A module that refuses, answers with a bad status, or stays silent at each step: every read and
// save ends with its message and the buttons that let the operator go on.
#include <functional>

#include "app/messages.h"

#include "tests/page_module/page3_fixture.h"

namespace {

using namespace page3;
using Texts = std::vector<std::string>;

struct Fault {
    const char* name;
    bool save;  // the fault hits the save after a good read, otherwise the read
    std::function<void(CSimModule&, CPage3Marvuto&)> arrange;
    std::string requests;
    Texts early;  // boxes within the first second
    Texts late;   // boxes once the reply timer has run out
    bool readAfter, saveAfter;
};

const char kConnectTimeout[] = "Connection failure : Error [Timeout]";
const char kReadTimeout[] = "Read Error : code [Timeout]";
const char kWriteTimeout[] = "Write Error : code [Timeout]";

const Fault kFaults[] = {
    {"VersionSilent",
     false,
     [](CSimModule& m, CPage3Marvuto&) { m.Silence('V'); },
     "V",
     {},
     {kConnectTimeout},
     true,
     true},
    // R 0 and I wait under the read timer like every other read.
    {"MacSilent",
     false,
     [](CSimModule& m, CPage3Marvuto&) { m.Silence('R', kItemMac); },
     "V R0",
     {},
     {kReadTimeout},
     true,
     true},
    {"BeginSilent",
     false,
     [](CSimModule& m, CPage3Marvuto&) { m.Silence('I'); },
     "V R0 I",
     {},
     {kReadTimeout},
     true,
     true},
    {"ItemSilent",
     false,
     [](CSimModule& m, CPage3Marvuto&) { m.Silence('R', kItemKey); },
     "V R0 I R16 R17 R18 R19",
     {},
     {kReadTimeout},
     true,
     true},
    {"ReadRefused",
     false,
     [](CSimModule& m, CPage3Marvuto&) { m.RefuseRead(kItemSecurity); },
     "V R0 I R16 R17 R18",
     {"Read Error"},
     {},
     true,
     false},
    {"WriteRefused",
     true,
     [](CSimModule& m, CPage3Marvuto&) { m.RefuseWrite(kItemSsid); },
     "W16 W17",
     {"Write Error"},
     {},
     true,
     false},
    {"WriteSilent",
     true,
     [](CSimModule& m, CPage3Marvuto&) { m.Silence('W', kItemSecurity); },
     "W16 W17 W18",
     {},
     {kWriteTimeout},
     true,
     true},
    {"WrongItemAcknowledged",
     true,
     [](CSimModule& m, CPage3Marvuto&) { m.AcknowledgeAs(kItemSsid, kItemApSsid); },
     "W16 W17",
     {"Error : W [0x01]"},
     {},
     true,
     false},
    {"ReservedItemInAccessPointMode",
     true,
     [](CSimModule& m, CPage3Marvuto& page) {
         page.SetCurSel(IDC_WLAN_MODE, kWlanModeAp);
         m.AcknowledgeAs(kItemMode, kItemReserved);
     },
     "W16",
     {"Error : W [0x19]"},
     {},
     true,
     false},
    // An access point takes no WEP: an empty security value, no key, and the write time-out.
    {"AccessPointWep",
     true,
     [](CSimModule&, CPage3Marvuto& page) {
         page.SetCurSel(IDC_WLAN_MODE, kWlanModeAp);
         page.CheckRadio(kSecurityRadios, IDC_SEC_WEP);
     },
     "W16 W1 W2",
     {"Soft AP - WEP Open : Not Use"},
     {kWriteTimeout},
     true,
     true},
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
    EXPECT_EQ(BoxTexts(), f.early);
    // The time-out counts from the request that went unanswered, sent within 200 ms.
    ui_.Advance(kTimeoutMs - 1200);
    EXPECT_TRUE(BoxTexts().empty());
    ui_.Advance(1000);
    EXPECT_EQ(BoxTexts(), f.late);
    EXPECT_EQ(Requests(), f.requests);
    ExpectButtons(f.readAfter, f.saveAfter);
    // A save never gives the panel's buttons back before it ends well.
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_EQ(ui_.Enabled(dlg_, IDC_CLOSE), !f.save);
    ui_.Advance(2 * kTimeoutMs);
    EXPECT_TRUE(BoxTexts().empty()) << "no timer is left running";
    if (f.save && f.saveAfter) {
        // Save is offered, but each save needs a read before it.
        ForgetTraffic();
        Save();
        EXPECT_TRUE(links_.writes.empty());
    }
}

// Replies that name no item, or end inside their key, are not what the read waits for.
TEST_F(Page3Test, AReplyNamingNoItemLeavesTheReadUnderItsTimer) {
    printer_->Silence('R', kItemSsid);
    OpenPage();
    ASSERT_TRUE(ui_.Click(Page(), IDC_READ));
    ui_.Advance(1000);
    for (const std::string& stray : {std::string("channel=6\0\0", 11), std::string("ipaddr")}) {
        Bytes reply = Frame(std::string("\x1B~R0") + '\0' + stray);
        const uintptr_t count = reply.size();
        reply.push_back(0);
        ui_.RunOnUi([&] { Page().Post(ui::Message{WM_PAGE3_DATA, count, reply}); });
    }
    ui_.Advance(kTimeoutMs - 1200);
    EXPECT_TRUE(BoxTexts().empty());
    ui_.Advance(1000);
    EXPECT_EQ(BoxTexts(), Texts{kReadTimeout});
    ExpectButtons(true, true);
}

INSTANTIATE_TEST_SUITE_P(Steps, Page3Fault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
