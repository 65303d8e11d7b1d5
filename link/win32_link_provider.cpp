// Hands the main dialog links to the real Win32 devices.
#include "link/win32_link_provider.h"

#include <utility>

#include "link/serial_link_win32.h"

SerialOpenResult CWin32LinkProvider::OpenSerial(const SerialSettings& settings, CRxQueue& queue,
                                                NotifyFn notify, std::unique_ptr<CLink>* link) {
    auto serial = std::make_unique<CSerialLink>();
    const SerialOpenResult result = serial->Open(settings, queue, std::move(notify));
    if (result == SerialOpenResult::kOpened && link != nullptr) {
        *link = std::move(serial);
    }
    return result;
}
