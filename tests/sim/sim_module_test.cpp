// The simulated Wi-Fi module: reads and writes of every item kind, the store, faults, framing.
#include "sim/sim_module.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sim/sim_rig.h"

namespace {

using namespace std::string_literals;

struct Rig : SimRig<CSimModule> {
    Rig() : SimRig('4') {}
};

std::string R(int item) {
    return "R"s + static_cast<char>(item);
}
std::string W(int item, const std::string& value) {
    return "W"s + static_cast<char>(item) + value;
}
// A good read reply: status, key=value, the two trailing bytes.
std::string Ok(const std::string& text) {
    return "R0\0"s + text + "\0\0"s;
}
std::string Ack(int item, char status = '0') {
    return "W"s + static_cast<char>(item) + status + "\0\0"s;
}

TEST(SimModule, EveryRequestKindByteExactAndTheStoreReadsBack) {
    const struct {
        std::string request, reply;  // each after ESC '~'
    } kSession[] = {
        {"V", "V0" + std::string(9, '\0') + "V2.10\0\0\0\0\0"s},
        {R(0), Ok("mac=\x00\x1A\x2B\x3C\x4D\x5E"s)},
        {"I", "I0\0"s},
        {R(16), Ok("configured=1")},
        {R(33), Ok("region=ctry:KR")},
        {R(6), "R1\0\0\0"s},  // no key: a bad status
        {R(7), "R1\0\0\0"s},
        // Each kind of write, then what it stored.
        {W(16, "0\0"s), Ack(16)},
        {W(1, "Shop AP\0"s), Ack(1)},
        {R(1), Ok("ssid=Shop AP")},
        {W(2, "\0\0"s), Ack(2)},  // the empty security keeps what was there
        {R(2), Ok("security=4")},
        {W(3, "a\\,b\\\\c1234\0"s), Ack(3)},
        {R(3), Ok("passphrase=a,b\\c1234")},
        {W(6, "\xC0\xA8\x14\x01\0"s), Ack(6)},
        {W(21, "\x0A\x00\x00\x05\0"s), Ack(21)},
        {R(21), Ok("ipaddr=10.0.0.5")},
        {W(33, "JP\0"s), Ack(33)},
        {R(33), Ok("region=ctry:JP")},
        {W(32, "12ab\0"s), Ack(32)},
        {R(32), Ok("port=12ab")},
        // A raw key holds 0x00 and ESC: all of it up to the next request is the key.
        {W(19, "\x12\x00\x1B\x34\0"s), Ack(19)},
        {R(19), Ok("passphrase=\x12\x00\x1B\x34"s)},
        // Values the module does not take are refused and change nothing.
        {W(18, "2\0"s), Ack(18, '1')},
        {W(2, "3\0"s), Ack(2, '1')},
        {W(33, "XX\0"s), Ack(33, '1')},
        {W(32, "123456\0"s), Ack(32, '1')},
        {W(6, "\x0A\x00\x14\x01\0"s), Ack(6, '1')},
        {W(0, "\0"s), Ack(0, '1')},
        {W(25, "\0"s), Ack(25, '1')},
        {R(18), Ok("security=4")},
    };
    Bytes stream, replies;
    Rig rig;
    for (const auto& c : kSession) {
        EXPECT_EQ(rig.Ask(Esc(c.request)), Esc(c.reply)) << c.request;
        stream = Cat(stream, Esc(c.request));
        replies = Cat(replies, Esc(c.reply));
    }
    const SimModuleSettings& s = rig.family->Settings();
    EXPECT_EQ(s.configured, "0");
    EXPECT_EQ(s.apAddress, "192.168.20.1");
    EXPECT_EQ(s.passphrase, "\x12\x00\x1B\x34"s);

    // The same session a byte at a time or all in one call.
    for (size_t piece : {size_t{1}, stream.size()}) {
        Rig again;
        Bytes got;
        for (size_t at = 0; at < stream.size(); at += piece) {
            const auto from = stream.begin() + static_cast<std::ptrdiff_t>(at);
            got = Cat(got, again.Ask(Bytes(from, from + std::min(piece, stream.size() - at))));
        }
        EXPECT_EQ(got, replies) << "pieces of " << piece;
    }
}

TEST(SimModule, VersionChoosesTheRegionList) {
    Rig rig;
    ASSERT_TRUE(rig.family->SetItem("version", "E1.0"));
    ASSERT_TRUE(rig.family->SetItem("region", "8"));
    EXPECT_EQ(rig.Ask(Esc("V")), Esc("V0" + std::string(9, '\0') + "E1.0" + std::string(6, '\0')));
    EXPECT_EQ(rig.Ask(Esc(R(33))), Esc(Ok("region=8")));
    EXPECT_EQ(rig.Ask(Esc(W(33, "KR\0"s))), Esc(Ack(33, '1')));
    EXPECT_EQ(rig.Ask(Esc(W(33, "3\0"s))), Esc(Ack(33)));
    ASSERT_TRUE(rig.family->SetItem("mac", "00:11:22:33:44:FF"));
    EXPECT_EQ(rig.Ask(Esc(R(0))), Esc(Ok("mac=\x00\x11\x22\x33\x44\xFF"s)));
    EXPECT_FALSE(rig.family->SetItem("mac", "0:1:2"));
    EXPECT_FALSE(rig.family->SetItem("channel", "6"));
}

TEST(SimModule, FaultsAndSilenceAtIdentification) {
    Rig rig;
    rig.printer.SetIdentifyMode(IdentifyMode::kSilent);
    rig.family->SetBadVersionReplies(2);
    rig.family->RefuseRead(17);
    rig.family->RefuseWrite(20);
    rig.family->AcknowledgeAs(17, 1);
    rig.family->Silence('R', 0);
    rig.family->Silence('W', 19);
    EXPECT_EQ(rig.Ask(kIdentify), Bytes{});
    EXPECT_EQ(rig.Ask(Esc("V"))[3], '1');
    EXPECT_EQ(rig.Ask(Esc("V"))[3], '1');
    EXPECT_EQ(rig.Ask(Esc("V"))[3], '0');
    EXPECT_EQ(rig.Ask(Esc(R(0))), Bytes{});
    EXPECT_EQ(rig.Ask(Esc(R(17))), Esc("R1\0\0\0"s));
    EXPECT_EQ(rig.Ask(Esc(W(20, "0\0"s))), Esc(Ack(20, '1')));
    EXPECT_EQ(rig.Ask(Esc(W(17, "Cafe\0"s))), Esc(Ack(1)));
    EXPECT_EQ(rig.Ask(Esc(W(19, "newkey12\0"s))), Bytes{});
    const SimModuleSettings& s = rig.family->Settings();
    EXPECT_EQ(s.ipAddrType, "1");
    EXPECT_EQ(s.ssid, "Cafe");
    EXPECT_EQ(s.passphrase, "officekey1");
    const SimModuleRequest last = {'W', 19, {'n', 'e', 'w', 'k', 'e', 'y', '1', '2', 0}};
    EXPECT_EQ(rig.family->Requests().back(), last);
}

}  // namespace
