// How the panel's choices become the serial driver's parameters.
#pragma once

#include <cstdint>
#include <string>

#include "link/link.h"
#include "link/port_device_name.h"

// Decimal value of the leading digits of a list entry, 0 when there are none.
uint32_t DecimalValue(const std::string& text);

// "1" gives the driver's code 0 (one stop bit); any other value is its own code ("2" gives 2).
uint8_t StopBitsCode(const std::string& stopBits);

// parityIndex is the parity list's selection: 0 None, 1 Odd, 2 Even, equal to the driver's codes.
SerialSettings MakeSerialSettings(const std::string& port, const std::string& baud, int parityIndex,
                                  const std::string& dataBits, const std::string& stopBits);
