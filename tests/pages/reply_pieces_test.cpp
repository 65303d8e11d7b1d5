// A reply may come in pieces, with pauses far longer than the link's batching: cut anywhere, even
// byte by byte, it reads and saves exactly as if it had come at once.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/page_current/page1_fixture.h"
#include "tests/page_legacy/page2_fixture.h"
#include "tests/page_module/page3_fixture.h"

namespace {

// Where each reply is cut, and how long the line pauses between its pieces: byte by byte covers
// every cut point; the longer pauses are the cuts operators met. A pause inside a value whose end
// only a text end shows stays below the line's quiet gap, which would end that value.
struct Cutting {
    const char* name;
    std::vector<int> cuts;  // empty: byte by byte
    unsigned pauseMs;
};

const Cutting kCuttings[] = {
    {"after ESC", {1}, 100},          {"after the letter", {3}, 100},
    {"inside the value", {6, 9}, 20}, {"before the last byte", {-1}, 20},
    {"byte by byte", {}, 20},
};

// One printer from its page's opening to the end of a read and a save, on its own panel.
template <typename Fixture>
struct Session : Fixture {
    using Arrange = std::function<void(Session&)>;
    void TestBody() override {}
    auto& Printer() { return *this->printer_; }
    auto& PageShown() { return this->Page(); }
    // Everything the page wrote, the boxes and the status each exchange left. arrange sets up
    // the printer and the page once the page is shown; with wholeFirst, a read and a save with
    // replies whole come before the cutting starts.
    std::string ReadThenSave(const Cutting* cutting, const Arrange& arrange = nullptr,
                             bool wholeFirst = false) {
        this->SetUp();
        this->OpenPage();
        if (arrange)
            this->ui_.RunOnUi([&] { arrange(*this); });
        std::string seen;
        if (wholeFirst)
            seen += ReadAndSave();
        if (cutting != nullptr)
            this->links_.CutReplies(cutting->cuts, cutting->pauseMs);
        seen += ReadAndSave();
        for (const std::string& box : this->BoxTexts())
            seen += box + "\n";
        for (uint8_t byte : this->Wire())
            seen += std::to_string(byte) + " ";
        this->TearDown();
        return seen;
    }
    std::string ReadAndSave() {
        std::string seen;
        // Due at once, so ahead of the reply to the request the click sends, which is due only
        // after the printer's delay: longer than the line's quiet gap, which ends the notice.
        if (!noticeWhileAwaited.empty())
            this->links_.Inject(noticeWhileAwaited);
        EXPECT_TRUE(this->ui_.Click(this->Page(), this->Buttons().read));
        if (!noticeWhileAwaited.empty()) {
            this->ui_.Advance(kQuietGapMs + 10);
            boxesAfterNotice = this->BoxTexts();
        }
        this->ui_.Advance(60000);
        seen += this->ui_.Text(this->Page(), this->Buttons().status) + "\n";
        if (!noticeAfterRead.empty()) {
            this->links_.Inject(noticeAfterRead);
            this->ui_.Advance(1000);
            boxesAfterNotice = this->BoxTexts();
        }
        if (!this->ui_.Click(this->Page(), this->Buttons().save))
            return seen + "Save not offered\n";
        this->ui_.Advance(60000);
        return seen + this->ui_.Text(this->Page(), this->Buttons().status) + "\n";
    }
    // Bytes the printer sends unasked once a read has ended, or while the read's first reply is
    // awaited, and the boxes they brought up.
    Bytes noticeAfterRead, noticeWhileAwaited;
    std::vector<std::string> boxesAfterNotice;
};

template <typename Fixture>
class ReplyPieces : public ::testing::Test {};

using Families = ::testing::Types<Page1Test, Page2Test, Page3Test>;
TYPED_TEST_SUITE(ReplyPieces, Families);

TYPED_TEST(ReplyPieces, ReadAndSaveAsIfWhole) {
    const std::string whole = Session<TypeParam>().ReadThenSave(nullptr);
    ASSERT_NE(whole.find("Read Success\n"), std::string::npos) << whole;
    for (const Cutting& cutting : kCuttings)
        EXPECT_EQ(Session<TypeParam>().ReadThenSave(&cutting), whole) << cutting.name;
}

// Once a printer has ended its values with a text end, a pause inside a later value, however
// long, never ends it: the page waits for the text end, not for the line's quiet.
TYPED_TEST(ReplyPieces, PausesInsideValuesOfAPrinterThatShowsItsEnds) {
    const std::string whole = Session<TypeParam>().ReadThenSave(nullptr, nullptr, true);
    const Cutting inside = {"inside the value", {6, 9, -4, -1}, 500};
    EXPECT_EQ(Session<TypeParam>().ReadThenSave(&inside, nullptr, true), whole);
}

// Printers differ in the bytes the protocol leaves open. Whatever a printer sends there, its page
// reads and saves exactly as with the simulator's own choices, whole or byte by byte.
// outcome is what the read and the save show with those choices.
template <typename Fixture>
void ExpectAsWithDefaultEnds(const std::string& name, typename Session<Fixture>::Arrange preset,
                             typename Session<Fixture>::Arrange ends,
                             const std::string& outcome = "Read Success\n") {
    const std::string expected = Session<Fixture>().ReadThenSave(nullptr, preset);
    ASSERT_NE(expected.find(outcome), std::string::npos) << name << "\n" << expected;
    const auto both = [&](Session<Fixture>& s) {
        preset(s);
        ends(s);
    };
    const Cutting byteByByte = {"byte by byte", {}, 20};
    EXPECT_EQ(Session<Fixture>().ReadThenSave(nullptr, both), expected) << name << ", whole";
    EXPECT_EQ(Session<Fixture>().ReadThenSave(&byteByByte, both), expected) << name << ", in bytes";
}

TEST(OpenBytes, CurrentGenerationQueryAndReadEnds) {
    using S = Session<Page1Test>;
    const struct {
        const char* name;
        std::string queryEnd, readEnd;  // a query's last byte; what follows a read's value
    } kEnds[] = {
        {"CR", "\r", "\r"},
        {"LF", "\n", "\n"},
        {"CR LF", "\r\n", "\r\n"},
        {"a letter, a read's value ending with the reply", "A", ""},
        {"FF, 00 CR LF", "\xFF", std::string("\0\r\n", 3)},
    };
    // The region once read as KR from "BR" and CR LF; an access point printer asks H?, a WPA2
    // station B?, the cipher and the key.
    std::vector<std::pair<S::Arrange, std::string>> presets = {
        {[](S& s) { s.Printer().Settings().region = "BR"; }, "Read Success\n"},
        {[](S& s) {
             SimCurrentGenSettings& store = s.Printer().Settings();
             store.mode = "0";
             store.dhcp = "0";
             store.security = "3";
             store.cipher = "1";
             store.wpaKey = "shop key";
         },
         "Read Success\n"},
    };
    // A byte no address holds inside each field of H? (an access point's) and of B? (a
    // station's), the last one's included: the read ends with its message, and Save, never
    // offered, writes nothing.
    using Field = std::string SimCurrentGenSettings::*;
    const char* const kFailed = "Save not offered\nFailed to read data\n";
    const struct {
        const char* mode;
        Field field;
        const char* value;
    } kStrays[] = {
        {"2", &SimCurrentGenSettings::apIp, "10.0.x.1"},
        {"2", &SimCurrentGenSettings::apMask, "255.255.x.0"},
        {"2", &SimCurrentGenSettings::apGateway, "10.0.0.x1"},
        {"0", &SimCurrentGenSettings::dhcp, "x"},
        {"0", &SimCurrentGenSettings::ip, "192.168.1.x"},
        {"0", &SimCurrentGenSettings::mask, "255.x.255.0"},
        {"0", &SimCurrentGenSettings::gateway, "192.168.x.254"},
        {"0", &SimCurrentGenSettings::dns, "10.0.x.53"},
    };
    for (const auto& stray : kStrays) {
        presets.emplace_back(
            [&stray](S& s) {
                s.Printer().Settings().mode = stray.mode;
                s.Printer().Settings().*stray.field = stray.value;
            },
            kFailed);
    }
    // Address replies short of their fields, the printer holding no value for the rest: the
    // DHCP flag alone reads as DHCP; a static station's first address or first three, or an
    // access point's first address, end the read with its message.
    using Store = SimCurrentGenSettings;
    const struct {
        const char *mode, *dhcp;
        std::vector<Field> unheld;
        const char* outcome;
    } kShort[] = {
        {"0", "1", {&Store::ip, &Store::mask, &Store::gateway, &Store::dns}, "Read Success\n"},
        {"0", "0", {&Store::mask, &Store::gateway, &Store::dns}, kFailed},
        {"0", "0", {&Store::dns}, kFailed},
        {"2", "1", {&Store::apMask, &Store::apGateway}, kFailed},
    };
    for (const auto& fewer : kShort) {
        presets.emplace_back(
            [&fewer](S& s) {
                s.Printer().Settings().mode = fewer.mode;
                s.Printer().Settings().dhcp = fewer.dhcp;
                for (Field field : fewer.unheld)
                    s.Printer().Settings().*field = "";
            },
            fewer.outcome);
    }
    for (const auto& [preset, outcome] : presets) {
        for (const auto& e : kEnds) {
            ExpectAsWithDefaultEnds<Page1Test>(
                e.name, preset,
                [&](S& s) {
                    s.Printer().SetQueryEnd(Bytes(e.queryEnd.begin(), e.queryEnd.end()));
                    s.Printer().SetReadEnd(Bytes(e.readEnd.begin(), e.readEnd.end()));
                },
                outcome);
        }
    }
}

// The 0xFF notice is taken whole, by its 00 or the line's quiet, and shows its box only when its
// last byte is 0. After a read it changes nothing the Save writes.
TEST(OpenBytes, LegacyFfNoticeEnds) {
    using S = Session<Page2Test>;
    const std::string expected = S().ReadThenSave(nullptr);
    const struct {
        const char* name;
        Bytes notice;
        std::vector<std::string> boxes;
    } kNotices[] = {
        {"ending 00", {0x1B, 0x7E, 0xFF, 0x01, 0x00}, {"0xff"}},
        {"ending 01", {0x1B, 0x7E, 0xFF, 0x01}, {}},
        {"unended", {0x1B, 0x7E, 0xFF}, {}},
    };
    // A notice that comes while a reply is awaited leaves that reply to be taken when it comes.
    const S::Arrange slowPrinter = [](S& s) { s.Printer().SetReplyDelay(10 * kQuietGapMs); };
    for (const auto& n : kNotices) {
        for (const bool awaited : {false, true}) {
            S session;
            (awaited ? session.noticeWhileAwaited : session.noticeAfterRead) = n.notice;
            EXPECT_EQ(session.ReadThenSave(nullptr, awaited ? slowPrinter : nullptr), expected)
                << n.name << (awaited ? ", while a reply is awaited" : "");
            EXPECT_EQ(session.boxesAfterNotice, n.boxes) << n.name;
        }
    }
}

TEST(OpenBytes, ModuleReadTrailers) {
    using S = Session<Page3Test>;
    const std::string kTrailers[] = {
        std::string("\0\r\n", 3), "\r\n", "\n\n", "\r\r", "xy", "\xFF\xFF"};
    // A station with a WPA2 key; a HEX WEP key whose bytes hold text ends; an access point with
    // its mDNS host name.
    const S::Arrange kPresets[] = {
        [](S&) {},
        [](S& s) {
            s.Printer().Settings().security = "1";
            s.Printer().Settings().passphrase = std::string("\x0A\x00\x0D\x0A\x4E", 5);
            s.PageShown().SetCurSel(page3::IDC_DATA_TYPE, page3::kDataTypeHex);
        },
        [](S& s) {
            s.Printer().Settings().configured = "0";
            s.Printer().Settings().mdnsEnabled = "1";
        },
    };
    for (const auto& preset : kPresets) {
        for (const std::string& trailer : kTrailers) {
            ExpectAsWithDefaultEnds<Page3Test>(trailer, preset, [&](S& s) {
                s.Printer().SetReadTrailer(Bytes(trailer.begin(), trailer.end()));
            });
        }
    }
}

}  // namespace
