// Which USB printer interface paths belong to a printer this utility configures, and which one
// opens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A device interface path taken apart. The system reports paths like
//   \\?\usb#vid_3c7d&pid_0012#5&1a2b3c&0&1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}
// which normalise to "USB\VID_3C7D&PID_0012\5&1A2B3C&0&1".
struct UsbDevicePath {
    std::string normalised;
    std::string bus;      // text before the first backslash
    std::string vendor;   // the 4 characters at position 8, fewer when the path is short
    std::string product;  // the 4 characters at position 17, fewer when the path is short
};

// Drops the 4-character "\\?\" prefix, cuts the interface class part after the last '#', turns
// the remaining '#' into backslashes and upper-cases the result. A path without '#' has no
// interface class part and normalises to an empty text: it cannot name a printer interface.
std::string NormaliseUsbDevicePath(const std::string& path);

UsbDevicePath ParseUsbDevicePath(const std::string& path);

// A vendor id, four hex digits in any case, of a maker whose printers this utility configures.
bool IsAcceptedUsbVendor(const std::string& vendor);

// Bus "USB" and vendor id 3C7D or 6E4B, whatever the product id and the letter case.
bool IsAcceptedUsbPrinter(const std::string& path);

// What a USB device's instance id, as in "USB\VID_2A3B&PID_0101\A1B2C3", names: the vendor and
// product ids in upper case, and the serial number, "" when the device has none (the system then
// makes up an instance part with '&' in it).
struct UsbInstanceIds {
    std::string vendor, product, serial;
};
// False for an id that is not a USB device's own: another bus, or one interface of a device.
bool ParseUsbDeviceInstanceId(const std::string& id, UsbInstanceIds* ids);

constexpr size_t kNoUsbPrinter = static_cast<size_t>(-1);

// Index in paths (enumeration order) of the accepted device number instance (0 is the first
// accepted one), or kNoUsbPrinter.
size_t SelectUsbPrinter(const std::vector<std::string>& paths, uint32_t instance);
