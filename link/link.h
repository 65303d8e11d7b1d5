// The byte transport between the main dialog and the printer, whichever kind of link is open.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CRxQueue;

// An open link. Its reader thread puts each received chunk into the receive queue and then calls
// the notify callback; everything else runs on the UI thread.
class CLink {
  public:
    virtual ~CLink() = default;
    // Sends bytes; returns the count written, 0 on failure.
    virtual uint32_t WriteComm(const uint8_t* data, uint32_t length) = 0;
    // Stops the reader and releases the device. Returns only when the reader can no longer touch
    // the handle. Safe to call twice.
    virtual void Close() = 0;
};

// What a reader thread tells the UI thread.
enum class LinkEvent {
    kData,          // bytes were queued
    kQueueFull,     // a chunk did not fit into the queue and was dropped
    kDisconnected,  // the device failed; the reader has ended
};

// Called from the reader thread. Must be safe from any thread and must only post: the link's
// Close waits for the reader.
using NotifyFn = std::function<void(LinkEvent)>;

// Serial parameters as the driver takes them.
struct SerialSettings {
    std::string portName;  // "COM1".."COM9", "\\.\COM10".."\\.\COM20", or a POSIX path
    uint32_t baudRate = 0;
    uint8_t dataBits = 8;
    uint8_t parity = 0;    // 0 none, 1 odd, 2 even
    uint8_t stopBits = 0;  // 0 one, 2 two
};

enum class SerialOpenResult {
    kOpened,
    kNoEvent,       // an OVERLAPPED event could not be created
    kOpenFailed,    // CreateFile refused the port (missing, no access)
    kInUse,         // another program holds the port; it is never taken over
    kConfigFailed,  // the driver refused the DCB
    kWatchFailed,   // the reader's stop event could not be created
    kThreadFailed,  // the reader thread could not be started
};

// Asked by the USB reader once per chunk, from the reader thread: is the current-generation page
// collecting a read reply, so that chunks are held until one ends the reply?
using ReadModeFn = std::function<bool()>;

enum class UsbOpenResult {
    kOpened,
    kNoEvent,           // an OVERLAPPED event could not be created
    kNoDeviceList,      // the system gave no device list for the printer interface class
    kSearchFailed,      // the enumeration or a device's details failed midway
    kNoAcceptedDevice,  // the enumeration ended without a device of an accepted vendor
    kOpenFailed,        // the accepted device could not be opened
    kThreadFailed,      // the reader thread could not be started
};
// How a provider's LastError tells kNoAcceptedDevice.
constexpr char kNoUsbPrinterFound[] = "no printer found on USB";

// Where the main dialog gets its links from: the Win32 devices in the product, stand-ins in tests.
class CLinkProvider {
  public:
    virtual ~CLinkProvider() = default;
    // On success *link holds the open link with its reader running.
    virtual SerialOpenResult OpenSerial(const SerialSettings& settings, CRxQueue& queue,
                                        NotifyFn notify, std::unique_ptr<CLink>* link) = 0;
    // Opens the first attached printer of an accepted vendor. On success *link holds the open
    // link with its reader running.
    virtual UsbOpenResult OpenUsb(CRxQueue& queue, NotifyFn notify, ReadModeFn readMode,
                                  std::unique_ptr<CLink>* link) = 0;
    // Where a system names its USB printers by path (/dev/usb/lp0): the one OpenUsb opens from
    // now on, empty for none. Elsewhere the provider finds its printer itself and this changes
    // nothing.
    virtual void SetUsbDevice(const std::string& /*path*/) {}
    // Why the last open failed, in the system's words; empty after a success, or where the
    // provider has no words for it.
    virtual std::string LastError() const { return std::string(); }
};
