// The simulated legacy printer in process: its store, identity, replies, faults and key check.
#include "sim/sim_legacy.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sim/sim_printer.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Frame(char letter) {
    return {0x1B, 0x7E, static_cast<uint8_t>(letter)};
}
Bytes Frame(char letter, uint8_t record) {
    return {0x1B, 0x7E, static_cast<uint8_t>(letter), record};
}
const Bytes kError = {0x1B, 0x7E, '9'};

Bytes Padded(const std::string& text, size_t size) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(size, 0);
    return bytes;
}

struct Rig {
    Rig()
        : printer('3',
                  [this](Bytes b, unsigned ms) {
                      sent.push_back({std::move(b), ms});
                  }),
          legacy(printer.ProtocolAs<CSimLegacy>()) {}
    // Feeds the bytes one at a time and returns the replies they caused, each with its delay.
    std::vector<std::pair<Bytes, unsigned>> Ask(const Bytes& request) {
        sent.clear();
        for (uint8_t b : request)
            printer.Receive(&b, 1);
        return sent;
    }
    Bytes Reply(const Bytes& request) {
        const auto replies = Ask(request);
        return replies.size() == 1 ? replies[0].first : Bytes{0xEE};
    }
    // W as the page sends it: the header, then the payload.
    Bytes Write(uint8_t record, const Bytes& payload) {
        Ask(Frame('W', record));
        return Reply(payload);
    }
    std::vector<std::pair<Bytes, unsigned>> sent;
    CSimPrinter printer;
    CSimLegacy* legacy;
};

TEST(SimLegacy, UnknownRecordsAndTheKeyRecordAreRefusedAndTheStreamRecovers) {
    Rig rig;
    EXPECT_EQ(rig.Reply(Frame('R', 0x04)), kError);
    EXPECT_EQ(rig.Reply(Frame('R', 0x25)), kError);
    // W of an unknown record has no length: refused at once, its bytes skipped to the next frame.
    EXPECT_EQ(rig.Reply(Frame('W', 0x26) + Bytes{1, 2, 3}), kError);
    EXPECT_EQ(rig.Reply(Bytes{'x', 0x1B, 0x1B} + Frame('Z') + Frame('S')), Frame('S'));
}

// What the page's fault table cannot see: a refused write leaves the store, a wrong letter still
// carries the record, a split identity comes in two parts, and the faults can be cleared.
TEST(SimLegacy, FaultsHitTheirRequestOnly) {
    Rig rig;
    const Bytes ip = rig.legacy->Records().at(0x03);
    rig.legacy->Refuse({'W', 0x03});
    rig.legacy->AnswerWithLetter({'R', 0x20}, 'W');
    rig.legacy->SetSplitIdentity(true);
    EXPECT_EQ(rig.Write(0x03, {1, 2, 3, 4}), kError);
    EXPECT_EQ(rig.legacy->Records().at(0x03), ip);
    EXPECT_EQ(rig.Reply(Frame('R', 0x21))[2], 'R');
    EXPECT_EQ(rig.Reply(Frame('R', 0x20)), Frame('W') + rig.legacy->Records().at(0x20));
    const auto identity = rig.Ask(Frame('C'));
    ASSERT_EQ(identity.size(), 2u);
    EXPECT_EQ(identity[0].first.size(), 10u);
    EXPECT_EQ(identity[1].first.size(), 9u);
    EXPECT_EQ(identity[1].second - identity[0].second, CSimLegacy::kSplitGapMs);
    rig.legacy->ClearFaults();
    EXPECT_EQ(rig.Write(0x03, {1, 2, 3, 4}), Frame('W'));
    EXPECT_EQ(rig.Ask(Frame('C')).size(), 1u);
}

TEST(SimLegacy, KeyRecordIsCheckedAgainstPassphraseAndSsid) {
    // The IEEE 802.11i vector for passphrase "password" and SSID "IEEE".
    const Bytes psk = {0xf4, 0x2c, 0x6f, 0xc5, 0x2d, 0xf0, 0xeb, 0xef, 0x9e, 0xbb, 0x4b,
                       0x90, 0xb3, 0x8a, 0x5f, 0x90, 0x2e, 0x83, 0xfe, 0x1b, 0x13, 0x5a,
                       0x70, 0xe2, 0x3a, 0xed, 0x76, 0x2e, 0x97, 0x10, 0xa1, 0x2e};
    Rig rig;
    EXPECT_EQ(rig.legacy->CheckPsk(), CSimLegacy::PskCheck::kNotWritten);
    rig.Write(0x21, Padded("IEEE", 32));
    rig.Write(0x24, Padded("password", 32));
    rig.Write(0x25, psk);
    EXPECT_EQ(rig.legacy->CheckPsk(), CSimLegacy::PskCheck::kMatch);
    rig.Write(0x21, Padded("IEEE2", 32));
    EXPECT_EQ(rig.legacy->CheckPsk(), CSimLegacy::PskCheck::kMismatch);
}

}  // namespace
