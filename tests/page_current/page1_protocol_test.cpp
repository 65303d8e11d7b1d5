// Frames, quoting, replies, addresses, keys and channel lists of the current-generation protocol.
#include "page_current/page1_protocol.h"

#include <gtest/gtest.h>

#include "page_current/page1_layout.h"
#include "ui/data_exchange.h"

namespace page1 {
namespace {

Bytes B(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Page1Frames, FixedRequestsAndHeaders) {
    EXPECT_EQ(FixedRequest('R', kItemVersion), B({0x1B, 0x7E, 0x52, 0x20}));
    EXPECT_EQ(FixedRequest('Q', '?'), B({0x1B, 0x7E, 0x51, 0x3F}));
    EXPECT_EQ(FixedRequest('O', '0'), B({0x1B, 0x7E, 0x4F, 0x30}));
    EXPECT_EQ(Header('M'), B({0x1B, 0x7E, 0x4D}));
    EXPECT_EQ(DhcpRequest(), B({0x1B, 0x7E, 0x42, 0x31, 0x00}));
}

TEST(Page1Frames, SimplePayloads) {
    EXPECT_EQ(OperatingModePayload(0), B({'2', 0}));
    EXPECT_EQ(OperatingModePayload(1), B({'6', 0}));
    EXPECT_EQ(OperatingModePayload(2), B({'7', 0}));
    EXPECT_EQ(OperatingModePayload(-1), B({0, 0}));
    EXPECT_EQ(PortPayload("9100"), B({'j', '9', '1', '0', '0', 0}));
    EXPECT_EQ(RegionPayload(26), B({'K', 'R', 0}));
    EXPECT_EQ(RegionPayload(30), B({'R', 'U', 0}));
    EXPECT_EQ(RegionPayload(-1), B({0, 0, 0}));
    EXPECT_EQ(SecurityPayload('0', '0'), B({0x30, 0x20, 0x30, 0x20, 0x30, 0x00}));
    EXPECT_EQ(SecurityPayload('3', '1'), B({0x33, 0x20, 0x31, 0x20, 0x31, 0x00}));
}

TEST(Page1Frames, AddressPayloads) {
    Bytes expected = Text("0192.168.1.5 255.255.255.0 192.168.1.1 8.8.8.8");
    expected.push_back(0);
    EXPECT_EQ(StaticAddressPayload("192.168.1.5", "255.255.255.0", "192.168.1.1", "8.8.8.8"),
              expected);
    expected = Text("192.168.10.1 255.255.255.0 192.168.10.1");
    expected.push_back(0);
    EXPECT_EQ(ApAddressPayload("192.168.10.1", "255.255.255.0", "192.168.10.1"), expected);
}

TEST(Page1Quoting, MessageRuleQuotesSpaceEqualsCommaAndLeadingQuote) {
    EXPECT_EQ(TextPayload("my net", QuoteRule::kSpaceEqualsComma),
              B({0x22, 0x6D, 0x79, 0x20, 0x6E, 0x65, 0x74, 0x22, 0x00}));
    EXPECT_EQ(TextPayload("x y\"z", QuoteRule::kSpaceEqualsComma),
              B({0x22, 0x78, 0x20, 0x79, 0x2F, 0x22, 0x7A, 0x22, 0x00}));
    EXPECT_EQ(TextPayload("a/b", QuoteRule::kSpaceEqualsComma), B({0x61, 0x2F, 0x62, 0x00}));
    EXPECT_EQ(TextPayload("abc", QuoteRule::kSpaceEqualsComma), B({0x61, 0x62, 0x63, 0x00}));
    EXPECT_EQ(TextPayload("a,b", QuoteRule::kSpaceEqualsComma),
              B({0x22, 0x61, 0x2C, 0x62, 0x22, 0x00}));
    EXPECT_EQ(TextPayload("a=b", QuoteRule::kSpaceEqualsComma),
              B({0x22, 0x61, 0x3D, 0x62, 0x22, 0x00}));
    // A leading double quote forces quoting; it and any slash are then escaped.
    EXPECT_EQ(TextPayload("\"k/", QuoteRule::kSpaceEqualsComma),
              B({0x22, 0x2F, 0x22, 0x6B, 0x2F, 0x2F, 0x22, 0x00}));
    EXPECT_EQ(TextPayload("", QuoteRule::kSpaceEqualsComma), B({0x00}));
}

TEST(Page1Quoting, JoinRuleLeavesCommasRaw) {
    EXPECT_EQ(JoinPayload("a,b", ""), B({0x61, 0x2C, 0x62, 0x00}));
    EXPECT_EQ(ApOpenPayload("a,b", "6"), B({0x61, 0x2C, 0x62, 0x20, 0x36, 0x00}));
    EXPECT_EQ(JoinPayload("my net", "k=1"), Text("\"my net\" \"k=1\"") + Bytes{0});
    EXPECT_EQ(JoinPayload("office", "secret12"), Text("office secret12") + Bytes{0});
}

TEST(Page1Frames, ApWpaAndWepPayloads) {
    EXPECT_EQ(ApWpaPayload("ap", "36", '3', '1', "password"),
              Text("ap 36 3 1 1 password") + Bytes{0});
    EXPECT_EQ(ApWpaPayload("a b", "1", '2', '0', "p w"),
              Text("\"a b\" 1 2 0 0 \"p w\"") + Bytes{0});
    // ASCII key: text as typed (quoted by the message rule); Hex key: the raw bytes.
    EXPECT_EQ(WepKeyPayload(2, false, "abcde", {}), Text("2 abcde") + Bytes{0});
    EXPECT_EQ(WepKeyPayload(1, false, "ab,de", {}), Text("1 \"ab,de\"") + Bytes{0});
    EXPECT_EQ(WepKeyPayload(4, true, "00FF10", {0x00, 0xFF, 0x10}),
              B({'4', ' ', 0x00, 0xFF, 0x10, 0x00}));
}

TEST(Page1Frames, RequestNamesComeFromTheHeadOnly) {
    const struct {
        Bytes head;
        const char* name;
    } cases[] = {
        {FixedRequest('R', kItemMac), "MAC Address"},
        {FixedRequest('R', kItemWpaKey), "Key"},
        {FixedRequest('R', kItemWepIndex), "WEP"},
        {FixedRequest('R', 0x05), "request"},
        {FixedRequest('Q', '?'), "Operating Mode"},
        {Header('Q'), "Operating Mode"},
        {FixedRequest('B', '?'), "Infrastructure Mode"},
        {DhcpRequest(), "DHCP"},
        {Header('E'), "access point"},
        {Header('R'), "request"},
        {B({'M', 0x1B, 0x7E}), "request"},
        {Bytes(), "request"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RequestName(c.head), c.name) << c.name;
}

TEST(Page1Replies, LettersAndValues) {
    for (char c : std::string("BCDEFGHIMOQRW"))
        EXPECT_TRUE(IsReplyLetter(c)) << c;
    for (char c : std::string("ZAJPS?"))
        EXPECT_FALSE(IsReplyLetter(c)) << c;
    EXPECT_FALSE(IsReplyLetter(0));

    const Bytes q = B({0x1B, 0x7E, 0x51, 0x3F, 0x36, 0x00});
    EXPECT_EQ(QueryValue(q.data(), 6), "6");
    const Bytes h = Text("\x1B~H?192.168.10.1 255.255.255.0 192.168.10.1") + B({0x0D});
    EXPECT_EQ(QueryValue(h.data(), static_cast<uint32_t>(h.size())),
              "192.168.10.1 255.255.255.0 192.168.10.1");
    const Bytes r = Text("\x1B~R\x20@V1.04") + B({0, 'x', 'y'});
    EXPECT_EQ(ReadValue(r.data(), static_cast<uint32_t>(r.size())), "V1.04");
    const Bytes shortReply = B({0x1B, 0x7E, 0x52, 0x20, 0x40});
    EXPECT_EQ(ReadValue(shortReply.data(), 5), "");
    EXPECT_EQ(QueryValue(shortReply.data(), 5), "");
    EXPECT_EQ(SplitFields("1 0.0.0.0 0.0.0.0"),
              (std::vector<std::string>{"1", "0.0.0.0", "0.0.0.0"}));
    EXPECT_EQ(SplitFields(""), (std::vector<std::string>{""}));
}

TEST(Page1Addresses, DottedTextBothWays) {
    EXPECT_EQ(ParseDottedAddress("192.168.10.1"), 0xC0A80A01u);
    EXPECT_EQ(ParseDottedAddress("192.168.1.1234"), 0xC0A8017Bu)
        << "three characters after the third dot";
    EXPECT_EQ(ParseDottedAddress(""), 0u);
    EXPECT_EQ(ParseDottedAddress("10.x.3.4"), 0x0A000304u);
    EXPECT_EQ(ParseDottedAddress("1.2"), 0x01020000u);
    EXPECT_EQ(ui::DottedAddress(0xFFFFFF00u), "255.255.255.0");
    EXPECT_EQ(ui::DottedAddress(ParseDottedAddress("8.8.4.4")), "8.8.4.4");
}

TEST(Page1Keys, WepKeyBytesPairDigitsAndKeepAnOddLastOne) {
    EXPECT_EQ(WepKeyBytes("0A1b2"), B({0x0A, 0x1B, 0x02}));
    EXPECT_EQ(WepKeyBytes("0A 1b\t2"), B({0x0A, 0x1B, 0x02}));
    EXPECT_EQ(WepKeyBytes("G1"), B({0x01})) << "a non-digit counts 0";
    EXPECT_EQ(WepKeyBytes(""), Bytes{});
}

TEST(Page1Keys, HexAndAsciiForms) {
    std::string binary, hex;
    ASSERT_TRUE(HexKeyForms("4a 6b", &binary, &hex));
    EXPECT_EQ(hex, "4A6B");
    EXPECT_EQ(binary, "Jk");
    ASSERT_TRUE(HexKeyForms("414", &binary, &hex));
    EXPECT_EQ(binary, std::string("A\x04"));
    EXPECT_FALSE(HexKeyForms("41g2", &binary, &hex));
    EXPECT_EQ(hex, "41") << "the forms hold what was built before the bad character";
    AsciiKeyForms("ab c\r\n", &binary, &hex);
    EXPECT_EQ(binary, "abc");
    EXPECT_EQ(hex, "616263");
    EXPECT_TRUE(IsPrintable(" ~abc"));
    EXPECT_FALSE(IsPrintable("ab\x7F"));
    EXPECT_FALSE(IsPrintable("\xC3\xA9"));
    EXPECT_FALSE(IsPrintable("a\tb"));
}

TEST(Page1Bands, CodesBothWays) {
    EXPECT_EQ(BandIndex('2'), 0);
    EXPECT_EQ(BandIndex('6'), 1);
    EXPECT_EQ(BandIndex('7'), 2);
    EXPECT_EQ(BandIndex('9'), 2);
    EXPECT_EQ(BandIndex(0), 2);
}

TEST(Page1Regions, CodesAndIndexes) {
    EXPECT_EQ(Regions().size(), 46u);
    EXPECT_EQ(RegionCode(0), "AT");
    EXPECT_EQ(RegionCode(45), "ZA");
    EXPECT_EQ(RegionCode(46), "");
    EXPECT_EQ(RegionIndex("RU"), 30);
    EXPECT_EQ(RegionIndex("MY"), 31);
    EXPECT_EQ(RegionIndex("XX"), -1);
    EXPECT_EQ(RegionIndex("K"), -1);
    EXPECT_EQ(RegionIndex("KRX"), -1);
}

std::vector<int> Range(int from, int to) {
    std::vector<int> out;
    for (int c = from; c <= to; ++c)
        out.push_back(c);
    return out;
}

TEST(Page1Channels, ByRegionAndBand) {
    const std::vector<int> wide5 = {36, 40, 44, 48, 149, 153, 157, 161, 165};
    const std::vector<int> low5 = {36, 40, 44, 48};
    const std::vector<int> high5 = {149, 153, 157, 161, 165};
    const auto concat = [](std::vector<int> a, const std::vector<int>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const int jp = RegionIndex("JP"), us = RegionIndex("US"), id = RegionIndex("ID");
    const int kr = RegionIndex("KR"), de = RegionIndex("DE");
    EXPECT_EQ(Channels(jp, 2).size(), 18u);
    EXPECT_EQ(Channels(jp, 2)[13], 14);
    EXPECT_EQ(Channels(jp, 0), Range(1, 14));
    EXPECT_EQ(Channels(jp, 1), low5);
    EXPECT_EQ(Channels(us, 0), Range(1, 11));
    EXPECT_EQ(Channels(us, 2), concat(Range(1, 11), wide5));
    EXPECT_EQ(Channels(id, 1), high5);
    EXPECT_EQ(Channels(RegionIndex("TW"), 2), concat(Range(1, 13), high5));
    EXPECT_EQ(Channels(kr, 1), wide5);
    EXPECT_EQ(Channels(RegionIndex("RU"), 0), Range(1, 13));
    EXPECT_EQ(Channels(de, 2), concat(Range(1, 13), low5));
    EXPECT_EQ(Channels(-1, -1), Range(1, 13)) << "no region, no band";
    EXPECT_EQ(Channels(-1, 1), low5);
}

}  // namespace
}  // namespace page1
