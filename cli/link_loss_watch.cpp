// The system's links as the panel opens them, watched for a line that goes away.
#include "cli/link_loss_watch.h"

SerialOpenResult CLinkLossWatch::OpenSerial(const SerialSettings& settings, CRxQueue& queue,
                                            NotifyFn notify, std::unique_ptr<CLink>* link) {
    return links_->OpenSerial(settings, queue, Watch(std::move(notify)), link);
}

UsbOpenResult CLinkLossWatch::OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                                      std::unique_ptr<CLink>* link) {
    return links_->OpenUsb(queue, Watch(std::move(notify)), std::move(readMode), link);
}

NotifyFn CLinkLossWatch::Watch(NotifyFn notify) {
    return [this, notify = std::move(notify)](LinkEvent event) {
        if (event == LinkEvent::kDisconnected)
            lost_ = true;
        if (notify)
            notify(event);
    };
}
