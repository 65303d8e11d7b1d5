// Hands the main dialog links to the serial ports and USB printers of a POSIX system.
#include "link/posix_link_provider.h"

#include <cstring>

#include "link/serial_link_posix.h"
#include "link/usb_link_posix.h"

SerialOpenResult CPosixLinkProvider::OpenSerial(const SerialSettings& settings, CRxQueue& queue,
                                                NotifyFn notify, std::unique_ptr<CLink>* link) {
    auto serial = std::make_unique<CPosixSerialLink>();
    int error = 0;
    const SerialOpenResult result = serial->Open(settings, queue, std::move(notify), &error);
    lastError_ = result == SerialOpenResult::kOpened ? std::string() : std::strerror(error);
    if (result == SerialOpenResult::kOpened)
        *link = std::move(serial);
    return result;
}

UsbOpenResult CPosixLinkProvider::OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                                          std::unique_ptr<CLink>* link) {
    if (usbDevice_.empty()) {
        lastError_ = kNoUsbPrinterFound;
        return UsbOpenResult::kNoAcceptedDevice;
    }
    auto usb = std::make_unique<CPosixUsbLink>();
    int error = 0;
    const UsbOpenResult result =
        usb->Open(usbDevice_, queue, std::move(notify), std::move(readMode), &error);
    lastError_ =
        result == UsbOpenResult::kOpened ? std::string() : usbDevice_ + ": " + std::strerror(error);
    if (result == UsbOpenResult::kOpened)
        *link = std::move(usb);
    return result;
}
