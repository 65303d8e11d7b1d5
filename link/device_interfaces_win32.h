// The present interfaces of a device-interface class, one after another, as SetupAPI lists them.
#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <setupapi.h>

#include <functional>
#include <string>

enum class InterfaceListEnd {
    kComplete,      // every interface was visited
    kStopped,       // the visitor asked to stop
    kNoDeviceList,  // the system gave no device list for the class
    kFailed,        // the enumeration or an interface's details failed midway
};

// Receives an interface's path as the system reports it (what CreateFile opens) and its device
// in the list, for the device's own properties; returns whether to go on.
using InterfaceVisitor =
    std::function<bool(const std::string& path, HDEVINFO list, SP_DEVINFO_DATA& device)>;

InterfaceListEnd VisitDeviceInterfaces(const GUID& interfaceClass, const InterfaceVisitor& visit);
