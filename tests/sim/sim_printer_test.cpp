// The simulated printer in process: identification, stream parsing, the current-generation family.
#include "sim/sim_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "sim/sim_current_gen.h"
#include "tests/sim/sim_rig.h"

namespace {

using namespace std::string_literals;

struct Rig : SimRig<CSimCurrentGen> {
    explicit Rig(uint8_t model = '5') : SimRig(model), gen(family) {}
    CSimCurrentGen* gen;
};

// Records what the core passes on to the family protocol.
struct Recorder : CSimProtocol {
    void OnByte(uint8_t byte, const SimSendFn&) override { seen.push_back(byte); }
    bool InFrame() const override { return false; }
    Bytes seen;
};

TEST(SimIdentify, RepliesByteExactPerModelAndFaultModeWithTheirDelays) {
    using M = IdentifyMode;
    const struct {
        uint8_t model;
        IdentifyMode mode;
        unsigned delayMs;
        std::vector<Sent> want;
    } kCases[] = {
        {'3', M::kNormal, 20, {{{0x1B, 0x00, 0x02, 0x02, 0x00, '3', 0x0D, 0x0A}, 20}}},
        {'4', M::kNormal, 20, {{{0x1B, 0x00, 0x02, 0x02, 0x00, '4', 0x0D, 0x0A}, 20}}},
        {'5', M::kNormal, 20, {{{0x1B, 0x00, 0x02, 0x02, 0x00, '5', 0x0D, 0x0A}, 20}}},
        {0xFF, M::kNormal, 20, {{{0x1B, 0x00, 0x02, 0x02, 0x00, 0xFF, 0x0D, 0x0A}, 20}}},
        {'7', M::kNormal, 250, {{{0x1B, 0x00, 0x02, 0x02, 0x00, '7', 0x0D, 0x0A}, 250}}},
        {'7', M::kSilent, 20, {}},
        {'7', M::kOneByte, 20, {{{0x1B}, 20}}},
        {'7', M::kTwoBytes, 20, {{{0x1B, 0x00}, 20}}},
        {'7', M::kShort3, 20, {{{0x1B, 0x00, 0x02}, 20}}},
        {'7', M::kShort4, 20, {{{0x1B, 0x00, 0x02, 0x02}, 20}}},
        {'7', M::kShort5, 20, {{{0x1B, 0x00, 0x02, 0x02, 0x00}, 20}}},
        {'7', M::kUnknownModel, 20, {{{0x1B, 0x00, 0x02, 0x02, 0x00, '9', 0x0D, 0x0A}, 20}}},
        {'7',
         M::kSplit,
         250,
         {{{0x1B, 0x00, 0x02, 0x02, 0x00}, 250}, {{'7', 0x0D, 0x0A}, 250 + kSimSplitGapMs}}},
    };
    for (const auto& c : kCases) {
        Rig rig(c.model);
        rig.printer.SetIdentifyMode(c.mode);
        if (c.delayMs != 20)
            rig.printer.SetReplyDelay(c.delayMs);
        rig.Feed(kIdentify);
        EXPECT_EQ(rig.sent, c.want) << "model " << c.model << " mode " << static_cast<int>(c.mode);
    }
}

TEST(SimIdentify, RequestsSplitOverCallsSeveralInOneCallOrAfterGarbage) {
    Rig rig;
    for (uint8_t byte : kIdentify) {
        EXPECT_TRUE(rig.sent.empty());
        rig.Feed({byte});
    }
    EXPECT_EQ(rig.sent.size(), 1u);
    rig.Feed(Cat(kIdentify, Cat(kIdentify, kIdentify)));
    EXPECT_EQ(rig.sent.size(), 4u);

    // Garbage and broken requests reach the family protocol; the request after them is answered.
    const Bytes kGarbage[] = {{0xFF, 0x00, 0x02, 0x02},
                              {0x1B},
                              {0x1B, 0x00},
                              {0x1B, 0x00, 0x02},
                              {0x1B, 0x00, 0x02, 0x03},
                              {0x1B, 0x7E, 'A', 0x1B, 0x1B}};
    for (const Bytes& garbage : kGarbage) {
        Rig other('4');
        other.printer.SetProtocol(std::make_unique<Recorder>());
        other.Feed(Cat(garbage, kIdentify));
        EXPECT_EQ(other.sent, (std::vector<Sent>{{CSimPrinter::IdentifyReply('4'), 20}}));
        EXPECT_EQ(other.printer.ProtocolAs<Recorder>()->seen, garbage);
    }
}

TEST(SimCurrentGen, EveryRequestKindByteExactAndTheStoreReadsBack) {
    const struct {
        std::string request, reply;  // each after ESC '~'
    } kSession[] = {
        // The preset and an item this family does not know.
        {"R ", "R @V2.00\0"s},
        {"RA", "RAE\0"s},
        // Each write, then what it stored.
        {"Q6\0"s, "Q@"},
        {"Q?", "Q?6\0"s},
        {"Wj8080\0"s, "Wj@"},
        {"Rj", "Rj@8080\0"s},
        {"CJP\0"s, "C@"},
        {"C?", "C?JP\0"s},
        {"B010.0.0.5 255.0.0.0 10.0.0.1 8.8.8.8\0"s, "B@"},
        {"B1\0"s, "B@"},  // DHCP keeps the fixed addresses
        {"B?", "B?1 10.0.0.5 255.0.0.0 10.0.0.1 8.8.8.8\0"s},
        {"H172.16.0.1 255.255.0.0 172.16.0.254\0"s, "H@"},
        {"H?", "H?172.16.0.1 255.255.0.0 172.16.0.254\0"s},
        {"I3 1 1\0"s, "I@"},
        {"R\x03", "R\x03@3\0"s},
        {"R\x04", "R\x04@1\0"s},
        {"F2 abcde\0"s, "F@"},
        {"R\x08", "R\x08@2\0"s},
        {"R\x06", "R\x06@abcde\0"s},
        {"Gpassword1\0"s, "G@"},
        {"R\x07", "R\x07@password1\0"s},
        {"Moffice\0"s, "M@"},
        {"R\0"s, "R\0@office\0"s},
        {"Eap1 11 2 0 0 secret99\0"s, "E@"},
        {"R\x01", "R\x01@11\0"s},
        {"R\x02", "R\x02@2\0"s},
        {"Dcafe key12345\0"s, "D@"},
        {"R\0"s, "R\0@cafe\0"s},
        {"R\x07", "R\x07@key12345\0"s},
        // Bad values are refused and change nothing.
        {"Q9\0"s, "QE"},
        {"Wj70000\0"s, "WjE"},
        {"Gshort\0"s, "GE"},
        {"M" + std::string(33, 'x') + "\0"s, "ME"},
        {"R\x07", "R\x07@key12345\0"s},
        // The factory reset keeps only the identity.
        {"O1", "OE"},
        {"O0", "O@"},
        {"R ", "R @V2.00\0"s},
        {"R\0"s, "R\0@Printer-AP\0"s},
        {"Q?", "Q?7\0"s},
    };
    Bytes stream, replies;
    Rig rig;
    rig.gen->SetItem("version", "V2.00");
    rig.printer.SetReplyDelay(35);
    for (const auto& c : kSession) {
        EXPECT_EQ(rig.Ask(Esc(c.request)), Esc(c.reply)) << c.request;
        stream = Cat(stream, Esc(c.request));
        replies = Cat(replies, Esc(c.reply));
    }
    for (const Sent& s : rig.sent)
        EXPECT_EQ(s.delayMs, 35u);

    // The same session a byte at a time, in pieces, or all in one call.
    for (size_t piece : {size_t{1}, size_t{7}, stream.size()}) {
        Rig again;
        again.gen->SetItem("version", "V2.00");
        Bytes got;
        for (size_t at = 0; at < stream.size(); at += piece) {
            const auto from = stream.begin() + static_cast<std::ptrdiff_t>(at);
            got = Cat(got, again.Ask(Bytes(from, from + std::min(piece, stream.size() - at))));
        }
        EXPECT_EQ(got, replies) << "pieces of " << piece;
    }
    Rig other('4');
    EXPECT_EQ(other.gen, nullptr);
}

TEST(SimCurrentGen, QuotedTextsAreUnquotedRawTextsKept) {
    const struct {
        std::string request;  // after ESC '~'
        uint8_t item;
        std::string stored;
    } kCases[] = {
        {"M\"my net\"\0"s, 0x00, "my net"},
        {"M\"x y/\"z//\"\0"s, 0x00, "x y\"z/"},
        {"Ma/b\"c\0"s, 0x00, "a/b\"c"},
        {"G\"/\"pass word\"\0"s, 0x07, "\"pass word"},
        {"F3 \"a b,c\"\0"s, 0x06, "a b,c"},
        {"E\"my ap\" 1 3 1 1 \"k=y /\"1234\"\0"s, 0x07, "k=y \"1234"},
        {"D\"a=b\" \"c /\"d\"\0"s, 0x07, "c \"d"},
        // A hex key comes as raw bytes, ESC among them; ESC and the closing 00 start no request.
        {"F1 \xAB\x1B~R \x1B\0"s, 0x06, "\xAB\x1B~R \x1B"},
    };
    for (const auto& c : kCases) {
        Rig rig;
        EXPECT_EQ(rig.Ask(Esc(c.request)), Esc(c.request.substr(0, 1) + "@")) << c.request;
        const std::string want = "R"s + static_cast<char>(c.item) + "@" + c.stored + "\0"s;
        EXPECT_EQ(rig.Ask(Esc("R"s + static_cast<char>(c.item))), Esc(want)) << c.request;
    }
}

TEST(SimCurrentGen, FaultsRefuseSilenceFailTheJoinOrSplitAndChangeNothing) {
    Rig rig;
    rig.gen->Refuse('Q');
    rig.gen->RefuseRead('j');
    rig.gen->Silence('C');
    rig.gen->SetJoinFails(true);
    EXPECT_EQ(rig.Ask(Esc("Q2\0"s)), Esc("QE"));
    EXPECT_EQ(rig.Ask(Esc("Q?")), Esc("Q?7\0"s));  // a query carries no status
    EXPECT_EQ(rig.Ask(Esc("Rj")), Esc("RjE\0"s));
    EXPECT_EQ(rig.Ask(Esc("R\x07")), Esc("R\x07@null\0"s));
    EXPECT_EQ(rig.Ask(Esc("CUS\0"s)), Bytes{});
    EXPECT_EQ(rig.Ask(Esc("Dnet key12345\0"s)), Esc("D\xFF"));
    EXPECT_EQ(rig.gen->Settings().region, "KR");
    EXPECT_EQ(rig.gen->Settings().ssid, "Printer-AP");

    rig.gen->SetSplitReplies(true);
    rig.sent.clear();
    rig.Feed(Esc("R "));
    const std::vector<Sent> want = {{Esc("R @V1"), 20}, {{'.', '0', '4', 0}, 20 + kSimSplitGapMs}};
    EXPECT_EQ(rig.sent, want);
}

// Printers end query and read replies with bytes of their own choosing, a read's with none at all.
TEST(SimCurrentGen, QueryAndReadRepliesEndWithTheBytesSet) {
    const struct {
        std::string queryEnd, readEnd;
    } kCases[] = {{"\r\n", ""}, {"\xFF", "\0\r\n"s}, {"A", "\n"}};
    for (const auto& c : kCases) {
        Rig rig;
        rig.gen->SetQueryEnd(Bytes(c.queryEnd.begin(), c.queryEnd.end()));
        rig.gen->SetReadEnd(Bytes(c.readEnd.begin(), c.readEnd.end()));
        EXPECT_EQ(rig.Ask(Esc("Q?")), Esc("Q?7" + c.queryEnd)) << c.queryEnd;
        EXPECT_EQ(rig.Ask(Esc("C?")), Esc("C?KR" + c.queryEnd)) << c.queryEnd;
        EXPECT_EQ(rig.Ask(Esc("R\x6A")), Esc("R\x6A@9100" + c.readEnd)) << c.readEnd;
        EXPECT_EQ(rig.Ask(Esc("RA")), Esc("RAE" + c.readEnd)) << c.readEnd;
    }
}

// printer-sim --split: every family's replies, the identification's included, come in two parts
// that join to the whole reply, cut past the head.
TEST(SimSplit, EveryFamilysReplyComesInTwoPartsCutInsideItsPayload) {
    const struct {
        uint8_t model;
        Bytes request;
        size_t cut;
    } kCases[] = {
        {'5', kIdentify, 5},      // the model character comes late
        {'5', Esc("R\0"s), 9},    // ESC ~ R 00 @ Prin | ter-AP 00
        {'4', Esc("R\x11"), 10},  // ESC ~ R 0 00 ssid= | Office 00 00
        {'4', Esc("V"), 13},      // the version text comes late
        {'3', Esc("R\x21"), 19},  // inside the 32-byte SSID record
        {'3', Esc("S"), 2},       // the letter comes late
    };
    for (const auto& c : kCases) {
        Rig whole(c.model), split(c.model);
        split.printer.SetSplitReplies(true);
        const Bytes reply = whole.Ask(c.request);
        split.Feed(c.request);
        const auto cut = reply.begin() + static_cast<std::ptrdiff_t>(c.cut);
        const std::vector<Sent> want = {
            {Bytes(reply.begin(), cut), 20},
            {Bytes(cut, reply.end()), 20 + CSimCurrentGen::kSplitGapMs}};
        EXPECT_EQ(split.sent, want) << c.model << " " << c.request.size();
    }
}

TEST(SimCurrentGen, EmptyFAndOverlongPayloadGoUnansweredAndWhatFollowsIsServed) {
    Rig rig;
    rig.Feed(Esc("M" + std::string(CSimCurrentGen::kMaxPayload + 1, 'x') + "\0"s));
    rig.Feed(Esc("F"));
    EXPECT_TRUE(rig.sent.empty());
    EXPECT_EQ(rig.Ask(Esc("M1\0"s)), Esc("M@"));
    rig.Feed(Esc("F"));
    EXPECT_EQ(rig.Ask(kIdentify), CSimPrinter::IdentifyReply('5'));
    const std::vector<SimRequest> want = {{'F', {}}, {'M', {'1'}}};
    EXPECT_EQ(rig.gen->Requests(), want);
}

TEST(SimCurrentGen, RandomStreamsNeverCrashAndTheParserRecovers) {
    std::mt19937 rng(99);
    const std::string kPieces[] = {
        "\x1B~", "\x1B~F", "\x1B~R", "\x1B~Q", "\x1B~M\"a", "\x1B\x00\x02\x02"s, "/", "\"",
        " ",     "?",      "\0"s,    "\x1B",   "~",         "\x1B~Wj1\0"s,
    };
    for (int round = 0; round < 60; ++round) {
        Rig rig(round % 2 ? '5' : '7');
        rig.gen->SetSplitReplies(round % 3 == 0);
        std::string text;
        for (int i = 0; i < 300; ++i)
            text += rng() % 4 ? kPieces[rng() % std::size(kPieces)]
                              : std::string(1, static_cast<char>(rng()));
        const Bytes stream(text.begin(), text.end());
        for (size_t at = 0, n = 0; at < stream.size(); at += n) {
            n = std::min<size_t>(rng() % 17, stream.size() - at);
            rig.printer.Receive(stream.data() + at, n);
        }
        // Zero bytes end whatever frame is open; a request after them is served.
        rig.gen->SetSplitReplies(false);
        rig.Feed({0x00, 0x00, 0x00});
        EXPECT_EQ(rig.Ask(Esc("R!")), Esc("R!@00:1A:2B:3C:4D:5E\0"s)) << "round " << round;
    }
}

}  // namespace
