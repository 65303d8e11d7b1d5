// How a printer's MAC address and a network address are written: what backups, inventories and
// the network check all take.
#pragma once

#include <string>

// A MAC address written with ':', '-' or no separators, in any case, as twelve lowercase
// hexadecimal digits; "" when it is none.
std::string MacKey(const std::string& text);

// Whether text is a dotted IPv4 address: four decimal octets up to 255, without leading zeros.
bool IsIpv4(const std::string& text);
