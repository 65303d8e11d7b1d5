// Settings profiles on the current-generation page: a profile carries a printer's settings to
// another printer byte for byte; a bad one is refused and changes nothing.
#include <functional>
#include <ostream>

#include "tests/page_current/page1_fixture.h"
#include "tests/support/profile_steps.h"

namespace {

using namespace page1;

class Page1Profile : public Page1Test {
  public:
    using Page1Test::Page;
    using Page1Test::ui_;

  protected:
    void SaveAndCapture(Bytes* wire) {
        ForgetTraffic();
        ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
        ui_.Advance(20000);
        ASSERT_EQ(BoxTexts(), std::vector<std::string>{"Save Success"});
        *wire = Wire();
    }
    // The store of a printer set up differently from every case below.
    void OtherPrinter() {
        Store() = SimCurrentGenSettings();
        Store().ssid = "Elsewhere";
        Store().region = "US";
        Store().port = "9999";
    }
};

struct RoundTrip {
    const char* name;
    std::function<void(SimCurrentGenSettings&)> setUp;
    std::function<void(Page1Profile&)> edit;  // what the operator changes after the read
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.name;
}

class Page1RoundTrip : public Page1Profile, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(Page1RoundTrip, AProfileSavesTheSameBytesOnAnotherPrinter) {
    const RoundTrip& c = GetParam();
    c.setUp(Store());
    OpenAndRead();
    if (c.edit)
        c.edit(*this);
    Bytes first, second;
    ProfileFile file("page1_round_trip");
    SaveProfileFile(ui_, Page(), file, true);
    SaveAndCapture(&first);

    OtherPrinter();
    Read();
    ASSERT_EQ(ui_.Text(Page(), IDC_SSID), "Elsewhere");
    ForgetTraffic();
    EXPECT_EQ(LoadProfileFile(ui_, Page(), file), std::vector<std::string>{}) << file.Read();
    EXPECT_TRUE(ui_.Enabled(Page(), IDC_SAVE)) << "loaded, not saved";
    EXPECT_TRUE(Wire().empty());
    SaveAndCapture(&second);
    EXPECT_EQ(second, first);
}

INSTANTIATE_TEST_SUITE_P(Settings, Page1RoundTrip,
                         ::testing::Values(RoundTrip{"AccessPointWpa2",
                                                     [](SimCurrentGenSettings& s) {
                                                         s.security = "3", s.cipher = "1",
                                                         s.wpaKey = "ap key 1234", s.band = "2";
                                                         s.channel = "11", s.region = "JP";
                                                     },
                                                     nullptr},
                                           RoundTrip{"InfrastructureStaticWepHex",
                                                     [](SimCurrentGenSettings& s) {
                                                         s.mode = "0", s.dhcp = "0",
                                                         s.ip = "10.1.2.3", s.security = "1";
                                                         s.wepIndex = "3", s.wepKey = "abcde",
                                                         s.ssid = "Lab \"1\"";
                                                     },
                                                     [](Page1Profile& t) {
                                                         ASSERT_TRUE(t.ui_.Select(
                                                             t.Page(), IDC_KEY_FORMAT, kFormatHex));
                                                     }},
                                           RoundTrip{"InfrastructureDhcpWpa",
                                                     [](SimCurrentGenSettings& s) {
                                                         s.mode = "0", s.security = "2",
                                                         s.cipher = "0", s.wpaKey = "k=ey,42!";
                                                         s.port = "631";
                                                     },
                                                     nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Page1Profile, WithoutTheKeyTheFileSaysSoAndTheKeyFieldStays) {
    Store().security = "2";
    Store().wpaKey = "Kx9#secret";
    OpenAndRead();
    ProfileFile file("page1_no_key");
    SaveProfileFile(ui_, Page(), file, false);
    const std::string text = file.Read();
    EXPECT_EQ(text.find("Kx9#secret"), std::string::npos);
    EXPECT_NE(text.find("\"key_left_out\": true"), std::string::npos);
    EXPECT_NE(text.find("\"family\": \"current\""), std::string::npos);
    ASSERT_TRUE(ui_.Type(Page(), IDC_KEY, "typed-key-1"));
    EXPECT_TRUE(LoadProfileFile(ui_, Page(), file).empty());
    EXPECT_EQ(ui_.Text(Page(), IDC_KEY), "typed-key-1");
}

TEST_F(Page1Profile, RefusalsNameTheFaultAndChangeNothing) {
    const std::string head = R"({"format": "zephra-printer-settings", "version": 1, )";
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"not json at all", "This file is not a printer settings profile."},
        {R"({"format": "other", "version": 1})", "This file is not a printer settings profile."},
        {R"({"format": "zephra-printer-settings", "version": 2, "family": "current"})",
         "This profile has a format version (2) that this utility does not know."},
        {head + R"("family": "legacy", "settings": {}})",
         "This file holds settings for a legacy printer."},
        {head + R"("family": "module", "settings": {}})",
         "This file holds settings for a Wi-Fi module printer."},
        {head + R"("family": "current", "settings": {"ssid": ")" + std::string(40, 's') + R"("}})",
         "The profile's \"ssid\" is not a value this page can hold."},
        {head + R"("family": "current", "settings": {"region": "KR - Korea", "channel": "1"}})",
         "The profile's \"region\" is not a value this page can hold."},
        {head + R"("family": "current", "settings": {"region": ")" + Regions()[26] +
             R"(", "operating_mode": "2.4Ghz", "channel": "36"}})",
         "The profile's \"channel\" is not a value this page can hold."},
        {head + R"("family": "current", "settings": {"ssid": "ok", "ip_address": "10.0.0"}})",
         "The profile's \"ip_address\" is not a value this page can hold."},
        {head + R"("family": "current", "settings": {"dhcp": "yes"}})",
         "The profile's \"dhcp\" is not a value this page can hold."},
        {head + R"("family": "current", "settings": {"security": "WPA3"}})",
         "The profile's \"security\" is not a value this page can hold."},
    };
    OpenAndRead();
    const auto before = ControlStates(ui_, Page());
    for (const auto& c : cases) {
        ProfileFile file("page1_refused");
        file.Write(c.text);
        EXPECT_EQ(LoadProfileFile(ui_, Page(), file), std::vector<std::string>{c.message});
        EXPECT_EQ(ControlStates(ui_, Page()), before) << c.message;
    }
}

TEST_F(Page1Profile, ProfilesWaitForARead) {
    OpenPage();
    ProfileFile file("page1_unread");
    ASSERT_TRUE(ui_.SysCommand(Page(), IDM_LOAD_SETTINGS));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Read the printer's settings first."});
    EXPECT_TRUE(ui_.TakeFileDialogs().empty());
}

}  // namespace
