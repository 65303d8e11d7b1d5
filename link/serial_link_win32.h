// The serial COM-port link: overlapped port I/O and the reader thread that feeds the receive queue.
#pragma once

#include <windows.h>

#include <cstdint>

#include "link/link.h"
#include "link/reader_thread.h"
#include "link/win_handle.h"

// One open COM port. The reader thread only moves bytes into the queue and calls the notify
// callback; opening, writing and closing belong to the UI thread.
class CSerialLink : public CLink {
  public:
    // Reader pacing: how long a receive event waits for the rest of a reply, and how often the
    // reader looks at the port when no event comes.
    static constexpr DWORD kCycleMs = 50;
    static constexpr uint32_t kChunkSize = 2048;

    CSerialLink();
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
    // Reads what the driver holds, up to size bytes; 0 when nothing waits or on failure.
    uint32_t ReadComm(uint8_t* buffer, uint32_t size);
    // Moves everything the driver holds into the queue; true when any byte was read.
    bool Drain();
    bool InputWaiting();

    CWinHandle comm_;
    CWinHandle readEvent_;
    CWinHandle writeEvent_;
    CWinHandle waitEvent_;
    CReaderThread reader_;
    OVERLAPPED osRead_;
    OVERLAPPED osWrite_;
    OVERLAPPED osWait_;
    DWORD waitMask_ = 0;  // written by the pending WaitCommEvent, so it lives with the link
    // The read buffer too outlives the reader: a read that ignored its cancel is only completed
    // by CloseHandle.
    uint8_t chunk_[kChunkSize];
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
};
