// What every printer page does with the keyboard, shown once on one page.
#include <gtest/gtest.h>

#include "page_module/page3_layout.h"
#include "page_module/page3_marvuto.h"
#include "tests/pages/page_test_support.h"
#include "ui/message.h"

namespace {

class AnyPage : public pagetest::ShownPage<CPage3Marvuto> {};

TEST_F(AnyPage, EnterLeavesThePageOpenAndEscapeEndsIt) {
    ui_.Type(page_, page3::IDC_SSID, "abc");
    ASSERT_TRUE(ui_.PressEnter(page_));
    EXPECT_TRUE(ui_.IsShown(page_));
    EXPECT_TRUE(ui_.TakeBoxes().empty());

    ASSERT_TRUE(ui_.PressEscape(page_));
    EXPECT_FALSE(ui_.IsShown(page_));
    EXPECT_EQ(result_, ui::kIdCancel);
}

}  // namespace
