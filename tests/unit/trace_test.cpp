// The protocol trace: line format, key masking, the bound, and what a family's key finder sees.
#include "page_shared/trace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using trace::Bytes;
using trace::Direction;
using trace::Span;

TEST(TraceFormat, LinesShowTimeDirectionHexAndCharactersWithKeysMaskedUnlessAsked) {
    trace::Entry sent;
    sent.ms = 1234;
    sent.kind = trace::EntryKind::kSent;
    sent.bytes = {0x1B, 0x7E, 'G', 'k', '1', 0x00};
    sent.keys = {Span{3, 5}};
    trace::Entry received = sent;
    received.kind = trace::EntryKind::kReceived;
    received.keys.clear();
    trace::Entry note;
    note.ms = 7;
    note.note = "Message: Save Success";
    const struct {
        const trace::Entry& entry;
        bool showKeys;
        const char* line;
    } cases[] = {
        {sent, false, "      1234 ms > 1B 7E 47 ** ** 00 | .~G**."},
        {sent, true, "      1234 ms > 1B 7E 47 6B 31 00 | .~Gk1."},
        {received, false, "      1234 ms < 1B 7E 47 6B 31 00 | .~Gk1."},
        {note, false, "         7 ms # Message: Save Success"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trace::FormatEntry(c.entry, c.showKeys), c.line);
}

// Records what the trace hands a key finder; marks byte 0 of every frame as a key.
std::vector<std::pair<Direction, Bytes>> g_seen;
std::vector<Span> RecordingFinder(Direction direction, const Bytes& before, const Bytes&) {
    g_seen.emplace_back(direction, before);
    return {Span{0, 1}};
}

TEST(ProtocolTrace, AFinderSeesTheWritesSinceTheLastReply) {
    g_seen.clear();
    trace::ProtocolTrace t;
    const uint8_t header[] = {1, 2}, payload[] = {3}, reply[] = {9}, next[] = {4};
    t.Sent(0, header, 2, RecordingFinder);
    t.Sent(0, payload, 1, RecordingFinder);
    t.Received(0, reply, 1, RecordingFinder);
    t.Received(0, reply, 1, RecordingFinder);  // a reply in two parts: the same request
    t.Sent(0, next, 1, RecordingFinder);
    const std::vector<std::pair<Direction, Bytes>> expected = {
        {Direction::kSent, {}},
        {Direction::kSent, {1, 2}},
        {Direction::kReceived, {1, 2, 3}},
        {Direction::kReceived, {1, 2, 3}},
        {Direction::kSent, {}},
    };
    EXPECT_EQ(g_seen, expected);
}

TEST(ProtocolTrace, KeepsTheLastEntriesCountsFromTheFirstAndFeedsItsSink) {
    trace::ProtocolTrace t(3);
    std::string sink;
    t.SetSink([&](const std::string& line) { sink += line; });
    const uint8_t frame[] = {0x41, 0x42};
    t.Note(1000, "first");
    t.Sent(1010, frame, 2, RecordingFinder);
    t.Received(1020, frame, 2, nullptr);
    t.Note(1030, "fourth");
    ASSERT_EQ(t.Entries().size(), 3u);
    EXPECT_EQ(t.Entries().front().ms, 10u);
    EXPECT_EQ(t.Text(false),
              "        10 ms > ** 42 | *B\n"
              "        20 ms < 41 42 | AB\n"
              "        30 ms # fourth\n");
    EXPECT_EQ(sink, "         0 ms # first\n" + t.Text(false));
    EXPECT_EQ(t.Text(true, "\r\n").substr(0, 28), "        10 ms > 41 42 | AB\r\n");
}

}  // namespace
