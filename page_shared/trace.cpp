// The protocol trace: a bounded record of every frame sent to and received from the printer, with
// the messages the operator saw in between, kept for the life of the main dialog.
#include "page_shared/trace.h"

#include <cstdio>

namespace trace {

std::vector<Span> SpanToZero(const Bytes& frame, size_t begin) {
    if (begin >= frame.size())
        return {};
    size_t end = begin;
    while (end < frame.size() && frame[end] != 0)
        ++end;
    return {Span{begin, end}};
}

namespace {

bool IsKeyByte(const std::vector<Span>& keys, size_t index) {
    for (const Span& span : keys) {
        if (index >= span.begin && index < span.end)
            return true;
    }
    return false;
}

const char* KindMark(EntryKind kind) {
    switch (kind) {
        case EntryKind::kSent:
            return ">";
        case EntryKind::kReceived:
            return "<";
        case EntryKind::kNote:
            return "#";
    }
    return "?";
}

}  // namespace

std::string FormatEntry(const Entry& entry, bool showKeys) {
    char head[32];
    std::snprintf(head, sizeof head, "%10u ms %s ", entry.ms, KindMark(entry.kind));
    std::string line = head;
    if (entry.kind == EntryKind::kNote)
        return line + entry.note;
    std::string chars;
    for (size_t i = 0; i < entry.bytes.size(); ++i) {
        const uint8_t b = entry.bytes[i];
        if (!showKeys && IsKeyByte(entry.keys, i)) {
            line += "** ";
            chars += '*';
            continue;
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", b);
        line += hex;
        chars += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
    }
    return line + "| " + chars;
}

Entry ProtocolTrace::ByteEntry(EntryKind kind, const uint8_t* data, size_t length,
                               KeyFinder keys) const {
    Entry entry;
    entry.kind = kind;
    entry.bytes.assign(data, data + length);
    if (keys != nullptr)
        entry.keys = keys(kind == EntryKind::kSent ? Direction::kSent : Direction::kReceived,
                          sentBefore_, entry.bytes);
    return entry;
}

void ProtocolTrace::Sent(uint32_t ms, const uint8_t* data, size_t length, KeyFinder keys) {
    if (replySinceSent_) {
        sentBefore_.clear();
        replySinceSent_ = false;
    }
    Entry entry = ByteEntry(EntryKind::kSent, data, length, keys);
    sentBefore_.insert(sentBefore_.end(), data, data + length);
    Add(ms, std::move(entry));
}

void ProtocolTrace::Received(uint32_t ms, const uint8_t* data, size_t length, KeyFinder keys) {
    replySinceSent_ = true;
    Add(ms, ByteEntry(EntryKind::kReceived, data, length, keys));
}

void ProtocolTrace::Note(uint32_t ms, const std::string& text) {
    Entry entry;
    entry.note = text;
    Add(ms, std::move(entry));
}

void ProtocolTrace::Add(uint32_t ms, Entry entry) {
    if (!started_) {
        started_ = true;
        start_ = ms;
    }
    entry.ms = ms - start_;
    if (sink_)
        sink_(FormatEntry(entry, showKeys_) + "\n");
    entries_.push_back(std::move(entry));
    while (entries_.size() > capacity_)
        entries_.pop_front();
}

std::string ProtocolTrace::Text(bool showKeys, const char* newline) const {
    std::string text;
    for (const Entry& entry : entries_)
        text += FormatEntry(entry, showKeys) + newline;
    return text;
}

}  // namespace trace
