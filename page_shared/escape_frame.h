// What every printer family's requests and replies open with: ESC '~', then the request's letter.
#pragma once

#include <cstdint>

namespace escape {

constexpr uint8_t kEsc = 0x1B;
constexpr uint8_t kTilde = 0x7E;

}  // namespace escape
