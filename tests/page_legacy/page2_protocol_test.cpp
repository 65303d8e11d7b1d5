// Frames, chains, reply classification, identity and report texts of the legacy protocol.
#include "page_legacy/page2_protocol.h"

#include <gtest/gtest.h>

namespace page2 {
namespace {

Bytes WithExtraByte(Bytes bytes) {
    bytes.push_back(0);
    return bytes;
}

TEST(Page2Frames, RequestsAndTheTwoWritesOfW) {
    EXPECT_EQ(Request(kSetup), Bytes({0x1B, 0x7E, 0x53}));
    EXPECT_EQ(Request(kRelease), Bytes({0x1B, 0x7E, 0x47}));
    EXPECT_EQ(Request(kRead, kRecordTcpIp), Bytes({0x1B, 0x7E, 0x52, 0x30}));
    // The payload goes out with exactly the record's size, whatever the caller built.
    const WriteFrames w = WriteRequest(kRecordWep128, Bytes(60, 0xAB));
    EXPECT_EQ(w.header, Bytes({0x1B, 0x7E, 0x57, 0x23}));
    EXPECT_EQ(w.payload, Bytes(52, 0xAB));
    EXPECT_EQ(WriteRequest(kRecordAddressOptions, {1}).payload, Bytes({1, 0}));
}

TEST(Page2Frames, ChainsRunInRecordOrderAndReadSkipsTheKey) {
    const struct {
        Chain chain;
        std::vector<uint8_t> records;
    } kChains[] = {
        {Chain::kRead,
         {0x00, 0x01, 0x02, 0x03, 0x10, 0x20, 0x21, 0x22, 0x23, 0x24, 0x30, 0x40, 0x50}},
        {Chain::kWrite,
         {0x00, 0x01, 0x02, 0x03, 0x10, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x30, 0x40, 0x50}},
    };
    for (const auto& c : kChains) {
        std::vector<uint8_t> walked = {kRecordIp};
        for (int next; (next = NextRecord(c.chain, walked.back())) >= 0;)
            walked.push_back(static_cast<uint8_t>(next));
        EXPECT_EQ(walked, c.records);
        EXPECT_EQ(NextRecord(c.chain, 0x50), kChainEnd);
        EXPECT_EQ(NextRecord(c.chain, 0x04), kNotInChain);
    }
    EXPECT_EQ(NextRecord(Chain::kRead, kRecordPsk), kNotInChain);
}

TEST(Page2Frames, RequestNamesComeFromTheLetterAndRecordOnly) {
    const struct {
        Bytes head;
        const char* name;
    } kCases[] = {
        {Request(kSetup), "start"},
        {Request(kIdentity), "identity"},
        {Request(kFinish), "finish"},
        {Request(kRelease), "release"},
        {Request(kRead, kRecordNetMask), "NetMask"},
        {Request(kRead, kRecordWireless), "WLAN Mode"},
        {Request(kWrite, kRecordPsk), "pre-shared key"},
        {Request(kWrite, kRecordUserClassId), "User Class ID"},
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
}

TEST(Page2Replies, RecordBytesBeyondTheReplyReadAsZero) {
    const Bytes reply = {0x1B, 0x7E, 'R', 0x01, 0x00, 0x06};
    EXPECT_EQ(RecordFromReply(reply.data(), reply.size(), kRecordWireless),
              Bytes({0x01, 0x00, 0x06, 0, 0, 0, 0}));
    EXPECT_EQ(RecordFromReply(reply.data(), reply.size(), kRecordAddressOptions),
              Bytes({0x01, 0x00}));
}

TEST(Page2Replies, IdentityTextsOnlyFromNineteenBytes) {
    Bytes reply = {0x1B, 0x7E, 'C',  0,    1,    2,    0,    0, 0, 0,
                   0,    0x00, 0x1A, 0x2B, 0xC3, 0xD4, 0xEF, 0, 0};
    Identity identity;
    ASSERT_TRUE(DecodeIdentity(reply.data(), reply.size(), &identity));
    EXPECT_EQ(identity.version, "Ver1.2a");
    EXPECT_EQ(identity.mac, "00:1A:2B:C3:D4:EF");
    reply[4] = 10;
    reply[5] = 255;
    reply[6] = 3;
    ASSERT_TRUE(DecodeIdentity(reply.data(), reply.size(), &identity));
    EXPECT_EQ(identity.version, "Ver10.255d");
    EXPECT_FALSE(DecodeIdentity(reply.data(), reply.size() - 1, &identity));
    reply = WithExtraByte(reply);
    EXPECT_FALSE(DecodeIdentity(reply.data(), reply.size(), &identity));
}

TEST(Page2Texts, ErrorAndTimeoutNameThePendingLetter) {
    EXPECT_EQ(ErrorText('W'), "Error : 0x57[W]");
    EXPECT_EQ(ErrorText('S'), "Error : 0x53[S]");
    EXPECT_EQ(TimeoutText('S'), "Error : S [Timeout]");
    EXPECT_EQ(TimeoutText('C'), "Error : C [Timeout]");
}

}  // namespace
}  // namespace page2
