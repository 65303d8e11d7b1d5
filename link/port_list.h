// The ports of this system where a printer may be: serial ports that are really there and USB
// printers of an accepted vendor, with what the system knows of each.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct PortInfo {
    enum class Kind { kSerial, kUsb } kind = Kind::kSerial;
    std::string path;         // what --port takes, or the interface path the USB link opens
    std::string byId;         // a name that stays when the adapter moves to another socket
    std::string vendorId;     // four hex digits, upper case; "" when not on USB
    std::string productId;    // four hex digits, upper case; "" when not on USB
    std::string description;  // the system's name for the device
    std::string serial;       // the USB device's serial number
};

// The ports the system lists, serial ports first. False, with the system's reason in *error,
// when it gave no list.
bool ListPorts(std::vector<PortInfo>* ports, std::string* error);
// ListPorts, or a stand-in for it.
using PortLister = std::function<bool(std::vector<PortInfo>* ports, std::string* error)>;
