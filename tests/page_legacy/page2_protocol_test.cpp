// The legacy protocol where the page chains cannot reach: write payload sizes, request names for
// any head, and replies from the printer that must not be taken.
#include "page_legacy/page2_protocol.h"

#include <gtest/gtest.h>

namespace page2 {
namespace {

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

TEST(Page2Replies, ClassificationFollowsTheFirstThreeBytesAndThePendingLetter) {
    Bytes identity(kIdentityReplySize, 0);
    identity[0] = 0x1B;
    identity[1] = 0x7E;
    identity[2] = 'C';
    const struct {
        Bytes reply;
        char pending;
        ReplyAction action;
    } kCases[] = {
        {{}, 'S', ReplyAction::kDrop},
        {{0x00, 0x7E, 'S'}, 'S', ReplyAction::kDrop},
        {{0x1B, 0x7F, 'S'}, 'S', ReplyAction::kIgnore},
        {{0x1B, 0x7E}, 'S', ReplyAction::kIgnore},
        {{0x1B, 0x7E, 'S', 0x00}, 'S', ReplyAction::kSetup},
        {{0x1B, 0x7E, '9'}, 'W', ReplyAction::kError},
        {identity, 'C', ReplyAction::kIdentity},
        {Bytes(identity.begin(), identity.begin() + 10), 'C', ReplyAction::kIgnore},
        {WithExtraByte(identity), 'C', ReplyAction::kIgnore},
        {{0x1B, 0x7E, 'R', 0xC0}, 'R', ReplyAction::kRead},
        {{0x1B, 0x7E, 'W'}, 'W', ReplyAction::kWrite},
        {{0x1B, 0x7E, 'F'}, 'F', ReplyAction::kFinish},
        {{0x1B, 0x7E, 'G'}, 'G', ReplyAction::kRelease},
        {{0x1B, 0x7E, 'Y'}, 'R', ReplyAction::kUpdateSuccess},
        {{0x1B, 0x7E, 0xFF, 0x00}, 'R', ReplyAction::kShowFf},
        {{0x1B, 0x7E, 0xFF, 0x01}, 'R', ReplyAction::kIgnore},
        {{0x1B, 0x7E, 'Q'}, 'R', ReplyAction::kOther},
        // A reply to a request that is not outstanding is left alone.
        {{0x1B, 0x7E, 'R', 0xC0}, 'W', ReplyAction::kIgnore},
        {identity, 'R', ReplyAction::kIgnore},
        {{0x1B, 0x7E, 'S'}, 0, ReplyAction::kIgnore},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ClassifyReply(c.reply.data(), c.reply.size(), c.pending), c.action)
            << ::testing::PrintToString(c.reply) << " pending " << c.pending;
    }
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
