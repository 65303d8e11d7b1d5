// The system's links as the panel opens them, watched for a line that goes away: the panel only
// shows that in a box, and the command line has to say it in its result.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "link/link.h"

class CLinkLossWatch : public CLinkProvider {
  public:
    explicit CLinkLossWatch(std::unique_ptr<CLinkProvider> links) : links_(std::move(links)) {}

    SerialOpenResult OpenSerial(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify,
                                std::unique_ptr<CLink>* link) override;
    UsbOpenResult OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                          std::unique_ptr<CLink>* link) override;
    void SetUsbDevice(const std::string& path) override { links_->SetUsbDevice(path); }
    std::string LastError() const override { return links_->LastError(); }

    // A link opened here has reported its line gone (an adapter unplugged, a pseudo-terminal hung
    // up). Any thread.
    bool Lost() const { return lost_; }

  private:
    // Passes every event on, noting a lost line first, so that it is known before the panel
    // hears of it.
    NotifyFn Watch(NotifyFn notify);

    std::unique_ptr<CLinkProvider> links_;
    std::atomic<bool> lost_{false};
};
