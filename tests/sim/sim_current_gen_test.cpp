// The current-generation family of the simulated printer: frames, store, quoting, faults, streams.
#include "sim/sim_current_gen.h"

#include <gtest/gtest.h>

#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "sim/sim_printer.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::string_literals;

// ESC '~' and then the bytes of `rest`.
Bytes Esc(const std::string& rest) {
    Bytes b = {0x1B, 0x7E};
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string Text(const Bytes& b) {
    return std::string(b.begin(), b.end());
}

struct Sent {
    Bytes bytes;
    unsigned delayMs;
};

struct Rig {
    explicit Rig(uint8_t model = '5')
        : printer(model,
                  [this](Bytes b, unsigned d) {
                      sent.push_back({std::move(b), d});
                  }),
          gen(printer.ProtocolAs<CSimCurrentGen>()) {}
    void Feed(const Bytes& b) { printer.Receive(b.data(), b.size()); }
    // Feeds a request and returns what was sent for it, all parts joined.
    Bytes Ask(const Bytes& request) {
        const size_t before = sent.size();
        Feed(request);
        Bytes out;
        for (size_t i = before; i < sent.size(); ++i)
            out = Cat(out, sent[i].bytes);
        return out;
    }
    // The value of a successful R reply.
    std::string Read(uint8_t item) {
        const Bytes reply = Ask({0x1B, 0x7E, 'R', item});
        if (reply.size() < 6 || reply[4] != '@')
            return "<refused>";
        return Text(Bytes(reply.begin() + 5, reply.end() - 1));
    }
    // Several values, each followed by '|'.
    std::string ReadAll(std::initializer_list<uint8_t> items) {
        std::string out;
        for (uint8_t item : items)
            out += Read(item) + "|";
        return out;
    }
    std::string Query(char letter) {
        const Bytes reply = Ask({0x1B, 0x7E, static_cast<uint8_t>(letter), '?'});
        return reply.size() < 5 ? "<none>" : Text(Bytes(reply.begin() + 4, reply.end() - 1));
    }
    std::vector<Sent> sent;
    CSimPrinter printer;
    CSimCurrentGen* gen;
};

std::string Dump(const SimCurrentGenSettings& s) {
    std::string out;
    for (const std::string* v :
         {&s.version, &s.mac,       &s.mode,   &s.ssid,   &s.port, &s.channel, &s.security,
          &s.cipher,  &s.wepIndex,  &s.wepKey, &s.wpaKey, &s.band, &s.region,  &s.apIp,
          &s.apMask,  &s.apGateway, &s.dhcp,   &s.ip,     &s.mask, &s.gateway, &s.dns})
        out += *v + "|";
    return out;
}

TEST(SimCurrentGen, ModelsFiveAndSevenSpeakItOthersDoNot) {
    for (uint8_t model : {'5', '7'}) {
        Rig rig(model);
        ASSERT_NE(rig.gen, nullptr);
        EXPECT_EQ(rig.Ask(Esc("R ")), Esc("R @V1.04\0"s));
        EXPECT_EQ(rig.sent.back().delayMs, 20u);
    }
    for (uint8_t model : {'3', '4', '9'}) {
        Rig rig(model);
        EXPECT_EQ(rig.gen, nullptr);
        EXPECT_TRUE(rig.Ask(Esc("R ")).empty());
    }
    Rig rig;
    rig.printer.SetReplyDelay(300);
    rig.Feed(Esc("Q?"));
    EXPECT_EQ(rig.sent.back().delayMs, 300u);
}

TEST(SimCurrentGen, ReadsAndQueriesAnswerByteExact) {
    const struct {
        Bytes request;
        Bytes reply;
    } kCases[] = {
        {Esc("R "), Esc("R @V1.04\0"s)},
        {Esc("R!"), Esc("R!@00:1A:2B:3C:4D:5E\0"s)},
        {Esc("R\x02"), Esc("R\x02@2\0"s)},
        {Esc("R\0"s), Esc("R\0@Printer-AP\0"s)},
        {Esc("Rj"), Esc("Rj@9100\0"s)},
        {Esc("R\x01"), Esc("R\x01@6\0"s)},
        {Esc("R\x03"), Esc("R\x03@0\0"s)},
        {Esc("R\x04"), Esc("R\x04@0\0"s)},
        {Esc("R\x08"), Esc("R\x08@1\0"s)},
        {Esc("R\x06"), Esc("R\x06@null\0"s)},
        {Esc("R\x07"), Esc("R\x07@null\0"s)},
        // Items this family does not know.
        {Esc("R\x05"), Esc("R\x05"
                           "E\0"s)},
        {Esc("R\xFF"), Esc("R\xFF"
                           "E\0"s)},
        {Esc("RA"), Esc("RAE\0"s)},
        {Esc("Q?"), Esc("Q?7\0"s)},
        {Esc("C?"), Esc("C?KR\0"s)},
        {Esc("H?"), Esc("H?192.168.10.1 255.255.255.0 192.168.10.1\0"s)},
        {Esc("B?"), Esc("B?1 192.168.1.100 255.255.255.0 192.168.1.1 192.168.1.1\0"s)},
    };
    Rig rig;
    for (const auto& c : kCases)
        EXPECT_EQ(rig.Ask(c.request), c.reply) << Text(c.request);
    EXPECT_EQ(rig.gen->Requests().size(), std::size(kCases));
    EXPECT_EQ(rig.gen->Requests()[3], (SimRequest{'R', {0x00}}));
    EXPECT_EQ(rig.gen->Requests().back(), (SimRequest{'B', {'?'}}));
}

TEST(SimCurrentGen, WritesAreParsedAcknowledgedAndReadBack) {
    Rig rig;
    const struct {
        Bytes request;
        Bytes reply;
    } kWrites[] = {
        {Esc("Q6\0"s), Esc("Q@")},
        {Esc("Wj8080\0"s), Esc("Wj@")},
        {Esc("CJP\0"s), Esc("C@")},
        {Esc("B010.0.0.5 255.0.0.0 10.0.0.1 8.8.8.8\0"s), Esc("B@")},
        {Esc("H172.16.0.1 255.255.0.0 172.16.0.254\0"s), Esc("H@")},
        {Esc("I3 1 1\0"s), Esc("I@")},
        {Esc("F2 abcde\0"s), Esc("F@")},
        {Esc("Gpassword1\0"s), Esc("G@")},
        {Esc("Moffice\0"s), Esc("M@")},
    };
    for (const auto& c : kWrites)
        EXPECT_EQ(rig.Ask(c.request), c.reply) << Text(c.request);
    EXPECT_EQ(rig.gen->Requests()[1], (SimRequest{'W', {'j', '8', '0', '8', '0'}}));
    EXPECT_EQ(rig.Query('Q'), "6");
    EXPECT_EQ(rig.Read('j'), "8080");
    EXPECT_EQ(rig.Query('C'), "JP");
    EXPECT_EQ(rig.Query('B'), "0 10.0.0.5 255.0.0.0 10.0.0.1 8.8.8.8");
    EXPECT_EQ(rig.Query('H'), "172.16.0.1 255.255.0.0 172.16.0.254");
    EXPECT_EQ(rig.Read(0x03), "3");
    EXPECT_EQ(rig.Read(0x04), "1");
    EXPECT_EQ(rig.Read(0x08), "2");
    EXPECT_EQ(rig.Read(0x06), "abcde");
    EXPECT_EQ(rig.Read(0x07), "password1");
    EXPECT_EQ(rig.Read(0x00), "office");
    EXPECT_EQ(rig.Read(0x02), "0");

    // DHCP keeps the fixed addresses for a later switch back.
    EXPECT_EQ(rig.Ask(Esc("B1\0"s)), Esc("B@"));
    EXPECT_EQ(rig.Query('B'), "1 10.0.0.5 255.0.0.0 10.0.0.1 8.8.8.8");

    // Access Point with WPA, then with None (the WPA key stays).
    EXPECT_EQ(rig.Ask(Esc("Eap1 11 2 0 0 secret99\0"s)), Esc("E@"));
    EXPECT_EQ(rig.ReadAll({0x00, 0x01, 0x02, 0x03, 0x04}), "ap1|11|2|2|0|");
    EXPECT_EQ(rig.Read(0x07), "secret99");
    EXPECT_EQ(rig.Ask(Esc("Eap2 36\0"s)), Esc("E@"));
    EXPECT_EQ(rig.ReadAll({0x00, 0x01, 0x02, 0x03, 0x07}), "ap2|36|2|0|secret99|");

    // D joins a network: without a key the WPA key stays, with one it is replaced.
    EXPECT_EQ(rig.Ask(Esc("Dhome\0"s)), Esc("D@"));
    EXPECT_EQ(rig.ReadAll({0x00, 0x02, 0x07}), "home|0|secret99|");
    EXPECT_EQ(rig.Ask(Esc("Dcafe key12345\0"s)), Esc("D@"));
    const Bytes payload = {'c', 'a', 'f', 'e', ' ', 'k', 'e', 'y', '1', '2', '3', '4', '5'};
    EXPECT_EQ(rig.gen->Requests().back(), (SimRequest{'D', payload}));
    EXPECT_EQ(rig.ReadAll({0x00, 0x07}), "cafe|key12345|");
}

TEST(SimCurrentGen, PresetsAndFactoryReset) {
    Rig rig;
    EXPECT_TRUE(rig.gen->SetItem("ssid", "Office"));
    EXPECT_TRUE(rig.gen->SetItem("band", "9"));  // presets may leave the usual sets
    EXPECT_TRUE(rig.gen->SetItem("version", "V2.00"));
    EXPECT_TRUE(rig.gen->SetItem("dns", "1.1.1.1"));
    EXPECT_FALSE(rig.gen->SetItem("colour", "red"));
    rig.gen->Settings().region = "US";
    EXPECT_EQ(rig.Read(0x00), "Office");
    EXPECT_EQ(rig.Query('Q'), "9");
    EXPECT_EQ(rig.Query('C'), "US");

    EXPECT_EQ(rig.Ask(Esc("O0")), Esc("O@"));
    SimCurrentGenSettings want;
    want.version = "V2.00";
    EXPECT_EQ(Dump(rig.gen->Settings()), Dump(want));
    EXPECT_EQ(rig.Ask(Esc("O1")), Esc("OE"));
}

TEST(SimCurrentGen, QuotedTextsAreUnquotedRawTextsKept) {
    const struct {
        Bytes request;
        uint8_t item;
        std::string stored;
    } kCases[] = {
        {Esc("M\"my net\"\0"s), 0x00, "my net"},
        {Esc("M\"x y/\"z\"\0"s), 0x00, "x y\"z"},
        {Esc("M\"a//b=c\"\0"s), 0x00, "a/b=c"},
        {Esc("Ma/b\0"s), 0x00, "a/b"},
        {Esc("Ma\"b\0"s), 0x00, "a\"b"},
        {Esc("G\"/\"pass word\"\0"s), 0x07, "\"pass word"},
        {Esc("Gpass,word=\0"s), 0x07, "pass,word="},
        {Esc("F3 \"a b,c\"\0"s), 0x06, "a b,c"},
        {Esc("F4 ab/cd\0"s), 0x06, "ab/cd"},
        {Esc("E\"my ap\" 1 3 1 1 \"k=y /\"1234\"\0"s), 0x07, "k=y \"1234"},
        {Esc("E\"my ap\" 1 3 1 1 \"k=y /\"1234\"\0"s), 0x00, "my ap"},
        {Esc("Ea,b 6\0"s), 0x00, "a,b"},
        {Esc("D\"a=b\" \"c d e f\"\0"s), 0x00, "a=b"},
        {Esc("D\"a=b\" \"c d e f\"\0"s), 0x07, "c d e f"},
        {Esc("D\"/\"\" raw,key\0"s), 0x07, "raw,key"},
    };
    for (const auto& c : kCases) {
        Rig rig;
        const Bytes reply = rig.Ask(c.request);
        ASSERT_EQ(reply.size(), 4u);
        EXPECT_EQ(reply[3], '@') << Text(c.request);
        EXPECT_EQ(rig.Read(c.item), c.stored) << Text(c.request);
    }
}

TEST(SimCurrentGen, HexWepKeyBytesAreStoredAsBytes) {
    // A key may hold ESC '~' and even the start of an identification request.
    Rig rig;
    const Bytes key = {0xAB, 0x1B, 0x7E, 0x52, 0x20, 0x1B, 0xFF, 0x22, 0x01};
    EXPECT_EQ(rig.Ask(Cat(Cat(Esc("F1 "), key), {0x00})), Esc("F@"));
    EXPECT_EQ(rig.Read(0x06), Text(key));
    EXPECT_EQ(rig.gen->Requests().size(), 2u);
    // A key that begins like a quoted text but is not one is also kept as it is.
    EXPECT_EQ(rig.Ask(Esc("F2 \"ab/c\0"s)), Esc("F@"));
    EXPECT_EQ(rig.Read(0x06), "\"ab/c");
    EXPECT_EQ(rig.printer.IdentifyCount(), 0);
}

TEST(SimCurrentGen, BadPayloadsAreRefusedAndChangeNothing) {
    const Bytes kCases[] = {
        Esc("Q9\0"s),
        Esc("Q77\0"s),
        Esc("Q\0"s),
        Esc("Wx80\0"s),
        Esc("Wj\0"s),
        Esc("Wj123456\0"s),
        Esc("Wj70000\0"s),
        Esc("Wj0\0"s),
        Esc("Wj12a\0"s),
        Esc("CXX\0"s),
        Esc("Ckr\0"s),
        Esc("CKRX\0"s),
        Esc("B2\0"s),
        Esc("B01.2.3.4 1.2.3.4 1.2.3.4\0"s),
        Esc("B0 1.2.3.4 1.2.3.4 1.2.3.4 1.2.3.4\0"s),
        Esc("B01.2.3.256 1.2.3.4 1.2.3.4 1.2.3.4\0"s),
        Esc("B01.2.3 1.2.3.4 1.2.3.4 1.2.3.4\0"s),
        Esc("B11.2.3.4 1.2.3.4 1.2.3.4 1.2.3.4\0"s),
        Esc("H1.2.3.4 1.2.3.4\0"s),
        Esc("H1.2.3.4  1.2.3.4 1.2.3.4\0"s),
        Esc("Ha.b.c.d 1.2.3.4 1.2.3.4\0"s),
        Esc("I4 0 0\0"s),
        Esc("I2 0 1\0"s),
        Esc("I2 2 2\0"s),
        Esc("I2 0\0"s),
        Esc("I20 0 0\0"s),
        Esc("F5 abcde\0"s),
        Esc("F1abcde\0"s),
        Esc("F1\0"s),
        Esc("F\0"s),
        Esc("Gshort\0"s),
        Esc("G\"unterminated\0"s),
        Esc("G\"bad/escape\"\0"s),
        Esc("M\0"s),
        Esc("M" + std::string(33, 'x') + "\0"s),
        Esc("M\"ab\"c\0"s),
        Esc("Eap\0"s),
        Esc("Eap \0"s),
        Esc("Eap x6\0"s),
        Esc("Eap 6 1 0 0 abcdefgh\0"s),
        Esc("Eap 6 2 0 1 abcdefgh\0"s),
        Esc("Eap 6 2 0 0 short\0"s),
        Esc("Eap 6 2 0 0\0"s),
        Esc("D\0"s),
        Esc("Dab \0"s),
        Esc("Da b c\0"s),
    };
    for (const Bytes& request : kCases) {
        Rig rig;
        const std::string before = Dump(rig.gen->Settings());
        const Bytes reply = rig.Ask(request);
        ASSERT_EQ(reply.size(), request[2] == 'W' ? 5u : 4u) << Text(request);
        EXPECT_EQ(reply.back(), 'E') << Text(request);
        EXPECT_EQ(Dump(rig.gen->Settings()), before) << Text(request);
    }
}

TEST(SimCurrentGen, RefusedWritesAnswerTheirStatusAndChangeNothing) {
    const struct {
        uint8_t letter;
        Bytes request;
        Bytes reply;
    } kCases[] = {
        {'Q', Esc("Q2\0"s), Esc("QE")},
        {'W', Esc("Wj80\0"s), Esc("WjE")},
        {'C', Esc("CUS\0"s), Esc("CE")},
        {'B', Esc("B1\0"s), Esc("BE")},
        {'H', Esc("H1.1.1.1 1.1.1.1 1.1.1.1\0"s), Esc("HE")},
        {'I', Esc("I0 0 0\0"s), Esc("IE")},
        {'F', Esc("F1 abcde\0"s), Esc("FE")},
        {'G', Esc("Gabcdefgh\0"s), Esc("GE")},
        {'M', Esc("Mnet\0"s), Esc("ME")},
        {'E', Esc("Enet 1\0"s), Esc("EE")},
        {'D', Esc("Dnet\0"s), Esc("DE")},
        {'O', Esc("O0"), Esc("OE")},
    };
    for (const auto& c : kCases) {
        Rig rig;
        rig.gen->SetItem("dhcp", "0");
        rig.gen->Refuse(c.letter);
        const std::string before = Dump(rig.gen->Settings());
        EXPECT_EQ(rig.Ask(c.request), c.reply) << c.letter;
        EXPECT_EQ(Dump(rig.gen->Settings()), before) << c.letter;
        // Queries carry no status, so a refused letter still answers them.
        if (c.letter == 'Q') {
            EXPECT_EQ(rig.Ask(Esc("Q?")), Esc("Q?7\0"s));
        }
    }
}

TEST(SimCurrentGen, RefusedReadsAndJoinFailure) {
    Rig rig;
    rig.gen->RefuseRead(0x06);
    EXPECT_EQ(rig.Ask(Esc("R\x06")), Esc("R\x06"
                                         "E\0"s));
    EXPECT_EQ(rig.Ask(Esc("R\x07")), Esc("R\x07@null\0"s));
    rig.gen->Refuse('R');
    EXPECT_EQ(rig.Ask(Esc("R ")), Esc("R E\0"s));

    rig.gen->SetJoinFails(true);
    EXPECT_EQ(rig.Ask(Esc("Dnet key\0"s)), Esc("D\xFF"));
    EXPECT_EQ(rig.gen->Settings().ssid, "Printer-AP");
    rig.gen->SetJoinFails(false);
    EXPECT_EQ(rig.Ask(Esc("Dnet\0"s)), Esc("D@"));
}

TEST(SimCurrentGen, SilencedRequestsAreLoggedButUnansweredAndNotApplied) {
    Rig rig;
    rig.gen->Silence('Q');
    rig.gen->SilenceRead(0x21);
    EXPECT_TRUE(rig.Ask(Esc("Q?")).empty());
    EXPECT_TRUE(rig.Ask(Esc("Q2\0"s)).empty());
    EXPECT_TRUE(rig.Ask(Esc("R!")).empty());
    EXPECT_EQ(rig.Ask(Esc("R ")), Esc("R @V1.04\0"s));
    EXPECT_EQ(rig.gen->Settings().band, "7");
    const std::vector<SimRequest> want = {{'Q', {'?'}}, {'Q', {'2'}}, {'R', {'!'}}, {'R', {' '}}};
    EXPECT_EQ(rig.gen->Requests(), want);
    rig.gen->ClearRequests();
    EXPECT_TRUE(rig.gen->Requests().empty());
}

TEST(SimCurrentGen, SplitRepliesComeInTwoPartsAGapApart) {
    Rig rig;
    rig.gen->SetSplitReplies(true);
    rig.Feed(Esc("R "));
    rig.Feed(Esc("Q2\0"s));
    ASSERT_EQ(rig.sent.size(), 4u);
    EXPECT_EQ(rig.sent[0].bytes, (Bytes{0x1B, 0x7E, 'R'}));
    EXPECT_EQ(rig.sent[0].delayMs, 20u);
    EXPECT_EQ(rig.sent[1].bytes, (Bytes{' ', '@', 'V', '1', '.', '0', '4', 0x00}));
    EXPECT_EQ(rig.sent[1].delayMs, 120u);
    EXPECT_EQ(rig.sent[2].bytes, (Bytes{0x1B, 0x7E, 'Q'}));
    EXPECT_EQ(rig.sent[3].bytes, (Bytes{'@'}));
}

TEST(SimCurrentGenStream, HeaderAndPayloadInAnyPiecesOrAllInOneWrite) {
    const std::pair<Bytes, Bytes> kExchanges[] = {
        {Esc("O0"), Esc("O@")},
        {Esc("R "), Esc("R @V1.04\0"s)},
        {Esc("M\"a b\"\0"s), Esc("M@")},
        {Esc("B?"), Esc("B?1 192.168.1.100 255.255.255.0 192.168.1.1 192.168.1.1\0"s)},
        {Esc("Wj9101\0"s), Esc("Wj@")},
        {Esc("Eap 6 3 1 1 \"x y z w!\"\0"s), Esc("E@")},
    };
    Bytes stream, want;
    for (const auto& [request, reply] : kExchanges) {
        stream = Cat(stream, request);
        want = Cat(want, reply);
    }
    {
        Rig rig;
        EXPECT_EQ(rig.Ask(stream), want);
    }
    // Every cut into two writes, and one byte at a time.
    for (size_t cut = 0; cut <= stream.size(); ++cut) {
        Rig rig;
        rig.Feed(Bytes(stream.begin(), stream.begin() + cut));
        rig.Feed(Bytes(stream.begin() + cut, stream.end()));
        Bytes all;
        for (const Sent& s : rig.sent)
            all = Cat(all, s.bytes);
        EXPECT_EQ(all, want) << "cut at " << cut;
    }
    Rig rig;
    for (uint8_t b : stream)
        rig.Feed({b});
    EXPECT_EQ(rig.sent.size(), 6u);
    EXPECT_EQ(rig.Read(0x07), "x y z w!");
}

TEST(SimCurrentGenStream, EmptyFIsLoggedUnansweredAndWhatFollowsIsServed) {
    Rig rig;
    rig.Feed(Esc("F"));
    rig.Feed({});
    EXPECT_TRUE(rig.sent.empty());
    EXPECT_EQ(rig.Ask(Esc("M1\0"s)), Esc("M@"));
    // An identification request may also follow the bare header.
    rig.Feed(Esc("F"));
    EXPECT_EQ(rig.Ask({0x1B, 0x00, 0x02, 0x02}), CSimPrinter::IdentifyReply('5'));
    const std::vector<SimRequest> want = {{'F', {}}, {'M', {'1'}}};
    EXPECT_EQ(rig.gen->Requests(), want);
    EXPECT_EQ(rig.gen->Settings().wepIndex, "1");
}

TEST(SimCurrentGenStream, GarbageAndBrokenFramesAreSkipped) {
    const struct {
        Bytes input;
        std::vector<SimRequest> parsed;
    } kCases[] = {
        {{0x00, 'R', 0x7E, 0x1B, 0x1B, 0xFF, 0x1B, 0x7E, 'Z', '?', 0x00}, {}},
        {Esc("\x1B~R "), {{'R', {' '}}}},     // ESC '~' twice
        {Esc("M"), {}},                       // header only, nothing after it yet
        {Esc("Mab\x1B~R "), {{'R', {' '}}}},  // a text payload broken off by a new request
        {Esc("Mab\x1Bz\0"s), {{'M', {'a', 'b', 0x1B, 'z'}}}},  // a lone ESC is text
        {Esc("Qx\x1B\x1B~C?"), {{'C', {'?'}}}},
        {Esc("H\x1B~B?"), {{'B', {'?'}}}},
    };
    for (const auto& c : kCases) {
        Rig rig;
        rig.Feed(c.input);
        EXPECT_EQ(rig.gen->Requests(), c.parsed) << Text(c.input);
        EXPECT_EQ(rig.sent.size(), c.parsed.size()) << Text(c.input);
    }
}

TEST(SimCurrentGenStream, AnOverlongPayloadIsDroppedUnanswered) {
    Rig rig;
    rig.Feed(Esc("M" + std::string(CSimCurrentGen::kMaxPayload, 'x')));
    rig.Feed(Esc("M" + std::string(CSimCurrentGen::kMaxPayload + 10, 'y') + "\0"s));
    EXPECT_TRUE(rig.sent.empty());
    EXPECT_TRUE(rig.gen->Requests().empty());
    EXPECT_EQ(rig.Ask(Esc("R ")), Esc("R @V1.04\0"s));
}

TEST(SimCurrentGenStream, RandomStreamsNeverCrashAndTheParserRecovers) {
    std::mt19937 rng(99);
    const Bytes kPieces[] = {
        Esc(""),
        Esc("F"),
        Esc("R"),
        Esc("Q"),
        Esc("M\"a"),
        Esc("E"),
        {0x1B, 0x00, 0x02, 0x02},
        {'/'},
        {'"'},
        {' '},
        {'?'},
        {0x00},
        {0x1B},
        {0x7E},
        {0xFF},
        Esc("Wj1\0"s),
        Esc("B1\0"s),
    };
    for (int round = 0; round < 200; ++round) {
        Rig rig(round % 2 ? '5' : '7');
        rig.gen->SetSplitReplies(round % 3 == 0);
        Bytes stream;
        for (int i = 0; i < 400; ++i) {
            if (rng() % 4 == 0)
                stream.push_back(static_cast<uint8_t>(rng()));
            else
                stream = Cat(stream, kPieces[rng() % std::size(kPieces)]);
        }
        for (size_t at = 0; at < stream.size();) {
            const size_t n = std::min<size_t>(rng() % 17, stream.size() - at);
            rig.printer.Receive(stream.data() + at, n);
            at += n;
        }
        for (const Sent& s : rig.sent)
            ASSERT_FALSE(s.bytes.empty());
        // Zero bytes end whatever frame is open; a request after them is served.
        rig.gen->SetSplitReplies(false);
        rig.Feed({0x00, 0x00, 0x00});
        const Bytes reply = rig.Ask(Esc("R!"));
        EXPECT_EQ(reply, Esc("R!@00:1A:2B:3C:4D:5E\0"s)) << "round " << round;
    }
}

}  // namespace
