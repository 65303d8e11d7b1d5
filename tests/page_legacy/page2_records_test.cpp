// Byte layouts of the legacy setting records and the one-byte-per-character texts.
#include "page_legacy/page2_records.h"

#include <gtest/gtest.h>

#include "page_legacy/page2_text.h"

namespace page2 {
namespace {

Bytes Padded(Bytes bytes, size_t size) {
    bytes.resize(size, 0);
    return bytes;
}

LegacySettings Sample() {
    LegacySettings s;
    s.ip = 0xC0A80164;  // 192.168.1.100
    s.netMask = 0xFFFFFF00;
    s.gateway = 0xC0A80101;
    s.dns = 0x08080808;
    s.addressOptions = {true, false};
    s.wireless = {kModeInfrastructure, 6, 2, 3, 1, kWpa2Psk, kCipherAes};
    s.ssid = "Caf\xC3\xA9 net";  // "Café net": one byte per character on the wire
    for (size_t i = 0; i < s.wepKeys.table64.size(); ++i)
        s.wepKeys.table64[i] = static_cast<uint8_t>(i + 1);
    s.wepKeys.table128[51] = 0xEE;
    s.wpaKey = "secret passphrase";
    s.tcpIp = {0x0A000001, 9100, 65535, 3, true, 512};
    s.peerDomainName = "peer.example";
    s.userClassId = "PTR-00:11:22:33:44:55";
    return s;
}

// The layouts no page chain writes out byte by byte.
TEST(Page2Records, ByteLayoutsOfTheWorkedExamples) {
    const LegacySettings s = Sample();
    const struct {
        uint8_t record;
        Bytes bytes;
    } kCases[] = {
        {kRecordAddressOptions, {1, 0}},
        {kRecordTcpIp, {10, 0, 0, 1, 0x8C, 0x23, 0xFF, 0xFF, 3, 1, 0x00, 0x02}},
        {kRecordSsid, Padded({'C', 'a', 'f', 0xE9, ' ', 'n', 'e', 't'}, 32)},
    };
    for (const auto& c : kCases) {
        const Bytes bytes = EncodeRecord(c.record, s);
        EXPECT_EQ(bytes, c.bytes) << "record " << int(c.record);
    }
}

TEST(Page2Records, EveryRecordHasItsSizeAndReadsBackWhatWasWritten) {
    const LegacySettings s = Sample();
    LegacySettings back;
    for (int record = 0; record < 0x100; ++record) {
        const uint8_t r = static_cast<uint8_t>(record);
        const Bytes bytes = EncodeRecord(r, s);
        EXPECT_EQ(bytes.size(), RecordSize(r)) << "record " << record;
        EXPECT_EQ(DecodeRecord(r, bytes, &back), RecordSize(r) != 0 && r != kRecordPsk);
    }
    for (int record = 0; record < 0x100; ++record) {
        const uint8_t r = static_cast<uint8_t>(record);
        EXPECT_EQ(EncodeRecord(r, back), EncodeRecord(r, s)) << "record " << record;
    }
    EXPECT_EQ(back.ssid, s.ssid);
}

TEST(Page2Records, TextsFillWithoutTerminatorAndReadToTheirRule) {
    EXPECT_EQ(EncodeText(std::string(40, 'x'), 32), Bytes(32, 'x'));
    EXPECT_EQ(DecodeText(Bytes(64, 'y')), std::string(64, 'y'));
    EXPECT_EQ(DecodeText({'a', 'b', 0, 'c', 'd', 0, 0}), "ab");
    // Short records read as zero-filled.
    EXPECT_EQ(DecodeTcpIp({0, 0, 0, 0, 0x8C, 0x23}).port, 9100);
    EXPECT_EQ(DecodeTcpIp({0, 0, 0, 0, 0x8C}).port, 0x8C);
}

TEST(Page2Text, EveryByteIsOneCharacterBothWays) {
    Bytes all;
    for (int b = 1; b < 0x100; ++b)
        all.push_back(static_cast<uint8_t>(b));
    EXPECT_EQ(TextToBytes(BytesToText(all.data(), all.size())), all);
    const struct {
        std::string text;
        Bytes bytes;
    } kCases[] = {
        {"\xC3\xA9", {0xE9}},
        {"\xE2\x82\xAC", {'?'}},  // beyond one byte
        {"\xE9x", {'?', 'x'}},    // not UTF-8
        {"\xC3", {'?'}},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(TextToBytes(c.text), c.bytes) << c.text;
}

}  // namespace
}  // namespace page2
