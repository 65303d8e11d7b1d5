// Where the USB printers of a Linux system have their device nodes (/dev/usb/lp0).
#pragma once

#include <string>

// The folder of the USB printer nodes: /dev/usb, or the folder ZEPHRA_USB_NODE_DIR names, where
// tests put links to pseudo-terminals that stand in for printers.
std::string UsbPrinterNodeDir();

// A path in that folder: the USB link opens it, not the serial one.
bool IsUsbPrinterNode(const std::string& path);

// The node in that folder of a printer the system lists by its node's path.
std::string UsbPrinterNode(const std::string& listed);
