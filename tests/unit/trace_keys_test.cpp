// Each printer family's key bytes in its frames, sent and received.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_current/page1_trace_keys.h"
#include "page_legacy/page2_trace_keys.h"
#include "page_module/page3_trace_keys.h"

namespace {

using trace::Bytes;
using trace::Direction;
using trace::Span;

Bytes B(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(TraceKeys, EachFamilyMarksOnlyItsKeyBytes) {
    const Direction kSent = Direction::kSent, kReceived = Direction::kReceived;
    const std::string z(1, '\0');
    const struct {
        const char* name;
        trace::KeyFinder finder;
        Direction direction;
        Bytes before;
        Bytes frame;
        std::vector<Span> keys;
    } cases[] = {
        {"current F ascii", page1::TraceKeys, kSent, B("\x1B~F"), B("2 abcde" + z), {{2, 7}}},
        {"current F hex with 00",
         page1::TraceKeys,
         kSent,
         B("\x1B~F"),
         B("1 \x12" + z + "\x34" + z),
         {{2, 5}}},
        {"current G", page1::TraceKeys, kSent, B("\x1B~G"), B("passw0rd" + z), {{0, 8}}},
        {"current D quoted",
         page1::TraceKeys,
         kSent,
         B("\x1B~D"),
         B("\"a b/\"c\" k y" + z),
         {{9, 12}}},
        {"current D no key", page1::TraceKeys, kSent, B("\x1B~D"), B("net" + z), {}},
        {"current E wpa",
         page1::TraceKeys,
         kSent,
         B("\x1B~E"),
         B("ap 6 2 1 1 secret" + z),
         {{11, 17}}},
        {"current E open", page1::TraceKeys, kSent, B("\x1B~E"), B("ap 6" + z), {}},
        {"current M ssid", page1::TraceKeys, kSent, B("\x1B~M"), B("net" + z), {}},
        {"current R 07",
         page1::TraceKeys,
         kReceived,
         B("\x1B~R\x07"),
         B("\x1B~R\x07"
           "0key" +
           z),
         {{5, 8}}},
        {"current R 00",
         page1::TraceKeys,
         kReceived,
         B("\x1B~R" + z),
         B("\x1B~R" + z + "0net"),
         {}},
        {"legacy W 24", page2::TraceKeys, kSent, B("\x1B~W\x24"), B("pass" + z + z), {{0, 6}}},
        {"legacy W 21", page2::TraceKeys, kSent, B("\x1B~W\x21"), B("ssid" + z), {}},
        {"legacy R 22",
         page2::TraceKeys,
         kReceived,
         B("\x1B~R\x22"),
         B("\x1B~R\x01\x02"),
         {{3, 5}}},
        {"legacy R 30", page2::TraceKeys, kReceived, B("\x1B~R\x30"), B("\x1B~R\x01\x02"), {}},
        {"module W 19", page3::TraceKeys, kSent, B("\x1B~W\x13"), B("k\\,y" + z), {{0, 4}}},
        {"module W 17", page3::TraceKeys, kSent, B("\x1B~W\x11"), B("ssid" + z), {}},
        {"module R passphrase",
         page3::TraceKeys,
         kReceived,
         B("\x1B~R\x13"),
         B("\x1B~R0" + z + "passphrase=abc" + z + z),
         {{16, 19}}},
        {"module R ssid",
         page3::TraceKeys,
         kReceived,
         B("\x1B~R\x11"),
         B("\x1B~R0" + z + "ssid=abc" + z + z),
         {}},
        {"module R bad status",
         page3::TraceKeys,
         kReceived,
         B("\x1B~R\x13"),
         B("\x1B~R1" + z + "passphrase=abc" + z + z),
         {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.finder(c.direction, c.before, c.frame), c.keys) << c.name;
}

}  // namespace
