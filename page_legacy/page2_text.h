// The legacy printers' texts are bytes, one per character; the program's strings are UTF-8.
// Each byte maps to the character of the same code (0x80 to 0xFF included), so whatever the
// printer holds shows as characters and is written back byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace page2 {

std::string BytesToText(const uint8_t* bytes, size_t n);
// A character above U+00FF, or a byte that begins no valid UTF-8 sequence, becomes '?'.
std::vector<uint8_t> TextToBytes(const std::string& text);

}  // namespace page2
