// Hands the main dialog links to the serial ports of a POSIX system.
#pragma once

#include <memory>
#include <string>

#include "link/link.h"

class CPosixLinkProvider : public CLinkProvider {
  public:
    // The port name is the device's path.
    SerialOpenResult OpenSerial(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify,
                                std::unique_ptr<CLink>* link) override;
    // Printers on USB are reached through their serial device here.
    UsbOpenResult OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                          std::unique_ptr<CLink>* link) override;

    std::string LastError() const override { return lastError_; }

  private:
    std::string lastError_;
};
