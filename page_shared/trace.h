// The protocol trace: a bounded record of every frame sent to and received from the printer, with
// the messages the operator saw in between, kept for the life of the main dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "page_shared/trace_keys.h"

namespace trace {

enum class EntryKind { kSent, kReceived, kNote };

struct Entry {
    uint32_t ms = 0;  // since the trace began
    EntryKind kind = EntryKind::kNote;
    Bytes bytes;             // a frame
    std::vector<Span> keys;  // its key bytes
    std::string note;        // a message or status text
};

// One line per entry: time, direction, hex bytes, then the printable characters. Key bytes read
// "**" and '*' unless showKeys.
std::string FormatEntry(const Entry& entry, bool showKeys);

class ProtocolTrace {
  public:
    static constexpr size_t kDefaultCapacity = 4000;
    explicit ProtocolTrace(size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

    // Receives each entry's line as it is recorded (the --trace file).
    void SetSink(std::function<void(const std::string& line)> sink) { sink_ = std::move(sink); }
    // Whether keys show in the sink's lines and, at first, in the trace window (--trace-keys).
    void SetShowKeys(bool show) { showKeys_ = show; }
    bool ShowKeys() const { return showKeys_; }

    // ms is the caller's clock; the trace counts from the first entry's time.
    void Sent(uint32_t ms, const uint8_t* data, size_t length, KeyFinder keys);
    void Received(uint32_t ms, const uint8_t* data, size_t length, KeyFinder keys);
    void Note(uint32_t ms, const std::string& text);

    const std::deque<Entry>& Entries() const { return entries_; }
    // Every entry's line, oldest first.
    std::string Text(bool showKeys, const char* newline = "\n") const;

  private:
    // An entry of the bytes sent or received, with the keys in them found.
    Entry ByteEntry(EntryKind kind, const uint8_t* data, size_t length, KeyFinder keys) const;
    void Add(uint32_t ms, Entry entry);

    size_t capacity_;
    std::deque<Entry> entries_;
    bool started_ = false;
    uint32_t start_ = 0;
    // The writes since the last reply, which the next frame's key finder reads.
    Bytes sentBefore_;
    bool replySinceSent_ = false;
    std::function<void(const std::string&)> sink_;
    bool showKeys_ = false;
};

}  // namespace trace
