// The serial COM-port link: overlapped port I/O and the reader thread that feeds the receive queue.
#pragma once

#include <windows.h>

#include <cstdint>

#include "link/bounded_writer.h"
#include "link/link.h"
#include "link/reader_thread.h"
#include "link/serial_timing.h"
#include "link/win_handle.h"

// One open COM port. The reader thread only moves bytes into the queue and calls the notify
// callback; opening, writing and closing belong to the UI thread.
class CSerialLink : public CLink {
  public:
    CSerialLink() = default;
    ~CSerialLink() override;
    CSerialLink(const CSerialLink&) = delete;
    CSerialLink& operator=(const CSerialLink&) = delete;

    // Opens and configures the port and starts the reader. The notify callback runs on the reader
    // thread and must not wait for the UI thread (Close waits for the reader). On failure nothing
    // stays open, and *error holds the system's error code of the step that failed.
    SerialOpenResult Open(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify,
                          DWORD* error);

    uint32_t WriteComm(const uint8_t* data, uint32_t length) override;
    void Close() override;

  private:
    void ThreadWatchComm();
    // Reads into buffer until the line has been quiet for the gap or size bytes have come.
    CReaderThread::IoResult ReadComm(uint8_t* buffer, uint32_t size, DWORD* count);
    bool InputWaiting();

    CWinHandle comm_;
    CWinHandle readEvent_;
    CReaderThread reader_;
    CBoundedWriter writer_;
    OVERLAPPED osRead_{};
    SerialSettings settings_;
    // The read buffer outlives the reader: a read that ignored its cancel is only completed by
    // CloseHandle.
    uint8_t chunk_[kReplyChunkSize];
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
};
