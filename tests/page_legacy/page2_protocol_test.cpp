// The legacy protocol where the page chains cannot reach: write payload sizes, request names for
// any head, and replies from the printer that must not be taken.
#include "page_legacy/page2_protocol.h"

#include <gtest/gtest.h>

namespace page2 {
namespace {

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes WithExtraByte(Bytes bytes) {
    bytes.push_back(0);
    return bytes;
}

TEST(Page2Frames, WritePayloadHasTheRecordsSizeWhateverTheCallerBuilt) {
    EXPECT_EQ(WriteRequest(kRecordWep128, Bytes(60, 0xAB)).payload, Bytes(52, 0xAB));
    EXPECT_EQ(WriteRequest(kRecordAddressOptions, {1}).payload, Bytes({1, 0}));
}

TEST(Page2Frames, RequestNamesComeFromTheLetterAndRecordOnly) {
    const struct {
        Bytes head;
        const char* name;
    } kCases[] = {
        {Request(kRelease), "release"},
        // A whole W frame still names only its record, never its payload.
        {{0x1B, 0x7E, 'W', kRecordPassphrase, 'p', 'w'}, "WPA Key"},
        {Request(kRead, 0x04), "request"},
        {Request(kRead), "request"},
        {Request(kErrorLetter), "request"},
        {{0x1B, 0x7F, 'S'}, "request"},
        {{0x1B, 0x7E}, "request"},
        {{}, "request"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(RequestName(c.head), c.name) << ::testing::PrintToString(c.head);
}

// A reply is taken only whole, by its size, and only when it answers the request outstanding.
TEST(Page2Replies, CutBySizeAndRequest) {
    Bytes identity(kIdentityReplySize, 0);
    identity[0] = 0x1B;
    identity[1] = 0x7E;
    identity[2] = 'C';
    const Bytes setup = Request(kSetup), askIdentity = Request(kIdentity);
    const Bytes readSsid = Request(kRead, kRecordSsid);
    const Bytes writeIp = WriteRequest(kRecordIp, {}).header + Bytes(4, 0);
    using reply::Fit;
    const struct {
        const Bytes* request;
        Bytes held;
        Fit fit;
        size_t length;
    } kCases[] = {
        {&setup, {0x00, 0x7E, 'S'}, Fit::kJunk, 0},
        {&setup, {0x1B, 0x7F, 'S'}, Fit::kJunk, 0},
        {&setup, {0x1B, 0x7E}, Fit::kPartial, 0},
        {&writeIp, {0x1B, 0x7E, '9'}, Fit::kAnswer, 3},
        // An identity reply split anywhere waits for the rest.
        {&askIdentity, Bytes(identity.begin(), identity.begin() + 10), Fit::kPartial, 0},
        {&askIdentity, WithExtraByte(identity), Fit::kAnswer, kIdentityReplySize},
        // An R reply shorter than its record waits for the rest, never zero-filled.
        {&readSsid, {0x1B, 0x7E, 'R', 'S', 'h', 'o', 'p'}, Fit::kPartial, 0},
        {&readSsid, WithExtraByte(Bytes{0x1B, 0x7E, 'R'}) + Bytes(RecordSize(kRecordSsid) - 1, 'x'),
         Fit::kAnswer, 3 + RecordSize(kRecordSsid)},
        // Notices are taken whatever is outstanding, or nothing.
        {nullptr, {0x1B, 0x7E, 'Y'}, Fit::kNotice, 3},
        // The 0xFF notice ends at its 00, else when the line goes quiet, whatever its last byte.
        {&setup, {0x1B, 0x7E, 0xFF, 0x01}, Fit::kNoticeIfQuiet, 4},
        {&setup, {0x1B, 0x7E, 0xFF, 0x01, 0x00}, Fit::kNotice, 5},
        {nullptr, {0x1B, 0x7E, 0xFF, 0x00, 0x01}, Fit::kNotice, 4},
        {nullptr, {0x1B, 0x7E, 0xFF}, Fit::kNoticeIfQuiet, 3},
        // A reply to a request that is not outstanding is left alone.
        {&setup, {0x1B, 0x7E, 'Q'}, Fit::kStray, 0},
        {&writeIp, {0x1B, 0x7E, 'R', 0xC0}, Fit::kStray, 0},
        {&readSsid, identity, Fit::kStray, 0},
        {nullptr, {0x1B, 0x7E, 'S'}, Fit::kStray, 0},
        {nullptr, {0x1B, 0x7E, '9'}, Fit::kStray, 0},
    };
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const auto& c = kCases[i];
        const reply::Cut cut = CutReply(c.request, c.held.data(), c.held.size());
        EXPECT_EQ(cut.fit, c.fit) << "row " << i;
        EXPECT_EQ(cut.length, c.length) << "row " << i;
    }
    EXPECT_EQ(ActionOf('9'), ReplyAction::kError);
    EXPECT_EQ(ActionOf(0xFF), ReplyAction::kShowFf);
    EXPECT_EQ(ActionOf('Q'), ReplyAction::kNone);
    Identity decoded;
    EXPECT_TRUE(DecodeIdentity(identity.data(), identity.size(), &decoded));
    EXPECT_FALSE(DecodeIdentity(identity.data(), identity.size() - 1, &decoded));
    identity = WithExtraByte(identity);
    EXPECT_FALSE(DecodeIdentity(identity.data(), identity.size(), &decoded));
}

TEST(Page2Replies, RecordBytesBeyondTheReplyReadAsZero) {
    const Bytes reply = {0x1B, 0x7E, 'R', 0x01, 0x00, 0x06};
    EXPECT_EQ(RecordFromReply(reply.data(), reply.size(), kRecordWireless),
              Bytes({0x01, 0x00, 0x06, 0, 0, 0, 0}));
    EXPECT_EQ(RecordFromReply(reply.data(), reply.size(), kRecordAddressOptions),
              Bytes({0x01, 0x00}));
}

}  // namespace
}  // namespace page2
