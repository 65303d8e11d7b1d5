// The USB printers of a Linux system by their device nodes (/dev/usb/lp0), and which of them is
// of a maker whose printers this utility configures.
#pragma once

#include <string>

// The folder of the USB printer nodes: /dev/usb, or the folder ZEPHRA_USB_NODE_DIR names, where
// tests put links to pseudo-terminals that stand in for printers.
std::string UsbPrinterNodeDir();

// A path in that folder: the USB link opens it, not the serial one.
bool IsUsbPrinterNode(const std::string& path);

// The node of the first USB printer (lp0 before lp1) whose USB device the kernel's sysfs, under
// sysfs, gives an accepted vendor id; "" when there is none.
std::string FirstAcceptedUsbPrinterNode(const std::string& sysfs = "/sys");
