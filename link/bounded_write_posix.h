// A write to a non-blocking device, bounded in time, shared by the POSIX links.
#pragma once

#include <cstdint>

// Writes length bytes to fd, waiting for room in the device for at most ms in all. Returns the
// count written: length, or fewer when the device failed or the time ran out.
uint32_t WriteWithin(int fd, const uint8_t* data, uint32_t length, uint32_t ms);
