// The window's backups around every family's save: the settings a read found kept before the
// first byte, once per read, and brought back by "Restore newest backup..." for Save to write;
// a save that is refused, or declined for want of a backup, keeps and sends nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "page_shared/text_file.h"
#include "tests/page_current/page1_fixture.h"
#include "tests/page_legacy/page2_fixture.h"
#include "tests/page_module/page3_fixture.h"
#include "tests/support/profile_steps.h"

namespace {

namespace fs = std::filesystem;

// What differs between the families here: the SSID field, and an entry the family's own checks
// refuse to save.
template <typename PageTest>
struct FamilyOf;
template <>
struct FamilyOf<Page1Test> {
    static constexpr int kSsid = page1::IDC_SSID;
    static void BreakSave(CPage1New& page) { page.SetCurSel(page1::IDC_REGION, -1); }
};
template <>
struct FamilyOf<Page2Test> {
    static constexpr int kSsid = page2::IDC_SSID;
    static void BreakSave(CPage2Old& page) { page.SetItemText(page2::IDC_PORT, ""); }
};
template <>
struct FamilyOf<Page3Test> {
    static constexpr int kSsid = page3::IDC_SSID;
    static void BreakSave(CPage3Marvuto& page) {
        page.SetCurSel(page3::IDC_REGION_COUNTRY, -1);
        page.SetCurSel(page3::IDC_REGION_NUMERIC, -1);
    }
};

// Every connection attempt refused at once: nothing leaves the test.
class Refused : public CConnectAttempts {
    bool Start(const std::string&, uint16_t, std::chrono::milliseconds) override { return false; }
    bool WaitAccepted(std::chrono::milliseconds) override { return false; }
};

template <typename PageTest>
class WindowBackup : public PageTest {
  protected:
    using Family = FamilyOf<PageTest>;

    void SetUp() override {
        PageTest::SetUp();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Provide(dir_);
    }
    void TearDown() override {
        PageTest::TearDown();
        fs::remove_all(dir_);
    }
    // Backups kept in dir from the next page shown on.
    void Provide(const std::string& dir, bool backups = true, bool verify = false) {
        WindowProvision provision;
        provision.settings.backups = backups;
        provision.settings.backupDir = dir;
        provision.settings.verify = verify;
        provision.probes = {[] { return std::make_unique<Refused>(); },
                            [](const std::string&) { return std::string(); },
                            [](const std::string&) { return std::string(); }};
        this->ui_.RunOnUi([&] { this->dlg_.SetProvision(provision); });
    }
    std::vector<std::string> Backups() {
        std::vector<std::string> texts;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            std::string text;
            EXPECT_TRUE(ReadTextFile(entry.path().string(), &text));
            texts.push_back(text);
        }
        return texts;
    }
    void TypeSsid(const std::string& ssid) {
        ProfileFile file("window_backup_ssid");
        file.Write(nlohmann::json{{"format", profile::kFormatName},
                                  {"version", profile::kFormatVersion},
                                  {"family", this->Page().Profile().name},
                                  {"settings", {{"ssid", ssid}}}}
                       .dump());
        EXPECT_EQ(LoadProfileFile(this->ui_, this->Page(), file), std::vector<std::string>{});
    }
    void Save() {
        this->ForgetTraffic();
        ASSERT_TRUE(this->ui_.Click(this->Page(), this->Buttons().save));
        this->ui_.Advance(20000);
    }
    std::string Ssid() { return this->ui_.Text(this->Page(), Family::kSsid); }

    const std::string dir_ =
        ::testing::TempDir() + "zephra-window-backups-" + std::to_string(::getpid());
};

using Families = ::testing::Types<Page1Test, Page2Test, Page3Test>;
TYPED_TEST_SUITE(WindowBackup, Families);

