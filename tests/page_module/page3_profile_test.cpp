// Settings profiles on the Wi-Fi module page: another module saved from a profile ends up with
// the same settings, written byte for byte as the first.
#include "tests/page_module/page3_fixture.h"
#include "tests/support/profile_steps.h"

namespace {

using namespace page3;

TEST_F(Page3Test, AProfileGivesAnotherModuleTheSameSettings) {
    const auto saveWire = [this] {
        ForgetTraffic();
        Save();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Write Success"});
        return Wire();
    };
    const struct {
        const char* name;
        SimModuleSettings settings;
    } cases[] = {
        {"infrastructure, static, WPA2",
         [] {
             SimModuleSettings s;
             s.ssid = "Shop, floor", s.passphrase = "p\\ss,word", s.ipAddrType = "0";
             s.ipAddr = "10.0.0.9";
             return s;
         }()},
        {"access point, mDNS",
         [] {
             SimModuleSettings s;
             s.configured = "0", s.apSsid = "Module AP", s.mdnsEnabled = "1";
             s.mdnsHostName = "lab-printer";
             return s;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Store() = c.settings;
        if (ui_.TopDialog() != &Page())
            OpenPage();
        Read();
        const Bytes first = saveWire();
        ProfileFile file("page3_round_trip");
        SaveProfileFile(ui_, Page(), file, true);

        Store() = SimModuleSettings();
        Store().ssid = "Elsewhere";
        Store().port = "9999";
        Read();
        EXPECT_EQ(LoadProfileFile(ui_, Page(), file), std::vector<std::string>{}) << file.Read();
        EXPECT_EQ(saveWire(), first);
    }
}

}  // namespace
