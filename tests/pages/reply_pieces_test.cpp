// A reply may come in pieces, with pauses far longer than the link's batching: cut anywhere, even
// byte by byte, it reads and saves exactly as if it had come at once.
#include <gtest/gtest.h>

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
    void TestBody() override {}
    // Everything the page wrote, the boxes and the status each exchange left.
    std::string ReadThenSave(const Cutting* cutting) {
        this->SetUp();
        if (cutting != nullptr)
            this->links_.CutReplies(cutting->cuts, cutting->pauseMs);
        this->OpenPage();
        std::string seen;
        EXPECT_TRUE(this->ui_.Click(this->Page(), this->Buttons().read));
        this->ui_.Advance(60000);
        seen += this->ui_.Text(this->Page(), this->Buttons().status) + "\n";
        EXPECT_TRUE(this->ui_.Click(this->Page(), this->Buttons().save));
        this->ui_.Advance(60000);
        seen += this->ui_.Text(this->Page(), this->Buttons().status) + "\n";
        for (const std::string& box : this->BoxTexts())
            seen += box + "\n";
        for (uint8_t byte : this->Wire())
            seen += std::to_string(byte) + " ";
        this->TearDown();
        return seen;
    }
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

}  // namespace
