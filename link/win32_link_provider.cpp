// Hands the main dialog links to the real Win32 devices.
#include "link/win32_link_provider.h"

#include <utility>

#include "link/serial_link_win32.h"
#include "link/usb_link_win32.h"
#include "ui/win32/text.h"

SerialOpenResult CWin32LinkProvider::OpenSerial(const SerialSettings& settings, CRxQueue& queue,
                                                NotifyFn notify, std::unique_ptr<CLink>* link) {
    auto serial = std::make_unique<CSerialLink>();
    DWORD error = 0;
    const SerialOpenResult result = serial->Open(settings, queue, std::move(notify), &error);
    lastError_ = result == SerialOpenResult::kOpened ? std::string() : ui::SystemMessage(error);
    if (result == SerialOpenResult::kOpened && link != nullptr) {
        *link = std::move(serial);
    }
    return result;
}

UsbOpenResult CWin32LinkProvider::OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                                          std::unique_ptr<CLink>* link) {
    const UsbOpenResult result =
        FindAndOpenUsb(queue, std::move(notify), std::move(readMode), link);
    const DWORD error = GetLastError();
    if (result == UsbOpenResult::kOpened)
        lastError_.clear();
    else if (result == UsbOpenResult::kNoAcceptedDevice)
        lastError_ = kNoUsbPrinterFound;
    else
        lastError_ = ui::SystemMessage(error);
    return result;
}

UsbOpenResult CWin32LinkProvider::FindAndOpenUsb(CRxQueue& queue, NotifyFn notify,
                                                 ReadModeFn readMode,
                                                 std::unique_ptr<CLink>* link) {
    auto usb = std::make_unique<CUsbLink>();
    if (!usb->CreateEvents())
        return UsbOpenResult::kNoEvent;
    std::string path;
    const UsbOpenResult found = FindUsbPrinter(kUsbPrintInterface, 0, &path);
    if (found != UsbOpenResult::kOpened)
        return found;
    const UsbOpenResult result = usb->Open(path, queue, std::move(notify), std::move(readMode));
    if (result == UsbOpenResult::kOpened && link != nullptr) {
        *link = std::move(usb);
    }
    return result;
}
