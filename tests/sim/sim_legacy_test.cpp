// The simulated legacy printer in process, where the page tests cannot reach through it: refusals
// of records it does not keep, the replies its faults send, and its check of the key record.
#include "sim/sim_legacy.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sim/sim_rig.h"

namespace {

const Bytes kError = Esc("9");

Bytes Frame(char letter, uint8_t record) {
    return Cat(Esc(std::string(1, letter)), {record});
}
Bytes Padded(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(32, 0);
    return bytes;
}

struct Rig : SimRig<CSimLegacy> {
    Rig() : SimRig('3') {}
    // W as the page sends it: the header, then the payload.
    Bytes Write(uint8_t record, const Bytes& payload) {
        Ask(Frame('W', record));
        return Ask(payload);
    }
};

TEST(SimLegacy, UnknownRecordsAndTheKeyRecordAreRefusedAndTheStreamRecovers) {
    Rig rig;
    EXPECT_EQ(rig.Ask(Frame('R', 0x04)), kError);
    EXPECT_EQ(rig.Ask(Frame('R', 0x25)), kError);
    // W of an unknown record has no length: refused at once, its bytes skipped to the next frame.
    EXPECT_EQ(rig.Ask(Cat(Frame('W', 0x26), {1, 2, 3})), kError);
    EXPECT_EQ(rig.Ask(Cat({'x', 0x1B, 0x1B}, Cat(Esc("Z"), Esc("S")))), Esc("S"));
}

// What the page's fault table cannot see: a refused write leaves the store, a wrong letter still
// carries the record, a split identity comes in two parts, and the faults can be cleared.
TEST(SimLegacy, FaultsHitTheirRequestOnly) {
    Rig rig;
    CSimLegacy& legacy = *rig.family;
    const Bytes ip = legacy.Records().at(0x03);
    legacy.Refuse({'W', 0x03});
    legacy.AnswerWithLetter({'R', 0x20}, 'W');
    legacy.SetSplitIdentity(true);
    EXPECT_EQ(rig.Write(0x03, {1, 2, 3, 4}), kError);
    EXPECT_EQ(legacy.Records().at(0x03), ip);
    EXPECT_EQ(rig.Ask(Frame('R', 0x21)), Cat(Esc("R"), legacy.Records().at(0x21)));
    EXPECT_EQ(rig.Ask(Frame('R', 0x20)), Cat(Esc("W"), legacy.Records().at(0x20)));
    rig.sent.clear();
    rig.Feed(Esc("C"));
    ASSERT_EQ(rig.sent.size(), 2u);
    EXPECT_EQ(rig.sent[0].bytes.size(), 11u);
    EXPECT_EQ(rig.sent[1].bytes.size(), 8u);
    EXPECT_EQ(rig.sent[1].delayMs - rig.sent[0].delayMs, CSimLegacy::kSplitGapMs);
    legacy.ClearFaults();
    EXPECT_EQ(rig.Write(0x03, {1, 2, 3, 4}), Esc("W"));
    rig.sent.clear();
    rig.Feed(Esc("C"));
    EXPECT_EQ(rig.sent.size(), 1u);
}

TEST(SimLegacy, KeyRecordIsCheckedAgainstPassphraseAndSsid) {
    // The IEEE 802.11i vector for passphrase "password" and SSID "IEEE".
    const Bytes psk = {0xf4, 0x2c, 0x6f, 0xc5, 0x2d, 0xf0, 0xeb, 0xef, 0x9e, 0xbb, 0x4b,
                       0x90, 0xb3, 0x8a, 0x5f, 0x90, 0x2e, 0x83, 0xfe, 0x1b, 0x13, 0x5a,
                       0x70, 0xe2, 0x3a, 0xed, 0x76, 0x2e, 0x97, 0x10, 0xa1, 0x2e};
    Rig rig;
    EXPECT_EQ(rig.family->CheckPsk(), CSimLegacy::PskCheck::kNotWritten);
    rig.Write(0x21, Padded("IEEE"));
    rig.Write(0x24, Padded("password"));
    rig.Write(0x25, psk);
    EXPECT_EQ(rig.family->CheckPsk(), CSimLegacy::PskCheck::kMatch);
    rig.Write(0x21, Padded("IEEE2"));
    EXPECT_EQ(rig.family->CheckPsk(), CSimLegacy::PskCheck::kMismatch);
}

}  // namespace
