// The name a serial link opens for a port as the system lists it.
#include "link/port_device_name.h"

std::string PortDeviceName(const std::string& port) {
    // A path names a POSIX device as it is.
    if (!port.empty() && port[0] == '/')
        return port;
    const size_t digits = port.size() > 3 ? port.size() - 3 : 0;
    if (digits == 1)
        return port;
    return "\\\\.\\" + port;
}
