// Connects the panel to an in-process simulated printer on the headless backend's virtual clock:
// what the panel writes reaches the printer at once, and the printer's replies come back through
// the receive queue after their delay, in order, one chunk per reply unless cut into pieces.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "link/link.h"
#include "link/rx_queue.h"
#include "sim/sim_printer.h"
#include "ui/headless/headless_backend.h"

class SimLinkProvider : public CLinkProvider {
  public:
    SimLinkProvider(ui::HeadlessBackend& ui, uint8_t model)
        : ui_(ui), printer_(model, [this](std::vector<uint8_t> bytes, unsigned delayMs) {
              Deliver(std::move(bytes), delayMs);
          }) {}

    CSimPrinter& Printer() { return printer_; }
    // Bytes the printer sends unasked, after those already on their way.
    void Inject(std::vector<uint8_t> bytes) { Deliver(std::move(bytes), 0); }
    // From now on each reply comes in pieces, pauseMs apart: cut at each offset of cuts (a
    // negative one counts from the reply's end), or byte by byte when cuts is empty.
    void CutReplies(std::vector<int> cuts, unsigned pauseMs) {
        cutting_ = true;
        cuts_ = std::move(cuts);
        pauseMs_ = pauseMs;
    }
    // Every WriteComm call of the panel and the pages, in order.
    std::vector<std::vector<uint8_t>> writes;

    SerialOpenResult OpenSerial(const SerialSettings&, CRxQueue& queue, NotifyFn notify,
                                std::unique_ptr<CLink>* link) override {
        queue_ = &queue;
        notify_ = std::move(notify);
        ++generation_;
        *link = std::make_unique<Link>(*this);
        return SerialOpenResult::kOpened;
    }
    UsbOpenResult OpenUsb(CRxQueue&, NotifyFn, ReadModeFn, std::unique_ptr<CLink>*) override {
        return UsbOpenResult::kNoAcceptedDevice;
    }

  private:
    class Link : public CLink {
      public:
        explicit Link(SimLinkProvider& owner) : owner_(owner) {}
        uint32_t WriteComm(const uint8_t* data, uint32_t length) override {
            if (closed_)
                return 0;
            owner_.writes.emplace_back(data, data + length);
            owner_.printer_.Receive(data, length);
            return length;
        }
        void Close() override {
            closed_ = true;
            ++owner_.generation_;  // replies still on their way are lost with the link
        }

      private:
        SimLinkProvider& owner_;
        bool closed_ = false;
    };

    void Deliver(std::vector<uint8_t> bytes, unsigned delayMs) {
        // Replies never overtake one another, whatever their delays.
        uint32_t due = std::max(ui_.TickCount() + delayMs, lastDue_);
        std::vector<size_t> ends;
        for (size_t i = 1; cutting_ && cuts_.empty() && i < bytes.size(); ++i)
            ends.push_back(i);
        for (int cut : cuts_) {
            const long end = cut < 0 ? static_cast<long>(bytes.size()) + cut : cut;
            if (end > 0 && end < static_cast<long>(bytes.size()))
                ends.push_back(static_cast<size_t>(end));
        }
        ends.push_back(bytes.size());
        std::sort(ends.begin(), ends.end());
        ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
        size_t begin = 0;
        for (size_t end : ends) {
            DeliverPiece(std::vector<uint8_t>(bytes.begin() + static_cast<long>(begin),
                                              bytes.begin() + static_cast<long>(end)),
                         due);
            begin = end;
            due += pauseMs_;
        }
    }

    void DeliverPiece(std::vector<uint8_t> bytes, uint32_t due) {
        lastDue_ = due;
        const uint64_t generation = generation_;
        ui_.ScheduleAfter(due - ui_.TickCount(), [this, bytes, generation] {
            if (generation != generation_ || queue_ == nullptr)
                return;
            if (queue_->PutChunk(bytes.data(), static_cast<uint32_t>(bytes.size()))) {
                notify_(LinkEvent::kData);
            } else {
                notify_(LinkEvent::kQueueFull);
            }
        });
    }

    ui::HeadlessBackend& ui_;
    CSimPrinter printer_;
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
    uint64_t generation_ = 0;
    uint32_t lastDue_ = 0;
    bool cutting_ = false;
    std::vector<int> cuts_;
    unsigned pauseMs_ = 0;
};
