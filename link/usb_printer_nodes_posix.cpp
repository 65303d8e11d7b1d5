// Where the USB printers of a Linux system have their device nodes (/dev/usb/lp0).
#include "link/usb_printer_nodes_posix.h"

#include <cstdlib>

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

std::string UsbPrinterNode(const std::string& listed) {
    return UsbPrinterNodeDir() + "/" + listed.substr(listed.rfind('/') + 1);
}
