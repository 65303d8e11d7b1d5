// The simulated Wi-Fi module where the page chains do not reach it: the region a write may name,
// and the items printer-sim may preset.
#include "sim/sim_module.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sim/sim_rig.h"

namespace {

using namespace std::string_literals;

struct Rig : SimRig<CSimModule> {
    Rig() : SimRig('4') {}
};

TEST(SimModule, TheVersionChoosesTheRegionsAWriteMayName) {
    Rig rig;
    ASSERT_TRUE(rig.family->SetItem("version", "E1.0"));
    // A country belongs to the other list: the write is refused.
    EXPECT_EQ(rig.Ask(Esc("W\x21KR\0"s)), Esc("W\x21"s + "1\0\0"s));
    EXPECT_EQ(rig.Ask(Esc("W\x21"s + "3\0"s)), Esc("W\x21"s + "0\0\0"s));
    EXPECT_EQ(rig.family->Settings().region, "3");
}

TEST(SimModule, PresetItemsAreCheckedAndRead) {
    Rig rig;
    ASSERT_TRUE(rig.family->SetItem("mac", "00:11:22:33:44:FF"));
    EXPECT_EQ(rig.Ask(Esc("R\0"s)), Esc("R0\0mac=\x00\x11\x22\x33\x44\xFF\0\0"s));
    EXPECT_FALSE(rig.family->SetItem("mac", "0:1:2"));
    EXPECT_FALSE(rig.family->SetItem("channel", "6"));
}

// Modules end their read replies differently; the trailer follows a refusal's status too.
TEST(SimModule, ReadRepliesEndWithTheTrailerSet) {
    const struct {
        std::string trailer, read, refused;  // replies after ESC '~'
    } kCases[] = {
        {"\0\r\n"s, "R0\0ssid=Office\0\r\n"s, "R1\0\0\r\n"s},
        {"", "R0\0ssid=Office"s, "R1\0"s},
    };
    for (const auto& c : kCases) {
        Rig rig;
        rig.family->SetReadTrailer(Bytes(c.trailer.begin(), c.trailer.end()));
        rig.family->RefuseRead(0x10);
        EXPECT_EQ(rig.Ask(Esc("R\x11")), Esc(c.read)) << c.trailer.size();
        EXPECT_EQ(rig.Ask(Esc("R\x10")), Esc(c.refused)) << c.trailer.size();
    }
}

}  // namespace
