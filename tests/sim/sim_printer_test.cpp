// The simulated printer's core: identification replies byte-exact with delays, stream parsing.
#include "sim/sim_printer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Sent {
    Bytes bytes;
    unsigned delayMs;
    bool operator==(const Sent& o) const { return bytes == o.bytes && delayMs == o.delayMs; }
};

void PrintTo(const Sent& s, std::ostream* os) {
    *os << "{";
    for (uint8_t b : s.bytes)
        *os << std::hex << static_cast<int>(b) << " ";
    *os << "@" << std::dec << s.delayMs << "ms}";
}

const Bytes kRequest = {0x1B, 0x00, 0x02, 0x02};

// A printer whose sends are recorded instead of delivered.
struct Rig {
    explicit Rig(uint8_t model = '5')
        : printer(model, [this](Bytes b, unsigned d) {
              sent.push_back({std::move(b), d});
          }) {}
    void Feed(const Bytes& b) { printer.Receive(b.data(), b.size()); }
    std::vector<Sent> sent;
    CSimPrinter printer;
};

// A family protocol that records what the core hands it; in a frame for `frameLength` bytes after
// each 0x7E.
class RecordingProtocol : public CSimProtocol {
  public:
    RecordingProtocol(Bytes* seen, size_t frameLength) : seen_(seen), frameLength_(frameLength) {}
    void OnByte(uint8_t byte, const SimSendFn&) override {
        seen_->push_back(byte);
        if (left_ > 0)
            --left_;
        else if (byte == 0x7E)
            left_ = frameLength_;
    }
    bool InFrame() const override { return left_ > 0; }

  private:
    Bytes* seen_;
    size_t frameLength_;
    size_t left_ = 0;
};

TEST(SimIdentify, ModelsGetTheFullReplyAfterTheDelay) {
    // The known models, and any other byte for the utility's unknown-model case.
    for (uint8_t model : {'3', '4', '5', '7', '\0', '\xFF'}) {
        Rig rig(model);
        rig.Feed(kRequest);
        const std::vector<Sent> want = {{{0x1B, 0x00, 0x02, 0x02, 0x00, model, 0x0D, 0x0A}, 20}};
        EXPECT_EQ(rig.sent, want) << "model " << model;
        EXPECT_EQ(rig.printer.IdentifyCount(), 1);
    }
}

TEST(SimIdentify, FaultModesAnswerByteExact) {
    const struct {
        IdentifyMode mode;
        std::vector<Sent> want;
    } kCases[] = {
        {IdentifyMode::kSilent, {}},
        {IdentifyMode::kOneByte, {{{0x1B}, 20}}},
        {IdentifyMode::kTwoBytes, {{{0x1B, 0x00}, 20}}},
        {IdentifyMode::kShort3, {{{0x1B, 0x00, 0x02}, 20}}},
        {IdentifyMode::kShort4, {{{0x1B, 0x00, 0x02, 0x02}, 20}}},
        {IdentifyMode::kShort5, {{{0x1B, 0x00, 0x02, 0x02, 0x00}, 20}}},
        {IdentifyMode::kUnknownModel, {{{0x1B, 0x00, 0x02, 0x02, 0x00, '9', 0x0D, 0x0A}, 20}}},
        {IdentifyMode::kSplit, {{{0x1B, 0x00, 0x02}, 20}, {{0x02, 0x00, '7', 0x0D, 0x0A}, 120}}},
    };
    for (const auto& c : kCases) {
        Rig rig('7');
        rig.printer.SetIdentifyMode(c.mode);
        rig.Feed(kRequest);
        EXPECT_EQ(rig.sent, c.want) << "mode " << static_cast<int>(c.mode);
    }
}

TEST(SimIdentify, DelayIsConfigurableAndTheSplitGapFollowsIt) {
    Rig rig('3');
    rig.printer.SetReplyDelay(250);
    rig.Feed(kRequest);
    rig.printer.SetIdentifyMode(IdentifyMode::kSplit);
    rig.Feed(kRequest);
    ASSERT_EQ(rig.sent.size(), 3u);
    EXPECT_EQ(rig.sent[0].delayMs, 250u);
    EXPECT_EQ(rig.sent[1].delayMs, 250u);
    EXPECT_EQ(rig.sent[2].delayMs, 350u);
}

TEST(SimStream, RequestSplitOverCallsIsAnsweredOnItsLastByte) {
    Rig rig;
    for (size_t i = 0; i < 3; ++i) {
        rig.printer.Receive(&kRequest[i], 1);
        EXPECT_TRUE(rig.sent.empty()) << "after byte " << i;
    }
    rig.printer.Receive(&kRequest[3], 1);
    EXPECT_EQ(rig.sent.size(), 1u);

    rig.Feed({0x1B, 0x00});
    rig.printer.Receive(nullptr, 0);
    rig.Feed({});
    rig.Feed({0x02, 0x02});
    EXPECT_EQ(rig.sent.size(), 2u);
}

