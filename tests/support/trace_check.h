// Checks a page's protocol trace: its key bytes masked, every other byte shown.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "page_shared/trace.h"

// key must have gone over the wire in both directions: the masked trace must hold no copy of it,
// in hex or as characters, and must differ from the shown trace only where it says '*'.
inline void ExpectKeyMasked(const trace::ProtocolTrace& trace, const std::string& key) {
    std::string hex;
    for (unsigned char c : key) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X ", c);
        hex += byte;
    }
    const std::string masked = trace.Text(false), shown = trace.Text(true);
    EXPECT_EQ(masked.find(key), std::string::npos);
    EXPECT_EQ(masked.find(hex), std::string::npos);
    EXPECT_NE(shown.find(hex), std::string::npos) << shown;
    int sentKeys = 0, receivedKeys = 0;
    for (const trace::Entry& entry : trace.Entries()) {
        if (!entry.keys.empty())
            ++(entry.kind == trace::EntryKind::kSent ? sentKeys : receivedKeys);
        const std::string m = trace::FormatEntry(entry, false), s = trace::FormatEntry(entry, true);
        ASSERT_EQ(m.size(), s.size());
        for (size_t i = 0; i < m.size(); ++i) {
            if (m[i] != s[i]) {
                ASSERT_EQ(m[i], '*') << m;
            }
        }
    }
    EXPECT_GT(sentKeys, 0);
    EXPECT_GT(receivedKeys, 0);
}
