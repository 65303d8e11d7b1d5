// How a read or a save ends when the printer refuses, stays silent or answers wrongly.
#include <ostream>

#include "app/main_dialog_layout.h"
#include "tests/page_legacy/page2_fixture.h"

namespace {

using namespace page2;

enum class Fault { kRefuse, kRefuseAndRelease, kSilence, kWrongLetter, kLate };

// A fault at a W request is met by a save, any other by a read.
struct FaultCase {
    const char* name;
    Fault fault;
    char letter;
    int record;         // -1: any
    const char* boxes;  // joined by " | "
    const char* requests;
    bool closeEnabled;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class Page2Faults : public Page2Test, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(Page2Faults, EndTheExchange) {
    const FaultCase& c = GetParam();
    const SimLegacyMatch at{static_cast<uint8_t>(c.letter), c.record};
    const bool save = c.letter == 'W' || c.letter == 'G';
    if (save) {
        OpenAndRead();
    } else {
        OpenPage();
    }
    switch (c.fault) {
        case Fault::kRefuseAndRelease:
            printer_->Refuse({'G'});
            [[fallthrough]];
        case Fault::kRefuse:
            printer_->Refuse(at);
            break;
        case Fault::kSilence:
            printer_->Silence(at);
            break;
        case Fault::kWrongLetter:
            // The letter of the next request in the chain: it must not be taken for its reply.
            printer_->AnswerWithLetter(at, save ? 'R' : 'W');
            break;
        case Fault::kLate:
            printer_->SetReplyDelay(kReplyTimeoutMs + 500);
            break;
    }
    ASSERT_TRUE(ui_.Click(Page(), save ? IDC_SAVE : IDC_READ));
    ui_.Advance(8000);
    std::string boxes;
    for (const std::string& box : BoxTexts())
        boxes += (boxes.empty() ? "" : " | ") + box;
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(Requests(), c.requests);
    if (c.fault == Fault::kRefuse) {
        EXPECT_EQ(links_.writes.back(), (Bytes{0x1B, 0x7E, 0x47}));
    }
    EXPECT_TRUE(Enabled(IDC_READ));
    EXPECT_FALSE(Enabled(IDC_SAVE));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_EQ(ui_.Enabled(dlg_, IDC_CLOSE), c.closeEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Page2Faults,
    ::testing::Values(
        FaultCase{"RefusedSetup", Fault::kRefuse, 'S', -1, "Error : 0x53[S]", "S G", true},
        // The G reply gives the panel's Close back after a refused write.
        FaultCase{"RefusedFourthWrite", Fault::kRefuse, 'W', 0x03, "Error : 0x57[W]",
                  "S W00 W01 W02 W03 G", true},
        // A printer that refuses the release too is told once, not again and again.
        FaultCase{"RefusedReleaseIsNotRepeated", Fault::kRefuseAndRelease, 'S', -1,
                  "Error : 0x53[S] | Error : 0x47[G]", "S G", true},
        FaultCase{"SilentSetup", Fault::kSilence, 'S', -1, "Error : S [Timeout]", "S", true},
        FaultCase{"SilentLaterRead", Fault::kSilence, 'R', 0x22, "Error : R [Timeout]",
                  "S C R00 R01 R02 R03 R10 R20 R21 R22", true},
        FaultCase{"SilentWrite", Fault::kSilence, 'W', 0x30, "Error : W [Timeout]",
                  "S W00 W01 W02 W03 W10 W20 W21 W22 W23 W24 W25 W30", false},
        // The release is awaited like every request, so a printer that never answers it still
        // ends the save.
        FaultCase{"SilentRelease", Fault::kSilence, 'G', -1, "Success | Error : G [Timeout]",
                  "S W00 W01 W02 W03 W10 W20 W21 W22 W23 W24 W25 W30 W40 W50 F G", false},
        FaultCase{"WrongLetterRead", Fault::kWrongLetter, 'R', 0x21, "Error : R [Timeout]",
                  "S C R00 R01 R02 R03 R10 R20 R21", true},
        FaultCase{"WrongLetterWrite", Fault::kWrongLetter, 'W', 0x20, "Error : W [Timeout]",
                  "S W00 W01 W02 W03 W10 W20", false},
        // A reply after its time-out answers nothing: the chain does not go on behind the box.
        FaultCase{"LateReply", Fault::kLate, 'S', -1, "Error : S [Timeout]", "S", true}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

}  // namespace