TEST(SimStream, SeveralRequestsInOneCallEachGetAReply) {
    Rig rig;
    Bytes three;
    for (int i = 0; i < 3; ++i)
        three.insert(three.end(), kRequest.begin(), kRequest.end());
    rig.Feed(three);
    EXPECT_EQ(rig.sent.size(), 3u);
    EXPECT_EQ(rig.printer.IdentifyCount(), 3);
}

TEST(SimStream, GarbageAndBrokenRequestsBeforeARealOne) {
    const Bytes kCases[] = {
        {0xFF, 0x00, 0x02, 0x02, 0x1B, 0x00, 0x02, 0x02},
        {0x1B, 0x1B, 0x00, 0x02, 0x02},
        {0x1B, 0x00, 0x1B, 0x00, 0x02, 0x02},
        {0x1B, 0x00, 0x02, 0x1B, 0x00, 0x02, 0x02},
        {0x1B, 0x00, 0x02, 0x03, 0x1B, 0x00, 0x02, 0x02},
        {0x1B, 0x7E, 'A', 0x1B, 0x00, 0x02, 0x02, 0x1B},
    };
    for (const Bytes& input : kCases) {
        Rig rig('4');
        rig.Feed(input);
        ASSERT_EQ(rig.sent.size(), 1u);
        EXPECT_EQ(rig.sent[0].bytes[5], '4');
        EXPECT_EQ(rig.printer.Received(), input);
    }
    Rig rig;
    rig.Feed({0x00, 0x02, 0x02, 0x1B, 0x02, 0x02, 0x1B, 0x00, 0x02});
    EXPECT_TRUE(rig.sent.empty());
}

TEST(SimStream, EverythingButRequestsReachesTheFamilyProtocolInOrder) {
    Rig rig;
    Bytes seen;
    rig.printer.SetProtocol(std::make_unique<RecordingProtocol>(&seen, 0));
    rig.Feed({0x41, 0x1B, 0x00, 0x02, 0x1B});
    rig.Feed({0x00, 0x02, 0x02, 0x1B, 0x7E, 0x42, 0x1B});
    EXPECT_EQ(seen, (Bytes{0x41, 0x1B, 0x00, 0x02, 0x1B, 0x7E, 0x42}));
    EXPECT_EQ(rig.sent.size(), 1u);
    rig.Feed({0x43});  // the held ESC is released by the next byte that does not continue it
    EXPECT_EQ(seen.back(), 0x43);
    EXPECT_EQ(seen[seen.size() - 2], 0x1B);
}

TEST(SimStream, ARequestInsideAFamilyFrameIsPayload) {
    Rig rig;
    Bytes seen;
    rig.printer.SetProtocol(std::make_unique<RecordingProtocol>(&seen, 4));
    const Bytes frame = {0x1B, 0x7E, 0x1B, 0x00, 0x02, 0x02};
    rig.Feed(frame);
    EXPECT_TRUE(rig.sent.empty());
    EXPECT_EQ(seen, frame);
    rig.Feed(kRequest);  // the frame is over, so this one counts
    EXPECT_EQ(rig.sent.size(), 1u);
}

TEST(SimStream, RandomBytesNeverCrashAndEveryRequestIsFound) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 20; ++round) {
        Rig rig;
        Bytes seen;
        rig.printer.SetProtocol(std::make_unique<RecordingProtocol>(&seen, 0));
        Bytes stream;
        int requests = 0;
        for (int i = 0; i < 5000; ++i) {
            // Small alphabet so that requests and near-requests occur often.
            if (rng() % 50 == 0) {
                stream.insert(stream.end(), kRequest.begin(), kRequest.end());
            } else {
                static const uint8_t kAlphabet[] = {0x00, 0x02, 0x1B, 0x7E, 0xFF};
                stream.push_back(kAlphabet[rng() % 5]);
            }
        }
        for (size_t i = 0; i + 4 <= stream.size(); ++i)
            requests += Bytes(stream.begin() + i, stream.begin() + i + 4) == kRequest;
        for (size_t at = 0; at < stream.size();) {
            const size_t n = std::min<size_t>(rng() % 9, stream.size() - at);
            rig.printer.Receive(stream.data() + at, n);
            at += n;
        }
        rig.printer.Receive(reinterpret_cast<const uint8_t*>("!"), 1);  // releases a held tail
        EXPECT_EQ(rig.printer.IdentifyCount(), requests);
        EXPECT_EQ(seen.size(), stream.size() + 1 - 4 * static_cast<size_t>(requests));
    }
}

TEST(SimStream, ReceivedLogIsBounded) {
    Rig rig;
    const Bytes block(CSimPrinter::kLogLimit / 2 + 1, 0x55);
    rig.Feed(block);
    rig.Feed(block);
    rig.Feed(kRequest);
    EXPECT_EQ(rig.printer.Received().size(), CSimPrinter::kLogLimit);
    EXPECT_EQ(rig.sent.size(), 1u);
    rig.printer.ClearReceived();
    rig.Feed(kRequest);
    EXPECT_EQ(rig.printer.Received(), kRequest);
}

}  // namespace
