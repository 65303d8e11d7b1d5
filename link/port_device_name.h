// The name a serial link opens for a port as the system lists it.
#pragma once

#include <string>

// "COM1".."COM9" open as they are; two-digit ports need the device namespace form "\\.\COM12".
// Paths (POSIX devices, "/dev/ttyUSB0") are names as they are.
std::string PortDeviceName(const std::string& port);
