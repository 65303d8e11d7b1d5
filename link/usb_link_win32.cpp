// The USB printer link: the device search over the printer interface class, overlapped device
// I/O and the reader thread that feeds the receive queue.
#include "link/usb_link_win32.h"

#include <cstring>
#include <vector>

#include "link/device_interfaces_win32.h"
#include "link/line_quiet.h"
#include "link/rx_queue.h"
#include "link/usb_chunk_batching.h"
#include "link/usb_device_path.h"

const GUID kUsbPrintInterface = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};

UsbOpenResult FindUsbPrinter(const GUID& interfaceClass, uint32_t instance, std::string* path) {
    std::vector<std::string> paths;
    const InterfaceListEnd end = VisitDeviceInterfaces(
        interfaceClass, [&](const std::string& found, HDEVINFO, SP_DEVINFO_DATA&) {
            paths.push_back(found);
            const size_t chosen = SelectUsbPrinter(paths, instance);
            if (chosen == kNoUsbPrinter)
                return true;
            *path = paths[chosen];
            return false;
        });
    switch (end) {
        case InterfaceListEnd::kStopped:
            return UsbOpenResult::kOpened;
        case InterfaceListEnd::kComplete:
            return UsbOpenResult::kNoAcceptedDevice;
        case InterfaceListEnd::kNoDeviceList:
            return UsbOpenResult::kNoDeviceList;
        case InterfaceListEnd::kFailed:
            break;
    }
    return UsbOpenResult::kSearchFailed;
}

CUsbLink::CUsbLink() {
    ResetOverlapped(&osRead_, nullptr);
}

CUsbLink::~CUsbLink() {
    Close();
}

bool CUsbLink::CreateEvents() {
    if (!readEvent_.Valid())
        readEvent_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!readEvent_.Valid() || !writer_.Prepare() || !reader_.Prepare())
        return false;
    ResetOverlapped(&osRead_, readEvent_.Get());
    return true;
}

UsbOpenResult CUsbLink::Open(const std::string& devicePath, CRxQueue& queue, NotifyFn notify,
                             ReadModeFn readMode) {
    if (device_.Valid())
        Close();
    if (!CreateEvents()) {
        Close();
        return UsbOpenResult::kNoEvent;
    }

    device_.Reset(CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr));
    if (!device_.Valid()) {
        Close();
        return UsbOpenResult::kOpenFailed;
    }

    queue_ = &queue;
    notify_ = std::move(notify);
    readMode_ = std::move(readMode);
    if (!reader_.Start([this] { TestUSBReadThread(); })) {
        Close();
        return UsbOpenResult::kThreadFailed;
    }
    return UsbOpenResult::kOpened;
}

void CUsbLink::Close() {
    // The reader cancels its own pending read when asked to stop.
    reader_.Stop();
    {
        std::lock_guard<std::mutex> lock(ioMutex_);
        if (device_.Valid())
            writer_.Cancel(device_.Get());
        device_.Reset();
        // Only now can no operation refer to the OVERLAPPED events any more.
        writer_.Release();
    }
    readEvent_.Reset();
    ResetOverlapped(&osRead_, nullptr);
    notify_ = nullptr;
    readMode_ = nullptr;
    queue_ = nullptr;
}

uint32_t CUsbLink::WriteComm(const uint8_t* data, uint32_t length) {
    std::lock_guard<std::mutex> lock(ioMutex_);
    if (!device_.Valid() || data == nullptr || length == 0)
        return 0;
    return writer_.Write(device_.Get(), data, length, kWriteTimeoutMs);
}

CReaderThread::IoResult CUsbLink::ReadComm(DWORD* count, DWORD waitMs, bool resume) {
    // A device read has no time-out of its own: waitMs or the stop ends this wait.
    return reader_.Read(device_.Get(), &osRead_, chunk_, kChunkSize, count, waitMs, resume);
}

void CUsbLink::TestUSBReadThread() {
    bool held = false;     // bytes queued in read mode that the UI thread was not told of
    bool pending = false;  // the read that found the line quiet still waits for bytes
    for (;;) {
        // A read left pending by the quiet gap is waited for again at once: the stop that ends
        // that wait also cancels the read, which returning from the pause would not.
        if (!pending && reader_.StopRequested(kReadPauseMs))
            return;
        DWORD n = 0;
        const CReaderThread::IoResult result = ReadComm(&n, held ? kQuietGapMs : INFINITE, pending);
        pending = result == CReaderThread::IoResult::kTimeout;
        if (pending) {
            held = DeliverUsbQuietGap(notify_, held).notifyWhenQuiet;
            continue;
        }
        if (result == CReaderThread::IoResult::kStopped)
            return;
        if (result == CReaderThread::IoResult::kFailed) {
            // The printer was unplugged or switched off. A Close meanwhile ends the reader
            // quietly; otherwise the UI thread reports it and releases the link.
            if (!reader_.StopRequested(kUnplugReportMs) && notify_)
                notify_(LinkEvent::kDisconnected);
            return;
        }
        if (n > kChunkSize)
            n = kChunkSize;
        const bool readMode = readMode_ && readMode_();
        held = DeliverUsbChunk(*queue_, notify_, chunk_, n, readMode, held).notifyWhenQuiet;
    }
}
