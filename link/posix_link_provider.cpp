// Hands the main dialog links to the serial ports of a POSIX system.
#include "link/posix_link_provider.h"

#include <cstring>

#include "link/serial_link_posix.h"

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

UsbOpenResult CPosixLinkProvider::OpenUsb(CRxQueue&, NotifyFn, ReadModeFn,
                                          std::unique_ptr<CLink>*) {
    return UsbOpenResult::kNoDeviceList;
}
