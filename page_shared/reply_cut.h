// Where a reply ends in the bytes a page holds, and whether it answers the request outstanding.
// Each family's grammar says so; the page only ever acts on a whole reply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/line_quiet.h"

namespace reply {

enum class Fit {
    kPartial,  // may still become a whole reply: keep the bytes and wait
    kAnswer,   // a whole reply to the request outstanding, `length` bytes long
    kNotice,   // a whole notice the printer sends unasked, `length` bytes long
    kStray,    // a reply that answers nothing outstanding: drop it, up to the next ESC
    kJunk,     // bytes that begin no reply: drop them up to the next ESC
    // Nothing the protocol fixes shows where the reply ends: it may still grow, and once the line
    // has been quiet for kQuietGapMs the `length` bytes held are the whole answer or notice.
    kAnswerIfQuiet,
    kNoticeIfQuiet,
};

struct Cut {
    Fit fit;
    size_t length = 0;
    // A kind of reply (1 to 7, the family's own) whose value only a text end or the line's quiet
    // can end. Once the printer has ended a reply of a kind with a text end, the page waits for
    // one in every later reply of that kind, under its reply timer: a pause inside a value then
    // never cuts it short.
    uint8_t textKind = 0;
};

inline Cut Partial() {
    return {Fit::kPartial, 0};
}
inline Cut Answer(size_t length) {
    return {Fit::kAnswer, length};
}
inline Cut Notice(size_t length) {
    return {Fit::kNotice, length};
}
inline Cut Stray() {
    return {Fit::kStray, 0};
}
inline Cut Junk() {
    return {Fit::kJunk, 0};
}
inline Cut AnswerAtTextEnd(size_t length, uint8_t textKind) {
    return {Fit::kAnswer, length, textKind};
}
inline Cut AnswerIfQuiet(size_t count, uint8_t textKind = 0) {
    return {Fit::kAnswerIfQuiet, count, textKind};
}
inline Cut NoticeIfQuiet(size_t count) {
    return {Fit::kNoticeIfQuiet, count};
}

// The bytes that end a text value where the protocol names no end: no text a printer keeps can
// hold them.
inline bool IsTextEnd(uint8_t byte) {
    return byte == 0x00 || byte == '\r' || byte == '\n';
}
// The index of the first text end in [from, count), or count when none has come.
inline size_t TextEnd(const uint8_t* held, size_t count, size_t from) {
    for (size_t i = from; i < count; ++i) {
        if (IsTextEnd(held[i]))
            return i;
    }
    return count;
}

// The length up to and including the first 0x00 at or after `from`; 0 when none is held yet.
inline size_t ThroughFirstZero(const uint8_t* held, size_t count, size_t from) {
    for (size_t i = from; i < count; ++i) {
        if (held[i] == 0)
            return i + 1;
    }
    return 0;
}

// What every family's reply begins with: ESC '~' and a letter. Junk when the held bytes cannot
// begin a reply, partial until the letter has come, nothing once it has.
std::optional<Cut> HeadCut(const uint8_t* held, size_t count);
// As HeadCut, then stray unless the reply carries the letter of request (null when none is
// outstanding); nothing once it does.
std::optional<Cut> LetterCut(const std::vector<uint8_t>* request, const uint8_t* held,
                             size_t count);

}  // namespace reply
