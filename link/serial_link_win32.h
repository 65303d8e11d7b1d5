// The serial COM-port link: overlapped port I/O and the reader thread that feeds the receive queue.
#pragma once

#include <windows.h>

#include <cstdint>

#include "link/bounded_writer.h"
#include "link/link.h"
#include "link/reader_thread.h"
#include "link/win_handle.h"

// One open COM port. The reader thread only moves bytes into the queue and calls the notify
// callback; opening, writing and closing belong to the UI thread.
class CSerialLink : public CLink {
  public:
    // A reply counts as complete once the line has been quiet this long. USB-serial adapters
    // pause up to about 16 ms between the bursts of one reply.
    static constexpr DWORD kReplyGapMs = 30;
    // A line that never goes quiet is still delivered, in pieces of at most this size; two of
    // them fit into the receive queue.
    static constexpr uint32_t kChunkSize = 1024;
    // How long a write may take beyond its bytes' own time on the line before it is given up.
    static constexpr DWORD kWriteGraceMs = 2000;

    CSerialLink() = default;
    ~CSerialLink() override;
    CSerialLink(const CSerialLink&) = delete;
    CSerialLink& operator=(const CSerialLink&) = delete;

    // Opens and configures the port and starts the reader. The notify callback runs on the reader
    // thread and must not wait for the UI thread (Close waits for the reader). On failure nothing
    // stays open.
    SerialOpenResult Open(const SerialSettings& settings, CRxQueue& queue, NotifyFn notify);

    uint32_t WriteComm(const uint8_t* data, uint32_t length) override;
    void Close() override;

  private:
    void ThreadWatchComm();
    // Reads into buffer until the line has been quiet for the gap or size bytes have come.
    CReaderThread::IoResult ReadComm(uint8_t* buffer, uint32_t size, DWORD* count);
    bool InputWaiting();
    // The longest a write of length bytes may take at the open line settings.
    DWORD WriteBoundMs(uint32_t length) const;

    CWinHandle comm_;
    CWinHandle readEvent_;
    CReaderThread reader_;
    CBoundedWriter writer_;
    OVERLAPPED osRead_{};
    uint32_t baudRate_ = 0;
    uint32_t bitsPerByte_ = 0;  // start, data, parity and stop bits
    // The read buffer outlives the reader: a read that ignored its cancel is only completed by
    // CloseHandle.
    uint8_t chunk_[kChunkSize];
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
};
