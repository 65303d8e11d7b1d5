// What the data exchange accepts as a number and how it counts characters.
#include "ui/data_exchange.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseUnsigned, AcceptsDecimalWithBlanksAround) {
    uint32_t v = 0;
    EXPECT_TRUE(ui::ParseUnsigned("9100", &v));
    EXPECT_EQ(v, 9100u);
    EXPECT_TRUE(ui::ParseUnsigned("  42 ", &v));
    EXPECT_EQ(v, 42u);
    EXPECT_TRUE(ui::ParseUnsigned("4294967295", &v));
    EXPECT_EQ(v, 4294967295u);
}

TEST(ParseUnsigned, RefusesWhatIsNotAnUnsignedNumber) {
    uint32_t v = 7;
    for (const char* bad : {"", "   ", "-1", "+1", "12a", "1 2", "0x10", "4294967296", "1.5"}) {
        EXPECT_FALSE(ui::ParseUnsigned(bad, &v)) << bad;
    }
}

TEST(CharacterCount, CountsCharactersNotBytes) {
    EXPECT_EQ(ui::CharacterCount(""), 0);
    EXPECT_EQ(ui::CharacterCount("abc"), 3);
    EXPECT_EQ(ui::CharacterCount("\xED\x95\x9C\xEA\xB8\x80"), 2);
}

}  // namespace
