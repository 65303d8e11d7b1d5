// The simulated Wi-Fi module where the page chains do not reach it: region list by version, faults.
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
