// Hands the main dialog links to the real Win32 devices.
#include "link/win32_link_provider.h"

#include <utility>

#include "link/serial_link_win32.h"
#include "link/usb_link_win32.h"
#include "ui/win32/text.h"

namespace {

// The system's words for an error code, as one line without its closing full stop.
std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = n > 0 ? ui::Narrow(std::wstring(text, n)) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(code) : message;
}

}  // namespace

SerialOpenResult CWin32LinkProvider::OpenSerial(const SerialSettings& settings, CRxQueue& queue,
                                                NotifyFn notify, std::unique_ptr<CLink>* link) {
    auto serial = std::make_unique<CSerialLink>();
    DWORD error = 0;
    const SerialOpenResult result = serial->Open(settings, queue, std::move(notify), &error);
    lastError_ = result == SerialOpenResult::kOpened ? std::string() : SystemMessage(error);
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
        lastError_ = "no printer found on USB";
    else
        lastError_ = SystemMessage(error);
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
