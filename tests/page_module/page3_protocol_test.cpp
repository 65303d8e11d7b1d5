// The Wi-Fi module's pure functions at their edges: short and foreign replies, key lengths at their
// limits, and the conversions of what the module or the operator gives.
#include "page_module/page3_protocol.h"

#include <gtest/gtest.h>

#include <string>

#include "page_module/page3_keys.h"
#include "page_module/page3_regions.h"
#include "page_module/page3_values.h"

namespace page3 {
namespace {

using namespace std::string_literals;

Bytes B(const std::string& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::string kReadOk = "\x1B~R0\0"s;

// Good replies and refusals come through the chains; these are the bytes the simulator never sends.
TEST(Page3Replies, ShortAndForeignReplies) {
    const Bytes version = B("\x1B~V0\0........E123456789XY"s);
    EXPECT_EQ(VersionText(version.data(), 13), "");
    EXPECT_EQ(VersionText(version.data(), 25), "E123456789");  // ten bytes at most
    EXPECT_TRUE(StatusGood(version.data(), 4));                // what is missing reads as 0
    EXPECT_EQ(ReplyLetter(version.data(), 1), 0);
    EXPECT_EQ(ReplyLetter(B("\x1B\x7FV").data(), 3), 0);
    EXPECT_FALSE(StatusGood(B("\x1B~R0\1"s).data(), 5));

    const Bytes ack = B("\x1B~W\x11"s + "0\0\5"s);
    EXPECT_FALSE(WriteAcknowledged(ack.data(), 7));  // a byte after the status
    EXPECT_FALSE(WriteAcknowledged(ack.data(), 4));  // no status at all
}

// A reply is taken only whole, and only when it answers the request outstanding: a read by the
// key of the item asked for, a write by its item.
TEST(Page3Replies, CutByGrammarAndRequest) {
    const Bytes version = VersionRequest(), readSsid = ReadRequest(kItemSsid);
    const Bytes readMac = ReadRequest(kItemMac), readIp = ReadRequest(kItemIp);
    const Bytes writeMode = WriteHeader(kItemMode) + B("1\0"s);
    const Bytes readKey = ReadRequest(kItemKey);
    using reply::Fit;
    const KeyForm kText = KeyForm::kText;
    const struct {
        const Bytes* request;
        std::string held;
        Fit fit;
        size_t length;
        KeyForm keyForm = KeyForm::kText;
    } kCases[] = {
        {&version, "\x1B~V0\0........E1.0\0"s, Fit::kAnswer, 18},
        {&version, "\x1B~V0\0........E1.0\r\n"s, Fit::kAnswer, 18},
        // The eight bytes before the text are open, text ends among them too.
        {&version, "\x1B~V0\0\0\r\n\xFF\0\0\0\0E1.0"s, Fit::kAnswerIfQuiet, 17},
        {&version, "\x1B~V0\0........E123456789X"s, Fit::kAnswer, 23},
        {&version, "\x1B~V1\0"s, Fit::kAnswer, 5},
        {&readSsid, kReadOk + "ss"s, Fit::kPartial, 0},
        {&readSsid, kReadOk + "configured=1\0\0"s, Fit::kStray, 0},
        {&readSsid, "\x1B~R1\0\0\0"s, Fit::kAnswer, 5},
        // The text ends at its first text end; the two trailing bytes are open and never awaited.
        {&readSsid, kReadOk + "ssid=Shop\0\0"s, Fit::kAnswer, 15},
        {&readSsid, kReadOk + "ssid=Shop\0\r\n"s, Fit::kAnswer, 15},
        {&readSsid, kReadOk + "ssid=Shop\r\n"s, Fit::kAnswer, 15},
        {&readSsid, kReadOk + "ssid=Shop\n\n"s, Fit::kAnswer, 15},
        {&readSsid, kReadOk + "ssid=Shopxy"s, Fit::kAnswerIfQuiet, 16},
        {&readSsid, kReadOk + "ssid=Shop\xFF\xFF"s, Fit::kAnswerIfQuiet, 16},
        {&readSsid, kReadOk + "ssid=Shop"s, Fit::kAnswerIfQuiet, 14},
        // A HEX key is raw bytes, text ends among them: its size ends it, or the line's quiet.
        {&readKey, kReadOk + "passphrase=\0\r\n\0\0\1\2\3\4\5\6\7\x08\0\0"s, Fit::kAnswer, 29,
         KeyForm::kWepBytes},
        {&readKey, kReadOk + "passphrase=\0\r\n\0\0\0\0"s, Fit::kAnswerIfQuiet, 23,
         KeyForm::kWepBytes},
        {&readKey, kReadOk + "passphrase="s + std::string(32, '\0') + "xy"s, Fit::kAnswer, 48,
         KeyForm::kPskBytes},
        {&readKey, kReadOk + "passphrase=ab\0\0"s, Fit::kAnswer, 19, kText},
        {&readIp, kReadOk + "ipaddr_type=1\0\0"s, Fit::kStray, 0},
        // The MAC address is six raw bytes, zeros among them.
        {&readMac, kReadOk + "mac=\0\0\x1A\0\0"s, Fit::kPartial, 0},
        {&readMac, kReadOk + "mac=\0\0\x1A\0\0\x01\r\n"s, Fit::kAnswer, 15},
        {&writeMode, "\x1B~W\x10"s + "0\0"s, Fit::kPartial, 0},
        {&writeMode, "\x1B~W\x09"s, Fit::kStray, 0},
        {&readSsid, "\x1B~W\x10"s + "0\0\0"s, Fit::kStray, 0},
        {nullptr, "\x1B~I"s, Fit::kStray, 0},
    };
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const auto& c = kCases[i];
        const Bytes held = B(c.held);
        const reply::Cut cut = CutReply(c.request, held.data(), held.size(), c.keyForm);
        EXPECT_EQ(cut.fit, c.fit) << "row " << i;
        EXPECT_EQ(cut.length, c.length) << "row " << i;
    }
}

TEST(Page3Replies, ValuesAndShortReplies) {
    const struct {
        std::string reply;
        bool accepted;
        Key key;
        std::string text;
        Bytes raw;  // a MAC address, or a key's bytes as a WEP key
    } cases[] = {
        // Cut by the line's quiet: a text's last two bytes are the trailing ones, whatever they
        // hold; a WEP key's bytes past 64 bits, too few for 128, are too.
        {kReadOk + "passphrase=\x12\0\x34\r\n\0\r\n"s, true, Key::kPassphrase, "\x12",
         B("\x12\0\x34\r\n"s)},
        {kReadOk + "passphrase=\x12\0"s, true, Key::kPassphrase, "\x12", Bytes()},
        {kReadOk + "ssid=Officexy"s, true, Key::kSsid, "Office", Bytes()},
        {kReadOk + "ssid=Office\xFF\xFF"s, true, Key::kSsid, "Office", Bytes()},
        {kReadOk + "ssid=Office\0\r"s, true, Key::kSsid, "Office", Bytes()},
        // Cut at its size: every byte is the key's.
        {kReadOk + "passphrase=\r\n\0\0\1\2\3\4\5\6\7\x08\x09"s, true, Key::kPassphrase, "",
         B("\r\n\0\0\1\2\3\4\5\6\7\x08\x09"s)},
        {kReadOk + "mac=\0\0\x1A\r\n\x01"s, true, Key::kMac, "", B("\0\0\x1A\r\n\x01"s)},
        // Too short for a raw value: the two trailing bytes or fewer.
        {kReadOk + "mac=\x5E\0"s, true, Key::kMac, "^", Bytes()},
        {kReadOk + "mac=", true, Key::kMac, "", Bytes()},
        // Ends inside its key or before the value offset: ignored.
        {kReadOk + "mac", false, Key::kNone, "", Bytes()},
        {kReadOk + "ipaddr", false, Key::kNone, "", Bytes()},
        {"\x1B~R1\0ssid=x"s, false, Key::kNone, "", Bytes()},
        {kReadOk + "channel=6", false, Key::kNone, "", Bytes()},
    };
    for (const auto& c : cases) {
        const Bytes reply = B(c.reply);
        const uint32_t count = static_cast<uint32_t>(reply.size());
        ReadReply parsed;
        ASSERT_EQ(ParseReadReply(reply.data(), count, &parsed), c.accepted) << c.text;
        if (!c.accepted)
            continue;
        EXPECT_EQ(parsed.key, c.key);
        EXPECT_EQ(TextValue(reply.data(), count, parsed), c.text);
        if (c.key == Key::kMac) {
            EXPECT_EQ(MacValue(reply.data(), count, parsed), c.raw);
        } else if (c.key == Key::kPassphrase) {
            EXPECT_EQ(KeyBytes(reply.data(), count, parsed, KeyForm::kWepBytes), c.raw) << c.text;
        }
    }
}

TEST(Page3Replies, CountryLettersFromOffsetSeventeen) {
    const Bytes reply = B(kReadOk + "region=abcdeKR\0\0"s);
    EXPECT_EQ(CountryLetters(reply.data(), static_cast<uint32_t>(reply.size())), "KR");
    EXPECT_EQ(CountryLetters(reply.data(), 21), "KR") << "quiet-cut: two trailing bytes";
    EXPECT_EQ(CountryLetters(reply.data(), 16), "");
    EXPECT_EQ(CountryLetters(B(kReadOk + "region=abcdeBR\r\n"s).data(), 21), "BR");
}

// The page's own key table has a key one past each limit; these are the keys at it.
TEST(Page3Keys, LengthChecksBeforeEscapingOrConversion) {
    const char* const kWpa = "Invalid WPA Key : Error [-103]";
    const char* const kWpa2 = "Invalid WPA2 PSK Key : Error [-103]";
    const struct {
        KeyKind kind;
        bool hex;
        size_t length;
        const char* error;
    } cases[] = {
        {KeyKind::kWep64, false, 5, nullptr},  {KeyKind::kWep64, false, 3, nullptr},
        {KeyKind::kWep128, true, 26, nullptr}, {KeyKind::kWpa, false, 7, kWpa},
        {KeyKind::kWpa, false, 63, nullptr},   {KeyKind::kWpa, true, 64, nullptr},
        {KeyKind::kApWpa2, false, 8, nullptr}, {KeyKind::kApWpa2, false, 0, kWpa2},
        {KeyKind::kApWpa2, true, 64, nullptr},
    };
    for (const auto& c : cases) {
        const char* error = KeyLengthError(c.kind, c.hex, std::string(c.length, ','));
        EXPECT_STREQ(error, c.error) << static_cast<int>(c.kind) << " " << c.hex << " " << c.length;
    }
}

TEST(Page3Keys, HexKeyConversion) {
    const struct {
        std::string text;
        Bytes bytes;
    } cases[] = {
        {"0a 1B\t2c\r\n3D", B("\x0A\x1B\x2C\x3D")},
        {"0A1B2C3D", B("\x0A\x1B\x2C\x3D")},
        {"abc", B("\xAB\x0C")},
        {"g1", B("\x01")},  // not a digit: counts as 0
        {" \t", Bytes()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexKeyBytes(c.text), c.bytes) << c.text;
    // The key buffer keeps room for the final 0x00 whatever is typed.
    EXPECT_EQ(HexKeyValue(std::string(600, 'F')).size(), kKeyBufferSize);
}

TEST(Page3Values, DottedAddress) {
    uint32_t address = 0;
    for (const char* text : {"1.2.3", ""})
        EXPECT_FALSE(DottedAddress(text, &address)) << text;
    EXPECT_EQ(address, 0u) << "an address without its three dots is not applied";
    EXPECT_TRUE(DottedAddress("10.0.0.1234", &address));
    EXPECT_EQ(address, 0x0A00007Bu) << "the last piece is cut to three characters";
}

// Region values at the edges of the lists' first-letter rules; the chains show the ones inside.
TEST(Page3Regions, UnknownValuesSelectNoEntry) {
    EXPECT_TRUE(UsesCountryList(""));
    for (const auto& [letters, index] : {std::pair{"CX", 6}, {"SX", 2}, {"ZZ", -1}, {"", -1}})
        EXPECT_EQ(CountryRegionIndex(letters), index) << letters;
    for (const auto& [value, index] : {std::pair{"0", 0}, {"9", -1}, {"", -1}})
        EXPECT_EQ(NumericRegionIndex(value), index) << value;
}

}  // namespace
}  // namespace page3
