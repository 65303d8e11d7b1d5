// The line protocol both console probes speak over stdin/stdout: one command per line, one reply
// line each ("ok ..." or "err ..."), hex for bytes and "-" for none.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "link/rx_queue.h"

namespace probe {

inline bool ParseHex(const std::string& text, std::vector<uint8_t>* out) {
    if (text.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(text.c_str() + i, "%2x", &value) != 1)
            return false;
        out->push_back(static_cast<uint8_t>(value));
    }
    return true;
}

inline std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string hex;
    char buf[3];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02x", b);
        hex += buf;
    }
    return hex.empty() ? "-" : hex;
}

// Takes what the queue holds now, oldest first.
inline std::vector<uint8_t> Drain(CRxQueue& queue) {
    std::vector<uint8_t> bytes;
    const int count = queue.GetCount();
    for (int i = 0; i < count; ++i) {
        uint8_t b = 0;
        if (!queue.Get(&b))
            break;
        bytes.push_back(b);
    }
    return bytes;
}

// Flushed at once: the test waits for each reply before it sends the next command.
inline void Reply(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

// Hands each command to handle until "quit" or the end of input; handle returns false for a
// command it does not know.
using Handler = std::function<bool(const std::string& cmd, std::istringstream& in)>;

inline void Run(const Handler& handle) {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream in(line);
        std::string cmd;
        in >> cmd;
        if (cmd == "quit") {
            Reply("ok");
            return;
        }
        if (!handle(cmd, in))
            Reply("err unknown command");
    }
}

}  // namespace probe