TYPED_TEST(WindowBackup, OneBackupPerReadAsReadAndRestoreWritesItBack) {
    // The MAC address that names a backup comes from a read.
    this->OpenPage();
    ASSERT_TRUE(this->ui_.SysCommand(this->Page(), IDM_RESTORE_BACKUP));
    EXPECT_EQ(this->BoxTexts(), std::vector<std::string>{"Read the printer's settings first."});
    this->Read();
    const std::string original = this->Ssid();
    ProfileFile asRead("window_backup_as_read");
    SaveProfileFile(this->ui_, this->Page(), asRead, true);
    this->TypeSsid("Changed SSID");
    this->Save();
    EXPECT_FALSE(this->Wire().empty());
    EXPECT_EQ(this->Backups(), std::vector<std::string>{asRead.Read()});

    // Restore needs the Save a read offers; what it loads goes nowhere until Save.
    this->Read();
    ASSERT_EQ(this->Ssid(), "Changed SSID");
    this->ForgetTraffic();
    this->ui_.AnswerNextBox(ui::kIdYes);
    ASSERT_TRUE(this->ui_.SysCommand(this->Page(), IDM_RESTORE_BACKUP));
    const auto boxes = this->ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, ui::kMbYesNo | ui::kMbIconQuestion);
    EXPECT_EQ(boxes[0].text.rfind("Restore the settings kept in " + this->dir_ + "/", 0), 0u)
        << boxes[0].text;
    EXPECT_TRUE(this->Wire().empty());
    EXPECT_EQ(this->Ssid(), original);
    this->Save();
    EXPECT_EQ(this->Backups().size(), 2u) << "the second read's settings are kept too";
    this->Read();
    EXPECT_EQ(this->Ssid(), original);
}

TYPED_TEST(WindowBackup, ARefusedOrDeclinedSaveKeepsAndSendsNothing) {
    this->OpenAndRead();
    this->ui_.RunOnUi([&] { TestFixture::Family::BreakSave(this->Page()); });
    this->Save();
    EXPECT_EQ(this->BoxTexts().size(), 1u) << "the family's own refusal";
    EXPECT_TRUE(this->Wire().empty());
    EXPECT_TRUE(this->Backups().empty());

    // A folder that is not there: the operator is asked, and No leaves everything as it was.
    const std::string missing = this->dir_ + "/missing";
    ASSERT_TRUE(this->ui_.SysCommand(this->Page(), ui::kScClose));
    this->Provide(missing);
    this->OpenAndRead();
    const std::vector<std::string> before = ControlStates(this->ui_, this->Page());
    this->ui_.AnswerNextBox(ui::kIdNo);
    this->Save();
    const auto boxes = this->ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("No backup could be kept: the backup " + missing + "/", 0), 0u)
        << boxes[0].text;
    EXPECT_NE(boxes[0].text.find(" could not be made. Save without one?"), std::string::npos);
    EXPECT_EQ(boxes[0].type, ui::kMbYesNo | ui::kMbIconQuestion);
    EXPECT_TRUE(this->Wire().empty());
    EXPECT_EQ(ControlStates(this->ui_, this->Page()), before);

    // With backups off nothing is kept and nothing asked.
    ASSERT_TRUE(this->ui_.SysCommand(this->Page(), ui::kScClose));
    this->Provide(this->dir_, false);
    this->OpenAndRead();
    this->Save();
    EXPECT_FALSE(this->Wire().empty());
    EXPECT_TRUE(this->Backups().empty());
    this->Read();
    this->ForgetTraffic();
    ASSERT_TRUE(this->ui_.SysCommand(this->Page(), IDM_RESTORE_BACKUP));
    const std::vector<std::string> none = this->BoxTexts();
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].rfind("No backup of ", 0), 0u) << none[0];
    EXPECT_NE(none[0].find(" in " + this->dir_ + "."), std::string::npos) << none[0];
}

TYPED_TEST(WindowBackup, TheNetworkCheckOpensOnceASuccessfulSaveHasShownItsBox) {
    this->Provide(this->dir_, true, true);
    this->OpenAndRead();
    this->TypeSsid("Checked SSID");
    this->Save();
    EXPECT_EQ(this->BoxTexts().size(), 1u) << "the save's own success box, before the check";
    ui::CDialog* check = this->ui_.TopDialog();
    ASSERT_NE(check, &this->Page());
    EXPECT_EQ(this->ui_.Caption(*check), "Network check");
    // Cancel ends a wait still under way, then Close ends the dialog.
    ASSERT_TRUE(this->ui_.Click(*check, ui::kIdCancel));
    if (this->ui_.IsShown(*check)) {
        ASSERT_TRUE(this->ui_.Click(*check, ui::kIdCancel));
    }
    EXPECT_EQ(this->ui_.TopDialog(), &this->Page());
}

}  // namespace
