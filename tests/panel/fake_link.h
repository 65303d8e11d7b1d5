// A link provider for panel tests: records what the panel asks of the link and lets a test play
// the reader thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "link/link.h"
#include "link/rx_queue.h"
#include "link/usb_chunk_batching.h"

struct FakeLinkLog {
    std::vector<SerialSettings> opens;
    int usbOpens = 0;
    std::vector<std::vector<uint8_t>> writes;
    int closes = 0;
    // Called after each write, as the printer would see it.
    std::function<void(const std::vector<uint8_t>&)> onWrite;
};

class FakeLink : public CLink {
  public:
    explicit FakeLink(FakeLinkLog& log) : log_(log) {}
    uint32_t WriteComm(const uint8_t* data, uint32_t length) override {
        if (closed_)
            return 0;
        log_.writes.emplace_back(data, data + length);
        if (log_.onWrite)
            log_.onWrite(log_.writes.back());
        return length;
    }
    void Close() override {
        if (!closed_)
            ++log_.closes;
        closed_ = true;
    }

  private:
    FakeLinkLog& log_;
    bool closed_ = false;
};

class FakeLinkProvider : public CLinkProvider {
  public:
    SerialOpenResult OpenSerial(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify,
                                std::unique_ptr<CLink>* link) override {
        log.opens.push_back(settings);
        if (nextResult != SerialOpenResult::kOpened)
            return nextResult;
        queue_ = &queue;
        notify_ = std::move(notify);
        *link = std::make_unique<FakeLink>(log);
        return SerialOpenResult::kOpened;
    }

    UsbOpenResult OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                          std::unique_ptr<CLink>* link) override {
        ++log.usbOpens;
        if (nextUsbResult != UsbOpenResult::kOpened)
            return nextUsbResult;
        queue_ = &queue;
        notify_ = std::move(notify);
        readMode_ = std::move(readMode);
        *link = std::make_unique<FakeLink>(log);
        return UsbOpenResult::kOpened;
    }

    // Plays the reader thread: queues a chunk and notifies.
    void Receive(const std::vector<uint8_t>& bytes) {
        queue_->PutChunk(bytes.data(), static_cast<uint32_t>(bytes.size()));
        notify_(LinkEvent::kData);
    }
    // Plays the USB reader: one chunk as it batches it, asking the panel for the read mode.
    UsbChunkPlan ReceiveUsb(const std::vector<uint8_t>& bytes) {
        return DeliverUsbChunk(*queue_, notify_, bytes.data(), static_cast<uint32_t>(bytes.size()),
                               readMode_ && readMode_());
    }
    // Plays the USB reader after a failed read and its wait.
    void Unplug() { notify_(LinkEvent::kDisconnected); }
    // The callback of the latest open, to play a reader that outlived its link.
    NotifyFn LatestNotify() const { return notify_; }

    FakeLinkLog log;
    SerialOpenResult nextResult = SerialOpenResult::kOpened;
    UsbOpenResult nextUsbResult = UsbOpenResult::kOpened;

  private:
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
    ReadModeFn readMode_;
};
