// Requests, key matching and reply parsing of the Wi-Fi module protocol.
#include "page_module/page3_protocol.h"

#include <gtest/gtest.h>

#include "tests/page_module/page3_bytes.h"

namespace page3 {
namespace {

const Bytes kReadOk = B({0x1B, 0x7E, 'R', '0', 0x00});

TEST(Page3Frames, Requests) {
    EXPECT_EQ(VersionRequest(), B({0x1B, 0x7E, 0x56}));
    EXPECT_EQ(ReadRequest(kItemMac), B({0x1B, 0x7E, 0x52, 0x00}));
    EXPECT_EQ(ReadRequest(kItemRegion), B({0x1B, 0x7E, 0x52, 0x21}));
    EXPECT_EQ(BeginRequest(), B({0x1B, 0x7E, 0x49}));
    EXPECT_EQ(WriteHeader(kItemKey), B({0x1B, 0x7E, 0x57, 0x13}));
}

TEST(Page3Frames, RequestNamesComeFromTheHeadAlone) {
    const struct {
        Bytes head;
        const char* name;
    } cases[] = {
        {VersionRequest(), "version"},
        {BeginRequest(), "start"},
        {ReadRequest(kItemMac), "MAC Address"},
        {ReadRequest(kItemApSsid), "SSID"},
        {WriteHeader(kItemSsid), "SSID"},
        {WriteHeader(kItemKey), "Key"},
        {WriteHeader(kItemApAddress), "IP Address"},
        {ReadRequest(kItemAddressType), "DHCP"},
        {WriteHeader(kItemRegion), "Region"},
        {WriteHeader(kItemReserved), "request"},
        {B({0x1B, 0x7E, 'W'}), "request"},
        {B({0x1B, 0x7E, 'X', kItemSsid}), "request"},
        {B({0x1B, 0x7F, 'R', kItemSsid}), "request"},
        {B({}), "request"},
        // A key's value never names anything: a frame past its item is still the item.
        {WriteHeader(kItemKey) + "secret", "Key"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RequestName(c.head), c.name) << c.name;
}

TEST(Page3Frames, TimeoutTexts) {
    EXPECT_STREQ(TimeoutText(1), "Connection failure : Error [Timeout]");
    EXPECT_STREQ(TimeoutText(3), "Read Error : code [Timeout]");
    EXPECT_STREQ(TimeoutText(4), "Write Error : code [Timeout]");
    EXPECT_EQ(TimeoutText(2), nullptr);
}

TEST(Page3Keys, FirstKeyInOrderWins) {
    const struct {
        const char* text;
        Key key;
    } cases[] = {
        {"ipaddr_type=1", Key::kIpAddrType},
        {"ipaddr=10.0.0.5", Key::kIpAddr},
        {"ssid=Office", Key::kSsid},
        {"mdns_hostname=h", Key::kMdnsHostName},
        {"region", Key::kRegion},
        {"xssid=a", Key::kNone},
        {"ssi", Key::kNone},
        {"", Key::kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchKey(c.text), c.key) << c.text;
    EXPECT_EQ(ItemKey(kItemApKey), Key::kPassphrase);
    EXPECT_EQ(ItemKey(kItemApAddress), Key::kNone);
}

TEST(Page3Replies, LetterStatusVersionAndAcknowledgement) {
    const Bytes version = B({0x1B, 0x7E, 'V', '0', 0, 1, 2, 3, 4, 5, 6, 7, 8}) + "E123456789XY";
    EXPECT_EQ(ReplyLetter(version.data(), 13), 'V');
    EXPECT_TRUE(StatusGood(version.data(), 13));
    EXPECT_EQ(VersionText(version.data(), 13), "");
    EXPECT_EQ(VersionText(version.data(), 25), "E123456789");  // ten bytes at most
    const Bytes shortVersion = B({0x1B, 0x7E, 'V', '0'});      // what is missing reads as 0
    EXPECT_TRUE(StatusGood(shortVersion.data(), 4));
    EXPECT_EQ(ReplyLetter(B({0x1B, 0x7F, 'V'}).data(), 3), 0);
    EXPECT_EQ(ReplyLetter(B({0x1B}).data(), 1), 0);
    EXPECT_FALSE(StatusGood(B({0x1B, 0x7E, 'R', '1', 0}).data(), 5));
    EXPECT_FALSE(StatusGood(B({0x1B, 0x7E, 'R', '0', 1}).data(), 5));

    const Bytes ack = B({0x1B, 0x7E, 'W', 0x11, '0', 0, 0});
    EXPECT_TRUE(WriteAcknowledged(ack.data(), 7));
    EXPECT_EQ(AcknowledgedItem(ack.data(), 7), 0x11);
    EXPECT_FALSE(WriteAcknowledged(B({0x1B, 0x7E, 'W', 0x11, '1', 0, 0}).data(), 7));
    EXPECT_FALSE(WriteAcknowledged(B({0x1B, 0x7E, 'W', 0x11, '0', 0, 5}).data(), 7));
    EXPECT_FALSE(WriteAcknowledged(ack.data(), 4));
}

TEST(Page3Replies, ValuesAndShortReplies) {
    const struct {
        Bytes reply;
        bool accepted;
        Key key;
        std::string text;
        Bytes raw;
    } cases[] = {
        {kReadOk + "ssid=Office" + B({0, 0}), true, Key::kSsid, "Office", B({}) + "Office"},
        {kReadOk + "port=9100", true, Key::kPort, "9100", B({'9', '1'})},
        {kReadOk + "mac=" + B({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0, 0}), true, Key::kMac, "",
         B({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E})},
        {kReadOk + "passphrase=" + B({0x12, 0x00, 0x34, 0, 0}), true, Key::kPassphrase, "\x12",
         B({0x12, 0x00, 0x34})},
        // Too short for a raw value: the two trailing bytes or fewer.
        {kReadOk + "mac=" + B({0x5E, 0}), true, Key::kMac, "^", B({})},
        {kReadOk + "mac=", true, Key::kMac, "", B({})},
        // Ends inside its key or before the value offset: ignored.
        {kReadOk + "mac", false, Key::kNone, "", B({})},
        {kReadOk + "ipaddr", false, Key::kNone, "", B({})},
        {B({0x1B, 0x7E, 'R', '1', 0}) + "ssid=x", false, Key::kNone, "", B({})},
        {kReadOk + "channel=6", false, Key::kNone, "", B({})},
    };
    for (const auto& c : cases) {
        const uint32_t count = static_cast<uint32_t>(c.reply.size());
        ReadReply reply;
        ASSERT_EQ(ParseReadReply(c.reply.data(), count, &reply), c.accepted) << c.text;
        if (!c.accepted)
            continue;
        EXPECT_EQ(reply.key, c.key);
        EXPECT_EQ(TextValue(c.reply.data(), count, reply), c.text);
        EXPECT_EQ(RawValue(c.reply.data(), count, reply), c.raw) << c.text;
    }
}

TEST(Page3Replies, CountryLettersFromOffsetSeventeen) {
    const Bytes reply = kReadOk + "region=abcdeKR" + B({0, 0});
    EXPECT_EQ(CountryLetters(reply.data(), static_cast<uint32_t>(reply.size())), "KR");
    EXPECT_EQ(CountryLetters(reply.data(), 18), "K");
    EXPECT_EQ(CountryLetters(reply.data(), 16), "");
}

}  // namespace
}  // namespace page3
