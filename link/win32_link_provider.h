// Hands the main dialog links to the real Win32 devices.
#pragma once

#include <memory>
#include <string>

#include "link/link.h"

class CWin32LinkProvider : public CLinkProvider {
  public:
    SerialOpenResult OpenSerial(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify,
                                std::unique_ptr<CLink>* link) override;
    UsbOpenResult OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                          std::unique_ptr<CLink>* link) override;

    std::string LastError() const override { return lastError_; }

  private:
    UsbOpenResult FindAndOpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                                 std::unique_ptr<CLink>* link);

    std::string lastError_;
};
