// Hands the main dialog links to the serial ports and USB printers of a POSIX system.
#pragma once

#include <memory>
#include <string>

#include "link/link.h"

class CPosixLinkProvider : public CLinkProvider {
  public:
    // The port name is the device's path.
    SerialOpenResult OpenSerial(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify,
                                std::unique_ptr<CLink>* link) override;
    // Opens the USB printer node set with SetUsbDevice; none set, there is no printer to open.
    UsbOpenResult OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                          std::unique_ptr<CLink>* link) override;
    void SetUsbDevice(const std::string& path) override { usbDevice_ = path; }

    std::string LastError() const override { return lastError_; }

  private:
    std::string lastError_;
    std::string usbDevice_;
};
