// Each printer family's key bytes in its frames, sent and received.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_current/page1_trace_keys.h"
#include "page_legacy/page2_trace_keys.h"
#include "page_module/page3_trace_keys.h"

namespace {

using trace::Bytes;
using trace::Span;

Bytes B(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(TraceKeys, EachFamilyMarksOnlyItsKeyBytes) {
    const auto kOut = trace::Direction::kSent, kIn = trace::Direction::kReceived;
    const trace::KeyFinder k1 = page1::TraceKeys, k2 = page2::TraceKeys, k3 = page3::TraceKeys;
    const std::string z(1, '\0'), r = "\x1B~R", passphrase = "passphrase=abc" + z + z;
    const struct {
        const char* name;
        trace::KeyFinder finder;
        trace::Direction direction;
        Bytes before, frame;
        std::vector<Span> keys;
    } cases[] = {
        {"current F ascii", k1, kOut, B("\x1B~F"), B("2 abcde" + z), {{2, 7}}},
        {"current F hex with 00", k1, kOut, B("\x1B~F"), B("1 \x12" + z + "\x34" + z), {{2, 5}}},
        {"current G", k1, kOut, B("\x1B~G"), B("passw0rd" + z), {{0, 8}}},
        {"current D quoted", k1, kOut, B("\x1B~D"), B("\"a b/\"c\" k y" + z), {{9, 12}}},
        {"current D no key", k1, kOut, B("\x1B~D"), B("net" + z), {}},
        {"current E wpa", k1, kOut, B("\x1B~E"), B("ap 6 2 1 1 secret" + z), {{11, 17}}},
        {"current E open", k1, kOut, B("\x1B~E"), B("ap 6" + z), {}},
        {"current M ssid", k1, kOut, B("\x1B~M"), B("net" + z), {}},
        {"current R 07", k1, kIn, B(r + "\x07"), B(r + "\x07" + "0key" + z), {{5, 8}}},
        {"current R 00", k1, kIn, B("\x1B~R" + z), B("\x1B~R" + z + "0net"), {}},
        {"legacy W 24", k2, kOut, B("\x1B~W\x24"), B("pass" + z + z), {{0, 6}}},
        {"legacy W 21", k2, kOut, B("\x1B~W\x21"), B("ssid" + z), {}},
        {"legacy R 22", k2, kIn, B("\x1B~R\x22"), B("\x1B~R\x01\x02"), {{3, 5}}},
        {"legacy R 30", k2, kIn, B("\x1B~R\x30"), B("\x1B~R\x01\x02"), {}},
        {"module W 19", k3, kOut, B("\x1B~W\x13"), B("k\\,y" + z), {{0, 4}}},
        {"module W 17", k3, kOut, B("\x1B~W\x11"), B("ssid" + z), {}},
        {"module R passphrase", k3, kIn, B(r + "\x13"), B(r + "0" + z + passphrase), {{16, 19}}},
        {"module R ssid", k3, kIn, B("\x1B~R\x11"), B("\x1B~R0" + z + "ssid=abc" + z + z), {}},
        {"module R bad status", k3, kIn, B(r + "\x13"), B(r + "1" + z + passphrase), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.finder(c.direction, c.before, c.frame), c.keys) << c.name;
}

}  // namespace
