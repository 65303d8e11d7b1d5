// The USB printers of a Linux system by their device nodes (/dev/usb/lp0), and which of them is
// of a maker whose printers this utility configures.
#include "link/usb_printer_nodes_posix.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "link/usb_device_path.h"

namespace {

constexpr char kNodePrefix[] = "lp";
constexpr size_t kMaxNodeDigits = 4;

// N of a printer node's name "lpN"; -1 for any other name.
long NodeNumber(const std::string& name) {
    const size_t prefix = sizeof kNodePrefix - 1;
    if (name.compare(0, prefix, kNodePrefix) != 0 || name.size() == prefix ||
        name.size() > prefix + kMaxNodeDigits)
        return -1;
    long number = 0;
    for (size_t i = prefix; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return -1;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

// The first line of a sysfs attribute; "" when it cannot be read.
std::string Attribute(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

}  // namespace

std::string UsbPrinterNodeDir() {
    const char* dir = std::getenv("ZEPHRA_USB_NODE_DIR");
    std::string path = dir != nullptr && *dir != '\0' ? dir : "/dev/usb";
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool IsUsbPrinterNode(const std::string& path) {
    const std::string dir = UsbPrinterNodeDir() + "/";
    return path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0;
}

std::string FirstAcceptedUsbPrinterNode(const std::string& sysfs) {
    // The usbmisc class holds each printer-class interface the kernel's printer driver took.
    const std::string classDir = sysfs + "/class/usbmisc";
    std::vector<std::pair<long, std::string>> nodes;
    std::error_code error;
    for (std::filesystem::directory_iterator it(classDir, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const long number = NodeNumber(name);
        if (number >= 0)
            nodes.emplace_back(number, name);
    }
    std::sort(nodes.begin(), nodes.end());
    for (const auto& node : nodes) {
        // The kernel files the node under its interface (<device>/<interface>/usbmisc/lpN); the
        // USB device above that holds the ids.
        if (IsAcceptedUsbVendor(Attribute(classDir + "/" + node.second + "/../../../idVendor")))
            return UsbPrinterNodeDir() + "/" + node.second;
    }
    return std::string();
}
