// Settings profiles on the current-generation page, where the mechanism every page shares is
// proven: a profile carries a printer's settings to another printer byte for byte; a bad one is
// refused and changes nothing.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "tests/page_current/page1_fixture.h"
#include "tests/support/profile_steps.h"

namespace {

using namespace page1;

class Page1Profile : public Page1Test {
  protected:
    Bytes SaveWire() {
        ForgetTraffic();
        EXPECT_TRUE(ui_.Click(Page(), IDC_SAVE));
        ui_.Advance(20000);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Save Success"});
        return Wire();
    }
};

TEST_F(Page1Profile, AProfileSavesTheSameBytesOnAnotherPrinter) {
    const struct {
        const char* name;
        std::function<void(SimCurrentGenSettings&)> setUp;
        bool hexKey;  // the operator shows the key in Hex after the read
    } cases[] = {
        {"access point, WPA2",
         [](SimCurrentGenSettings& s) {
             s.security = "3", s.cipher = "1", s.wpaKey = "ap key 1234", s.band = "2";
             s.channel = "11", s.region = "JP";
         },
         false},
        {"infrastructure, static, WEP in Hex",
         [](SimCurrentGenSettings& s) {
             s.mode = "0", s.dhcp = "0", s.ip = "10.1.2.3", s.security = "1";
             s.wepIndex = "3", s.wepKey = "abcde", s.ssid = "Lab \"1\"";
         },
         true},
        {"infrastructure, DHCP, WPA, the first region of the list",
         [](SimCurrentGenSettings& s) {
             s.mode = "0", s.security = "2", s.cipher = "0", s.wpaKey = "k=ey,42!";
             s.port = "631", s.region = "AT";
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Store() = SimCurrentGenSettings();
        c.setUp(Store());
        // A page anew for each: the page keeps its key form from one read to the next.
        if (ui_.TopDialog() == &Page()) {
            ASSERT_TRUE(ui_.SysCommand(Page(), ui::kScClose));
        }
        OpenPage();
        Read();
        if (c.hexKey) {
            ASSERT_TRUE(ui_.Select(Page(), IDC_KEY_FORMAT, kFormatHex));
        }
        ProfileFile file("page1_round_trip");
        SaveProfileFile(ui_, Page(), file, true);
        const Bytes first = SaveWire();

        // A printer set up differently from every case.
        Store() = SimCurrentGenSettings();
        Store().ssid = "Elsewhere", Store().region = "US", Store().port = "9999";
        Read();
        ASSERT_EQ(ui_.Text(Page(), IDC_SSID), "Elsewhere");
        ForgetTraffic();
        EXPECT_EQ(LoadProfileFile(ui_, Page(), file), std::vector<std::string>{}) << file.Read();
        EXPECT_TRUE(ui_.Enabled(Page(), IDC_SAVE)) << "loaded, not saved";
        EXPECT_TRUE(Wire().empty());
        EXPECT_EQ(SaveWire(), first);
    }
}

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

std::string Unlisted(const std::string& setting, const std::string& value) {
    return "The printer's " + setting + " \"" + value +
           "\" is not in the list: choose one before saving.";
}

// A value no entry matches shows as none and is null in a profile; no save writes another in its
// place until the operator chooses, and a profile's null leaves that choice alone.
TEST_F(Page1Profile, AValueOutsideItsListIsNoneNullAndNeverWritten) {
    const struct {
        std::vector<std::pair<const char*, const char*>> preset;  // the printer's items
        std::string box, null;
        const char* refusal;  // none where the save does not write the list
    } cases[] = {
        {{{"region", "XX"}}, Unlisted("Region", "XX"), "region", "Region"},
        {{{"mode", "5"}, {"region", "\xC3\x89"}},
         Unlisted("WLAN Mode", "5") + "\n" + Unlisted("Region", "\\xC3\\x89"),
         "wlan_mode",
         "WLAN Mode"},
        {{{"security", "3"}, {"cipher", "7"}, {"wpakey", "12345678"}},
         Unlisted("WPA Cipher", "7"),
         "wpa_cipher",
         "WPA Cipher"},
        {{{"channel", "99"}}, Unlisted("Channel", "99"), "channel", "Channel"},
        {{{"mode", "0"}, {"channel", "99"}}, Unlisted("Channel", "99"), "channel", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        Store() = SimCurrentGenSettings();
        for (const auto& [item, value] : c.preset)
            ASSERT_TRUE(printer_->SetItem(item, value));
        if (ui_.TopDialog() == &Page()) {
            ASSERT_TRUE(ui_.SysCommand(Page(), ui::kScClose));
        }
        OpenPage();
        Read();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.box});
        EXPECT_EQ(ui_.Text(Page(), IDC_PRINTER_STATUS), "Read Success");
        ProfileFile file("page1_unlisted");
        SaveProfileFile(ui_, Page(), file, true);
        EXPECT_NE(file.Read().find("\"" + c.null + "\": null"), std::string::npos);
        if (c.refusal != nullptr) {
            ForgetTraffic();
            ASSERT_TRUE(ui_.Click(Page(), IDC_SAVE));
            EXPECT_EQ(BoxTexts(), std::vector<std::string>{std::string("Choose a ") + c.refusal +
                                                           " before saving."});
            EXPECT_TRUE(Wire().empty());
            for (int list : {IDC_WLAN_MODE, IDC_REGION, IDC_CHANNEL, IDC_WPA_CIPHER}) {
                if (ui_.Enabled(Page(), list) && ui_.Text(Page(), list).empty()) {
                    ASSERT_TRUE(ui_.Select(Page(), list, 0));
                }
            }
            EXPECT_EQ(LoadProfileFile(ui_, Page(), file), std::vector<std::string>{});
        }
        SaveWire();
    }
}

std::string NotHeld(const std::string& field) {
    return "The profile's \"" + field + "\" is not a value this page can hold.";
}

TEST_F(Page1Profile, RefusalsNameTheFaultAndChangeNothing) {
    const std::string head = R"({"format": "zephra-printer-settings", "version": 1, )";
    const std::string current = head + R"("family": "current", "settings": )";
    const std::string notProfile = "This file is not a printer settings profile.";
    const auto ssid = [&](size_t length) {
        return current + R"({"ssid": ")" + std::string(length, 's') + R"("}})";
    };
    // A file that cannot be read is refused as such, never taken as empty.
    enum class File { kText, kFolder, kMissing, kUnpermitted };
    const struct {
        std::string text, message;  // "": taken, or the file's own refusal
        File file = File::kText;
        size_t ssidTaken = 0;  // the SSID's length, when taken
    } cases[] = {
        {"not json at all", notProfile},
        {R"({"format": "other", "version": 1})", notProfile},
        {R"({"format": "zephra-printer-settings", "version": 2, "family": "current"})",
         "This profile has a format version (2) that this utility does not know."},
        {head + R"("family": "legacy", "settings": {}})",
         "This file holds settings for a legacy printer."},
        {head + R"("family": "module", "settings": {}})",
         "This file holds settings for a Wi-Fi module printer."},
        {current + R"({"ssid": ")" + std::string(40, 's') + R"("}})", NotHeld("ssid")},
        // One over the SSID's limit is refused; at the limit and one under, taken.
        {ssid(33), NotHeld("ssid")},
        {ssid(32), "", File::kText, 32},
        {ssid(31), "", File::kText, 31},
        {current + R"({"region": "KR - Korea", "channel": "1"}})", NotHeld("region")},
        {current + R"({"region": ")" + Regions()[26] +
             R"(", "operating_mode": "2.4Ghz", "channel": "36"}})",
         NotHeld("channel")},
        {current + R"({"ssid": "ok", "ip_address": "10.0.0"}})", NotHeld("ip_address")},
        {current + R"({"dhcp": "yes"}})", NotHeld("dhcp")},
        {current + R"({"security": "WPA3"}})", NotHeld("security")},
        {"", "", File::kFolder},
        {"", "", File::kMissing},
        {ssid(8), "", File::kUnpermitted, 8},
    };
    OpenAndRead();
    for (const auto& c : cases) {
        const auto before = ControlStates(ui_, Page());
        ProfileFile file("page1_refused");
        std::string message = c.message;
        if (c.file != File::kText)
            message = "The file " + file.Path() + " could not be read.";
        if (c.file == File::kFolder) {
            ASSERT_TRUE(std::filesystem::create_directory(file.Path()));
        } else if (c.file != File::kMissing) {
            file.Write(c.text);
        }
        if (c.file == File::kUnpermitted) {
            ASSERT_EQ(chmod(file.Path().c_str(), 0), 0);
            // The superuser reads a file whatever its permission bits say: there the row proves
            // nothing, and the missing file's row stands for a file that does not open.
            if (access(file.Path().c_str(), R_OK) == 0) {
                std::printf("A file without permission is readable to this user: row skipped.\n");
                continue;
            }
        }
        EXPECT_EQ(LoadProfileFile(ui_, Page(), file),
                  message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
        if (!message.empty()) {
            EXPECT_EQ(ControlStates(ui_, Page()), before) << message;
        } else {
            EXPECT_EQ(ui_.Text(Page(), IDC_SSID), std::string(c.ssidTaken, 's'));
        }
    }
}

TEST_F(Page1Profile, ProfilesWaitForARead) {
    OpenPage();
    ASSERT_TRUE(ui_.SysCommand(Page(), IDM_LOAD_SETTINGS));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Read the printer's settings first."});
    EXPECT_TRUE(ui_.TakeFileDialogs().empty());
}

}  // namespace
