// Payload rules, request names, replies, addresses and keys of the current-generation protocol.
#include "page_current/page1_protocol.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// The payload rules the save chains do not reach: the other bands, no region, and quoting.
TEST(Page1Payloads, RulesByteExact) {
    const Bytes z{0};
    const auto kMessage = QuoteRule::kSpaceEqualsComma;
    const struct {
        Bytes payload, expected;
    } cases[] = {
        {OperatingModePayload(1), Text("6") + z},
        {OperatingModePayload(2), Text("7") + z},
        {OperatingModePayload(-1), B({0, 0})},
        {RegionPayload(-1), B({0, 0, 0})},
        {TextPayload("my net", kMessage), Text("\"my net\"") + z},
        {TextPayload("x y\"z", kMessage), Text("\"x y/\"z\"") + z},
        {TextPayload("a/b", kMessage), Text("a/b") + z},
        {TextPayload("a,b", kMessage), Text("\"a,b\"") + z},
        {TextPayload("a=b", kMessage), Text("\"a=b\"") + z},
        // A leading double quote forces quoting; it and any slash are then escaped.
        {TextPayload("\"k/", kMessage), Text("\"/\"k//\"") + z},
        {TextPayload("", kMessage), z},
        // The join rule leaves commas raw.
        {ApOpenPayload("a,b", "6"), Text("a,b 6") + z},
        {JoinPayload("my net", "k=1"), Text("\"my net\" \"k=1\"") + z},
        {ApWpaPayload("a b", "1", '2', '0', "p w"), Text("\"a b\" 1 2 0 0 \"p w\"") + z},
        // ASCII key: text as typed (quoted by the message rule); Hex key: the raw bytes.
        {WepKeyPayload(1, false, "ab,de", {}), Text("1 \"ab,de\"") + z},
        {WepKeyPayload(4, true, "00FF10", {0x00, 0xFF, 0x10}),
         B({'4', ' ', 0x00, 0xFF, 0x10, 0x00})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.payload, c.expected) << std::string(c.expected.begin(), c.expected.end());
}

// The names the chains' plans show are checked with the chains; these are the rest.
TEST(Page1Frames, RequestNamesComeFromTheHeadOnly) {
    const struct {
        Bytes head;
        const char* name;
    } cases[] = {
        {FixedRequest('R', kItemWepIndex), "WEP"},
        {FixedRequest('R', 0x05), "request"},
        {DhcpRequest(), "DHCP"},
        {Header('R'), "request"},
        {B({'M', 0x1B, 0x7E}), "request"},
        {Bytes(), "request"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RequestName(c.head), c.name) << c.name;
}

// A reply is taken only whole, and only when it answers the request outstanding.
TEST(Page1Replies, CutByGrammarAndRequest) {
    const Bytes readSsid = FixedRequest('R', kItemSsid);
    const Bytes queryBand = FixedRequest('Q', '?');
    const Bytes queryRegion = FixedRequest('C', '?'), queryAp = FixedRequest('H', '?');
    const Bytes queryStation = FixedRequest('B', '?');
    const Bytes writeSsid = Header('M') + TextPayload("Shop", QuoteRule::kSpaceEqualsComma);
    const Bytes writePort = Header('W') + PortPayload("9100");
    using reply::Fit;
    const struct {
        const Bytes* request;
        Bytes held;
        Fit fit;
        size_t length;
    } cases[] = {
        // An R value runs to its text end (00, CR or LF), or else until the line goes quiet.
        {&readSsid, Text("\x1B~R") + B({0x00, '@'}) + Text("Shop"), Fit::kAnswerIfQuiet, 9},
        {&readSsid, Text("\x1B~R") + B({0x00, '@'}) + Text("ShopAP\r\n"), Fit::kAnswer, 12},
        {&readSsid, Text("\x1B~R") + B({0x00, '@'}) + Text("ShopAP\n"), Fit::kAnswer, 12},
        {&readSsid, Text("\x1B~R") + B({0x00, '@', 0x00}), Fit::kAnswer, 6},
        {&readSsid, B({0x1B, 0x7E, 0x52, 0x00, 'E', 0x00}), Fit::kAnswer, 5},
        {&readSsid, B({0x1B, 0x7E, 0x52, 0x01}), Fit::kStray, 0},
        {&readSsid, B({0x1B, 0x7E, 0x51, 0x3F, 0x32, 0x00}), Fit::kStray, 0},
        // A query's last byte is open: any byte after the band's one character or the region's
        // two letters ends the reply, a text end ends any query's, and a byte no address text
        // holds ends the addresses'.
        {&queryBand, B({0x1B, 0x7E, 0x51, 0x3F, 0x32}), Fit::kAnswer, 5},
        {&queryBand, B({0x1B, 0x7E, 0x51, 0x3F, 0x32, 'x', 0x00}), Fit::kAnswer, 5},
        {&queryBand, B({0x1B, 0x7E, 0x51, 0x3F, 0x0D, 0x0A}), Fit::kAnswer, 5},
        {&queryBand, B({0x1B, 0x7E, 0x51, '@'}), Fit::kPartial, 0},
        {&queryRegion, Text("\x1B~C?BR\r\n"), Fit::kAnswer, 6},
        {&queryRegion, Text("\x1B~C?BR"), Fit::kAnswer, 6},
        {&queryRegion, Text("\x1B~C?B"), Fit::kPartial, 0},
        {&queryAp, Text("\x1B~H?1.2.3.4 5.6.7.8 9.9.9.9x"), Fit::kAnswer, 28},
        {&queryAp, Text("\x1B~H?1.2.3.4 5.6.7.8 9.9.9.9\xFF\0"), Fit::kAnswer, 28},
        {&queryAp, Text("\x1B~H?1.2.3.4 5.6.7.8 9.9.9.9 "), Fit::kAnswer, 28},
        {&queryAp, Text("\x1B~H?1.2.3.4 5.6.7.8 9.9.9.9"), Fit::kAnswerIfQuiet, 27},
        // The addresses' open byte only follows their last field: a byte no address holds, or a
        // text end, in any field before it is part of the reply, which goes on to that field
        // unless the line goes quiet first.
        {&queryAp, Text("\x1B~H?1.x.3.4 5.6.7.8 9.9.9.9A"), Fit::kAnswer, 28},
        {&queryAp, Text("\x1B~H?10.0.0.1 255.255.x.0 10.0.0.1A"), Fit::kAnswer, 34},
        {&queryAp, Text("\x1B~H?1.2.3.4 5.6.7.8\r"), Fit::kAnswerIfQuiet, 20},
        {&queryAp, Text("\x1B~H?1.2.3.4 5.6.7.8 9.9.x.9A"), Fit::kAnswer, 25},
        {&queryStation, Text("\x1B~B?x 1.2.3.4 5.6.7.8 9.9.9.9 8.8.8.8A"), Fit::kAnswer, 38},
        {&queryStation, Text("\x1B~B?0 1.2.x.4 5.6.7.8 9.9.9.9 8.8.8.8A"), Fit::kAnswer, 38},
        {&queryStation, Text("\x1B~B?0 1.2.3.4 5.6.\n.8 9.9.9.9 8.8.8.8A"), Fit::kAnswer, 38},
        {&queryStation,
         Text("\x1B~B?0 192.168.1.10 255.255.255.0 192.168.x.254 10.0.0.53") + B({0}), Fit::kAnswer,
         57},
        {&queryStation, Text("\x1B~B?0 1.2.3.4 5.6.7.8 9.9.9.9 8.x.8.8A"), Fit::kAnswer, 33},
        {&queryStation, Text("\x1B~B?0 1.2.3.4 5.6.7.8 9.9.9.9 8.8.8.8\r"), Fit::kAnswer, 38},
        // A printer may leave out the fields it holds no value for: a reply short of its fields
        // ends when the line goes quiet, whatever ended its last field.
        {&queryStation, B({0x1B, 0x7E, 0x42, 0x3F, 0x31, 0x00}), Fit::kAnswerIfQuiet, 6},
        {&queryStation, B({0x1B, 0x7E, 0x42, 0x3F, 0x31}), Fit::kAnswerIfQuiet, 5},
        {&queryStation, Text("\x1B~B?0 1.2.3.4") + B({0}), Fit::kAnswerIfQuiet, 14},
        {&queryStation, Text("\x1B~B?0 1.2.3.4 5.6.7.8 9.9.9.9\r\n"), Fit::kAnswerIfQuiet, 31},
        {&queryAp, Text("\x1B~H?1.2.3.4A"), Fit::kAnswerIfQuiet, 12},
        {&writeSsid, B({0x1B, 0x7E, 0x4D}), Fit::kPartial, 0},
        {&writeSsid, B({0x1B, 0x7E, 0x47, '@'}), Fit::kStray, 0},
        {&writePort, B({0x1B, 0x7E, 0x57, 'j'}), Fit::kPartial, 0},
        {nullptr, B({0x1B, 0x7E, 0x4D, '@'}), Fit::kStray, 0},
        {&readSsid, B({0x1B}), Fit::kPartial, 0},
        {&readSsid, B({0x41, 0x1B}), Fit::kJunk, 0},
        {&readSsid, B({0x1B, 0x41}), Fit::kJunk, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const reply::Cut cut = CutReply(c.request, c.held.data(), c.held.size());
        EXPECT_EQ(cut.fit, c.fit) << "row " << i;
        EXPECT_EQ(cut.length, c.length) << "row " << i;
    }
}

TEST(Page1Replies, Values) {
    const Bytes q = B({0x1B, 0x7E, 0x51, 0x3F, 0x36, 0x00});
    EXPECT_EQ(QueryValue(q.data(), 6), "6");
    // The reply's last byte is open, and no value holds a text end.
    const Bytes c = Text("\x1B~C?BR\r");
    EXPECT_EQ(QueryValue(c.data(), 6), "BR");
    EXPECT_EQ(QueryValue(c.data(), 5), "B");
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

// An address reply is read whole or not at all: a field with a byte no address holds, or cut short
// by one that ended the reply, never reads as a value the next save would write.
TEST(Page1Replies, AddressFieldsWholeOrNone) {
    using Fields = std::vector<std::string>;
    const struct {
        std::string reply;  // the whole reply, its open last byte included
        std::optional<Fields> fields;
    } kCases[] = {
        {"\x1B~B?0 192.168.1.10 255.255.255.0 192.168.1.254 10.0.0.53A",
         Fields{"0", "192.168.1.10", "255.255.255.0", "192.168.1.254", "10.0.0.53"}},
        {"\x1B~B?2 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0A",
         Fields{"2", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}},
        {"\x1B~H?10.0.0.1 255.255.255.0 10.0.0.1234A",
         Fields{"10.0.0.1", "255.255.255.0", "10.0.0.1234"}},
        // The DHCP flag alone: a printer that holds no addresses of its own.
        {std::string("\x1B~B?1") + '\0', Fields{"1", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}},
        {"\x1B~B?1\r\n", Fields{"1", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}},
        // The last address cut short by the byte taken for the open one; too few fields, an empty
        // octet, a doubled space, too many fields.
        {"\x1B~B?0 192.168.1.10 255.255.255.0 192.168.1.254 10.0.x", std::nullopt},
        {"\x1B~B?0 192.168.1.10 255.255.255.0 192.168.1.254 10.0.0.x", std::nullopt},
        {"\x1B~B?0 192.168.1.10 255.255.255.0 192.168.1.254A", std::nullopt},
        {"\x1B~H?10.0.0.1 255.255..0 10.0.0.1A", std::nullopt},
        {"\x1B~H?10.0.0.1  255.255.255.0 10.0.0.1A", std::nullopt},
        {"\x1B~H?10.0.0.1 255.255.255.0 10.0.0.1 1.1.1.1A", std::nullopt},
        // Short of fields otherwise: a static flag or another flag alone, the DHCP flag with no
        // byte after it (that one is the reply's open last byte), an address after the DHCP flag,
        // three of a station's addresses, the access point's first address alone.
        {std::string("\x1B~B?0") + '\0', std::nullopt},
        {std::string("\x1B~B?2") + '\0', std::nullopt},
        {"\x1B~B?1", std::nullopt},
        {std::string("\x1B~B?1 1.2.3.4") + '\0', std::nullopt},
        {std::string("\x1B~B?0 1.2.3.4 5.6.7.8 9.9.9.9") + '\0', std::nullopt},
        {std::string("\x1B~H?10.0.0.1") + '\0', std::nullopt},
    };
    for (const auto& c : kCases) {
        const Bytes reply = Text(c.reply);
        EXPECT_EQ(AddressFields(reply.data(), static_cast<uint32_t>(reply.size())), c.fields)
            << c.reply;
    }
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

// The channel table, row by row: every region and no region, on every band and none.
TEST(Page1Codes, ChannelsOfEveryRegionOnEveryBand) {
    const auto join = [](std::vector<int> a, const std::vector<int>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<int> low5 = {36, 40, 44, 48}, high5 = {149, 153, 157, 161, 165};
    const struct Row {
        std::vector<std::string> regions;  // none: every other region, and no region
        int last24;
        std::vector<int> band5;
    } kRows[] = {
        {{"JP"}, 14, low5},
        {{"AU", "CN", "HK", "KR", "RU", "NZ", "SG"}, 13, join(low5, high5)},
        {{"BR", "CA", "US"}, 11, join(low5, high5)},
        {{"ID", "TW"}, 13, high5},
        {{}, 13, low5},
    };
    for (int region = -1; region < static_cast<int>(Regions().size()); ++region) {
        const std::string code = RegionCode(region);
        const Row* row = &kRows[std::size(kRows) - 1];
        for (const Row& r : kRows) {
            if (std::find(r.regions.begin(), r.regions.end(), code) != r.regions.end())
                row = &r;
        }
        std::vector<int> band24;
        for (int c = 1; c <= row->last24; ++c)
            band24.push_back(c);
        EXPECT_EQ(Channels(region, -1), band24) << code << " with no band";
        EXPECT_EQ(Channels(region, 0), band24) << code << " on 2.4Ghz";
        EXPECT_EQ(Channels(region, 1), row->band5) << code << " on 5Ghz";
        EXPECT_EQ(Channels(region, 2), join(band24, row->band5)) << code << " on Auto";
    }
}

TEST(Page1Codes, UnknownOnesFallBack) {
    EXPECT_EQ(BandIndex('9'), 2);
    EXPECT_EQ(BandIndex(0), 2);
    EXPECT_EQ(RegionCode(46), "");
    for (const char* code : {"XX", "K", "KRX"})
        EXPECT_EQ(RegionIndex(code), -1) << code;
    EXPECT_EQ(Channels(-1, -1), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}))
        << "no region, no band";
    EXPECT_EQ(Channels(-1, 1), (std::vector<int>{36, 40, 44, 48}));
}

}  // namespace
}  // namespace page1
