// Settings profiles on the legacy page: another printer saved from a profile ends up with the
// same records, written byte for byte as the first.
#include "tests/page_legacy/page2_fixture.h"
#include "tests/support/profile_steps.h"

namespace {

using namespace page2;

class Page2Profile : public Page2Test {
  protected:
    Bytes SaveWire() {
        ForgetTraffic();
        Save();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Success"});
        return Wire();
    }
};

TEST_F(Page2Profile, AProfileGivesAnotherPrinterTheSameRecords) {
    const struct {
        const char* name;
        Bytes wireless;
        Bytes wep128;
    } cases[] = {
        {"WPA2 AES", {1, 6, 0, 0, 0, 4, 2}, Bytes(52)},
        {"WEP-128 Key2, ad hoc", {0, 3, 2, 1, 2, 0, 1}, Padded("key-one-13chrkey-two-13chr", 52)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(printer_->SetRecord(kRecordWireless, c.wireless));
        ASSERT_TRUE(printer_->SetRecord(kRecordSsid, Padded("Shop \"7\"", 32)));
        ASSERT_TRUE(printer_->SetRecord(kRecordPassphrase, Padded("correct horse", 32)));
        ASSERT_TRUE(printer_->SetRecord(kRecordWep128, c.wep128));
        ASSERT_TRUE(printer_->SetRecord(kRecordAddressOptions, {0, 0}));
        if (ui_.TopDialog() != &Page())
            OpenPage();
        Read();
        const Bytes first = SaveWire();
        const auto firstRecords = printer_->Records();
        ProfileFile file("page2_round_trip");
        SaveProfileFile(ui_, Page(), file, true);

        ASSERT_TRUE(printer_->SetRecord(kRecordWireless, {1, 11, 1, 0, 1, 0, 1}));
        ASSERT_TRUE(printer_->SetRecord(kRecordSsid, Padded("Elsewhere", 32)));
        ASSERT_TRUE(printer_->SetRecord(kRecordIp, {10, 9, 8, 7}));
        Read();
        ASSERT_EQ(Text(IDC_SSID), "Elsewhere");
        EXPECT_EQ(LoadProfileFile(ui_, Page(), file), std::vector<std::string>{}) << file.Read();
        EXPECT_EQ(SaveWire(), first);
        EXPECT_EQ(printer_->Records(), firstRecords);
    }
}

}  // namespace
