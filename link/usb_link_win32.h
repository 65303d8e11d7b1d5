// The USB printer link: the device search over the printer interface class, overlapped device
// I/O and the reader thread that feeds the receive queue.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>

#include "link/bounded_writer.h"
#include "link/link.h"
#include "link/reader_thread.h"
#include "link/usb_timing.h"
#include "link/win_handle.h"

// The USB printer device-interface class.
extern const GUID kUsbPrintInterface;

// Enumerates the present devices of the interface class and finds the accepted device number
// instance (0 is the first). Returns kOpened with *path set to the path as the system reported
// it, or kNoDeviceList, kSearchFailed or kNoAcceptedDevice.
UsbOpenResult FindUsbPrinter(const GUID& interfaceClass, uint32_t instance, std::string* path);

// One open USB printer. The reader thread only moves bytes into the queue and calls the notify
// callback; opening, writing and closing belong to the UI thread.
class CUsbLink : public CLink {
  public:
    static constexpr DWORD kReadPauseMs = kUsbReadPauseMs;
    // After a failed read the device is given this long before the disconnect is reported.
    static constexpr DWORD kUnplugReportMs = 1500;
    static constexpr DWORD kWriteTimeoutMs = kUsbWriteTimeoutMs;
    static constexpr uint32_t kChunkSize = kUsbChunkSize;

    CUsbLink();
    ~CUsbLink() override;
    CUsbLink(const CUsbLink&) = delete;
    CUsbLink& operator=(const CUsbLink&) = delete;

    // Creates the OVERLAPPED events; Open creates them too when this was not called first.
    bool CreateEvents();
    // Opens the device path (shared, overlapped) and starts the reader. The notify callback and
    // readMode run on the reader thread and must not wait for the UI thread (Close waits for the
    // reader). On failure nothing stays open.
    UsbOpenResult Open(const std::string& devicePath, CRxQueue& queue, NotifyFn notify,
                       ReadModeFn readMode);

    uint32_t WriteComm(const uint8_t* data, uint32_t length) override;
    void Close() override;

  private:
    void TestUSBReadThread();
    CReaderThread::IoResult ReadComm(DWORD* count, DWORD waitMs, bool resume);

    CWinHandle device_;
    CWinHandle readEvent_;
    CReaderThread reader_;
    OVERLAPPED osRead_;
    // Closing the device and writing to it exclude each other.
    std::mutex ioMutex_;
    CBoundedWriter writer_;
    // Lives with the link: a read that outlived its cancel is only completed by CloseHandle.
    uint8_t chunk_[kChunkSize];
    CRxQueue* queue_ = nullptr;
    NotifyFn notify_;
    ReadModeFn readMode_;
};
