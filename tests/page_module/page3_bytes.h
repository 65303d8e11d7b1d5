// Byte-building helpers for the Wi-Fi module protocol tests.
#pragma once

#include <initializer_list>
#include <string>

#include "page_module/page3_protocol.h"

namespace page3 {

inline Bytes B(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes operator+(Bytes a, const std::string& text) {
    a.insert(a.end(), text.begin(), text.end());
    return a;
}

}  // namespace page3
