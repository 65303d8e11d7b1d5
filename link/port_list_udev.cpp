// The ports of a Linux system, from udev: tty devices with hardware behind them and USB printers.
#include <libudev.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <sstream>
#include <system_error>

#include "link/port_list.h"
#include "link/usb_device_path.h"

namespace {

template <typename T, T* (*Release)(T*)>
struct Unref {
    void operator()(T* object) const { Release(object); }
};
using Udev = std::unique_ptr<udev, Unref<udev, udev_unref>>;
using Enumeration = std::unique_ptr<udev_enumerate, Unref<udev_enumerate, udev_enumerate_unref>>;
using Device = std::unique_ptr<udev_device, Unref<udev_device, udev_device_unref>>;

constexpr char kUsbPrinterClass[] = "07";

std::string Text(const char* value) {
    return value == nullptr ? std::string() : std::string(value);
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The device's by-id link, which names the adapter rather than the order it was plugged in.
std::string ByIdLink(udev_device* device) {
    std::istringstream links(Text(udev_device_get_property_value(device, "DEVLINKS")));
    for (std::string link; links >> link;) {
        if (link.find("/by-id/") != std::string::npos)
            return link;
    }
    return std::string();
}

// A terminal device with hardware behind it. Virtual consoles and pseudo-terminals have no parent
// device; the serial core registers its placeholder ports whether or not a UART is there, and
// says which with its type attribute (0, unknown, when none is).
bool IsSerialPort(udev_device* tty) {
    if (udev_device_get_devnode(tty) == nullptr || udev_device_get_parent(tty) == nullptr)
        return false;
    const char* type = udev_device_get_sysattr_value(tty, "type");
    return type == nullptr || std::string(type) != "0";
}

// What the USB device the port belongs to says of itself; nothing for a port not on USB.
void DescribeUsbDevice(udev_device* device, PortInfo* port) {
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    if (usb == nullptr)
        return;
    port->vendorId = Upper(Text(udev_device_get_sysattr_value(usb, "idVendor")));
    port->productId = Upper(Text(udev_device_get_sysattr_value(usb, "idProduct")));
    port->serial = Text(udev_device_get_sysattr_value(usb, "serial"));
    const std::string maker = Text(udev_device_get_sysattr_value(usb, "manufacturer"));
    const std::string product = Text(udev_device_get_sysattr_value(usb, "product"));
    port->description = maker.empty() || product.empty() ? maker + product : maker + " " + product;
}

// A usbmisc device that is the printer-class interface of an accepted vendor's printer.
bool IsAcceptedPrinter(udev_device* misc, const PortInfo& described) {
    udev_device* usbInterface =
        udev_device_get_parent_with_subsystem_devtype(misc, "usb", "usb_interface");
    return usbInterface != nullptr &&
           Text(udev_device_get_sysattr_value(usbInterface, "bInterfaceClass")) ==
               kUsbPrinterClass &&
           IsAcceptedUsbVendor(described.vendorId);
}

}  // namespace

bool ListPorts(std::vector<PortInfo>* ports, std::string* error) {
    const Udev context(udev_new());
    const Enumeration enumeration(context ? udev_enumerate_new(context.get()) : nullptr);
    if (!enumeration) {
        *error = "udev: " + std::generic_category().message(errno);
        return false;
    }
    udev_enumerate_add_match_subsystem(enumeration.get(), "tty");
    udev_enumerate_add_match_subsystem(enumeration.get(), "usbmisc");
    const int scanned = udev_enumerate_scan_devices(enumeration.get());
    if (scanned < 0) {
        *error = "udev: " + std::generic_category().message(-scanned);
        return false;
    }
    std::vector<PortInfo> printers;
    udev_list_entry* entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration.get())) {
        const Device device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!device || udev_device_get_devnode(device.get()) == nullptr)
            continue;
        PortInfo port;
        port.path = udev_device_get_devnode(device.get());
        port.byId = ByIdLink(device.get());
        DescribeUsbDevice(device.get(), &port);
        if (Text(udev_device_get_subsystem(device.get())) == "tty") {
            if (IsSerialPort(device.get()))
                ports->push_back(port);
        } else if (IsAcceptedPrinter(device.get(), port)) {
            port.kind = PortInfo::Kind::kUsb;
            printers.push_back(port);
        }
    }
    ports->insert(ports->end(), printers.begin(), printers.end());
    return true;
}
