// The USB printer link on POSIX systems: the printer-class device node (/dev/usb/lp0) and the
// reader thread that batches its chunks as the USB link does and feeds the receive queue.
#pragma once

#include <cstdint>
#include <string>
#include "link/link.h"
#include "link/posix_reader_thread.h"
#include "link/usb_timing.h"

// One open USB printer, named by its node's path. The reader thread only moves bytes into the
// queue and calls the notify callback; opening, writing and closing belong to the caller's thread.
class CPosixUsbLink : public CLink {
  public:
    CPosixUsbLink() = default;
    ~CPosixUsbLink() override;
    CPosixUsbLink(const CPosixUsbLink&) = delete;
    CPosixUsbLink& operator=(const CPosixUsbLink&) = delete;

    // Opens the node and starts the reader. The notify callback and readMode run on the reader
    // thread and must not wait for the caller's (Close waits for the reader). On failure nothing
    // stays open and *error (when given) holds the system's error number.
    UsbOpenResult Open(const std::string& path, CRxQueue& queue, NotifyFn notify,
                       ReadModeFn readMode, int* error = nullptr);

    uint32_t WriteComm(const uint8_t* data, uint32_t length) override;
    void Close() override;

  private:
    void TestUSBReadThread();

    int fd_ = -1;
    CPosixReaderThread reader_;
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
    ReadModeFn readMode_;
    uint8_t chunk_[kUsbChunkSize];
};
