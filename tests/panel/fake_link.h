// A link provider for panel tests: records what the panel asks of the link and lets a test play
// the reader thread.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "link/link.h"
#include "link/rx_queue.h"
#include "link/usb_chunk_batching.h"

struct FakeLinkLog {
    std::vector<SerialSettings> opens;
    int usbOpens = 0;
    std::vector<std::vector<uint8_t>> writes;
    int closes = 0;
    int open = 0;  // links handed out and neither closed nor destroyed since
    // Called after each write, as the printer would see it.
    std::function<void(const std::vector<uint8_t>&)> onWrite;
};

class FakeLink : public CLink {
  public:
    explicit FakeLink(FakeLinkLog& log) : log_(log) { ++log_.open; }
    ~FakeLink() override {
        if (!closed_)
            --log_.open;
    }
    uint32_t WriteComm(const uint8_t* data, uint32_t length) override {
        if (closed_)
            return 0;
        log_.writes.emplace_back(data, data + length);
        if (log_.onWrite)
            log_.onWrite(log_.writes.back());
        return length;
    }
    void Close() override {
        if (!closed_) {
            ++log_.closes;
            --log_.open;
        }
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
        const auto given = resultFor.find(settings.portName);
        const SerialOpenResult result = given != resultFor.end() ? given->second : nextResult;
        if (result != SerialOpenResult::kOpened)
            return result;
        queue_ = &queue;
        notify_ = std::move(notify);
        byPort_[settings.portName] = {queue_, notify_};
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
    // Plays the reader of the port's latest link, as Receive does.
    void ReceiveOn(const std::string& port, const std::vector<uint8_t>& bytes) {
        const Reader& reader = byPort_.at(port);
        reader.queue->PutChunk(bytes.data(), static_cast<uint32_t>(bytes.size()));
        reader.notify(LinkEvent::kData);
    }
    // Plays the reader of the port's latest link after its line went away.
    void DropLine(const std::string& port) { byPort_.at(port).notify(LinkEvent::kDisconnected); }
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
    // What opening a port by that name gives, in place of nextResult.
    std::map<std::string, SerialOpenResult> resultFor;

  private:
    struct Reader {
        CRxQueue* queue;
        NotifyFn notify;
    };
    std::map<std::string, Reader> byPort_;
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
    ReadModeFn readMode_;
};
