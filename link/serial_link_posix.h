// The serial link on POSIX systems: a termios port opened exclusively, and the reader thread that
// cuts the printer's bytes into replies by line silence and feeds the receive queue.
#pragma once

#include <cstdint>
#include "link/link.h"
#include "link/posix_reader_thread.h"
#include "link/serial_timing.h"

// One open port, named by its path (/dev/ttyUSB0). The reader thread only moves bytes into the
// queue and calls the notify callback; opening, writing and closing belong to the caller's thread.
class CPosixSerialLink : public CLink {
  public:
    CPosixSerialLink() = default;
    ~CPosixSerialLink() override;
    CPosixSerialLink(const CPosixSerialLink&) = delete;
    CPosixSerialLink& operator=(const CPosixSerialLink&) = delete;

    // Opens and configures the port and starts the reader. On failure nothing stays open and
    // *error (when given) holds the system's error number.
    SerialOpenResult Open(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify,
                          int* error = nullptr);

    uint32_t WriteComm(const uint8_t* data, uint32_t length) override;
    void Close() override;

  private:
    SerialOpenResult Configure(const SerialSettings& settings);
    void ThreadWatchComm();
    // Hands the bytes held so far to the queue as one batch.
    void Deliver(uint32_t* held);

    int fd_ = -1;
    CPosixReaderThread reader_;
    SerialSettings settings_;
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
    uint8_t chunk_[kReplyChunkSize];
};
