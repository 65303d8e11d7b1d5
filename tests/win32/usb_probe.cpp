// Console stand-in for the main dialog that drives the USB link from a test over stdin/stdout,
// with an overlapped named pipe standing in for the printer's device.
//
// One command per line, one reply line each ("ok ..." or "err ..."):
//   pipe NAME INBUF        -> ok PATH    creates the printer's end; INBUF bytes of room for what
//                                        the link writes
//   open PATH              -> ok RESULT  opens the link on a device path (opened, open_failed, ...)
//   search                 -> ok RESULT  the USB printer search alone
//   provider               -> ok RESULT  the product's whole USB open
//   readmode 0|1           -> ok         what the link's read-mode query answers
//   serve HEX              -> ok COUNT   the printer sends bytes
//   served MS              -> ok HEX|-   what the link wrote, collected for up to MS ms
//   unplug                 -> ok         the printer's end goes away
//   write HEX              -> ok COUNT MS
//   events                 -> ok DATA FULL DISCONNECTED  notifications since the last call
//   unplugged_for          -> ok MS|-    from unplug to the disconnect notification
//   queue                  -> ok HEX|-   drains the receive queue
//   threads                -> ok N       threads of this process
//   peer                   -> ok open|gone  whether the link still holds the pipe's other end
//   close                  -> ok MS
//   soak NAME CYCLES       -> ok HANDLES THREADS HANDLES THREADS LOST  creates the printer's end,
//                                        opens the link, sends 4 bytes each way and closes both,
//                                        CYCLES times; every tenth cycle waits for the bytes.
//                                        Handles and threads after the first cycle and at the
//                                        end, and the cycles whose bytes did not arrive.
//   quit                   -> ok
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "link/rx_queue.h"
#include "link/usb_link_win32.h"
#include "link/win32_link_provider.h"
#include "probe_repl.h"

namespace {

using probe::Drain;
using probe::Hex;
using probe::ParseHex;
using probe::Reply;

const char* ResultName(UsbOpenResult r) {
    switch (r) {
        case UsbOpenResult::kOpened:
            return "opened";
        case UsbOpenResult::kNoEvent:
            return "no_event";
        case UsbOpenResult::kNoDeviceList:
            return "no_device_list";
        case UsbOpenResult::kSearchFailed:
            return "search_failed";
        case UsbOpenResult::kNoAcceptedDevice:
            return "no_accepted_device";
        case UsbOpenResult::kOpenFailed:
            return "open_failed";
        case UsbOpenResult::kThreadFailed:
            return "thread_failed";
    }
    return "unknown";
}

std::string PipePath(const std::string& name) {
    return "\\\\.\\pipe\\" + name;
}

// The printer's end of the stand-in device.
class PrinterEnd {
  public:
    ~PrinterEnd() { Reset(); }
    bool Create(const std::string& path, DWORD inBuffer) {
        Reset();
        pipe_.Reset(CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                     PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 4096,
                                     inBuffer, 0, nullptr));
        event_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        return pipe_.Valid() && event_.Valid();
    }
    // The link opens its end before the test talks through the pipe.
    void Accept() {
        OVERLAPPED ov = Overlapped();
        if (!ConnectNamedPipe(pipe_.Get(), &ov) && GetLastError() == ERROR_IO_PENDING) {
            if (WaitForSingleObject(event_.Get(), 2000) != WAIT_OBJECT_0)
                CancelIoEx(pipe_.Get(), &ov);
            DWORD ignored = 0;
            GetOverlappedResult(pipe_.Get(), &ov, &ignored, TRUE);
        }
    }
    DWORD Send(const std::vector<uint8_t>& bytes) {
        OVERLAPPED ov = Overlapped();
        DWORD n = 0;
        if (!WriteFile(pipe_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, &ov) &&
            GetLastError() == ERROR_IO_PENDING) {
            GetOverlappedResult(pipe_.Get(), &ov, &n, TRUE);
        }
        return n;
    }
    // Reads what has arrived, waiting up to ms for the first bytes; false when the other end
    // is gone.
    bool Collect(DWORD ms, std::vector<uint8_t>* out) {
        const DWORD start = GetTickCount();
        for (;;) {
            DWORD avail = 0;
            if (!PeekNamedPipe(pipe_.Get(), nullptr, 0, nullptr, &avail, nullptr))
                return false;
            if (avail > 0) {
                std::vector<uint8_t> buf(avail);
                OVERLAPPED ov = Overlapped();
                DWORD n = 0;
                if (!ReadFile(pipe_.Get(), buf.data(), avail, &n, &ov) &&
                    GetLastError() == ERROR_IO_PENDING) {
                    GetOverlappedResult(pipe_.Get(), &ov, &n, TRUE);
                }
                out->insert(out->end(), buf.begin(), buf.begin() + n);
            } else if (!out->empty() || GetTickCount() - start >= ms) {
                return true;
            }
            Sleep(20);
        }
    }
    void Reset() {
        if (pipe_.Valid())
            DisconnectNamedPipe(pipe_.Get());
        pipe_.Reset();
        event_.Reset();
    }

  private:
    OVERLAPPED Overlapped() {
        OVERLAPPED ov{};
        ResetEvent(event_.Get());
        ov.hEvent = event_.Get();
        return ov;
    }
    CWinHandle pipe_;
    CWinHandle event_;
};

}  // namespace

int main() {
    CRxQueue queue;
    std::atomic<int> data{0}, full{0}, disconnected{0};
    std::atomic<bool> readMode{false};
    std::atomic<DWORD> unplugAt{0}, disconnectAt{0};
    CUsbLink link;
    PrinterEnd printer;
    const NotifyFn notify = [&](LinkEvent e) {
        if (e == LinkEvent::kData) {
            ++data;
        } else if (e == LinkEvent::kQueueFull) {
            ++full;
        } else {
            disconnectAt = GetTickCount();
            ++disconnected;
        }
    };

    probe::Run([&](const std::string& cmd, std::istringstream& in) {
        std::string arg;
        std::vector<uint8_t> bytes;
        if (cmd == "pipe") {
            DWORD inBuffer = 0;
            if (!(in >> arg >> inBuffer)) {
                Reply("err usage");
                return true;
            }
            const std::string path = PipePath(arg);
            Reply(printer.Create(path, inBuffer) ? "ok " + path : "err pipe");
        } else if (cmd == "open") {
            in >> arg;
            const UsbOpenResult r = link.Open(arg, queue, notify, [&] { return readMode.load(); });
            if (r == UsbOpenResult::kOpened)
                printer.Accept();
            Reply(std::string("ok ") + ResultName(r));
        } else if (cmd == "search") {
            std::string path;
            Reply(std::string("ok ") + ResultName(FindUsbPrinter(kUsbPrintInterface, 0, &path)));
        } else if (cmd == "provider") {
            CWin32LinkProvider provider;
            std::unique_ptr<CLink> opened;
            const UsbOpenResult r = provider.OpenUsb(queue, notify, nullptr, &opened);
            Reply(std::string("ok ") + ResultName(r));
        } else if (cmd == "readmode") {
            in >> arg;
            readMode = arg == "1";
            Reply("ok");
        } else if (cmd == "serve") {
            if (!(in >> arg) || !ParseHex(arg, &bytes)) {
                Reply("err hex");
                return true;
            }
            Reply("ok " + std::to_string(printer.Send(bytes)));
        } else if (cmd == "served") {
            DWORD ms = 0;
            in >> ms;
            printer.Collect(ms, &bytes);
            Reply("ok " + Hex(bytes));
        } else if (cmd == "unplug") {
            unplugAt = GetTickCount();
            printer.Reset();
            Reply("ok");
        } else if (cmd == "write") {
            if (!(in >> arg) || !ParseHex(arg, &bytes)) {
                Reply("err hex");
                return true;
            }
            const DWORD start = GetTickCount();
            const uint32_t n = link.WriteComm(bytes.data(), static_cast<uint32_t>(bytes.size()));
            Reply("ok " + std::to_string(n) + " " + std::to_string(GetTickCount() - start));
        } else if (cmd == "events") {
            Reply("ok " + std::to_string(data.exchange(0)) + " " +
                  std::to_string(full.exchange(0)) + " " +
                  std::to_string(disconnected.exchange(0)));
        } else if (cmd == "unplugged_for") {
            const DWORD at = disconnectAt;
            Reply(at == 0 ? "ok -" : "ok " + std::to_string(at - unplugAt));
        } else if (cmd == "queue") {
            Reply("ok " + Hex(Drain(queue)));
        } else if (cmd == "threads") {
            Reply("ok " + std::to_string(probe::ThreadCount()));
        } else if (cmd == "peer") {
            Reply(printer.Collect(0, &bytes) ? "ok open" : "ok gone");
        } else if (cmd == "soak") {
            int cycles = 0;
            if (!(in >> arg >> cycles)) {
                Reply("err usage");
                return true;
            }
            const std::string path = PipePath(arg);
            const std::vector<uint8_t> reply = {0x1B, 0x7E, 0x41, 0x00};
            probe::SoakCounts counts;
            for (int i = 0; i < cycles; ++i) {
                if (!printer.Create(path, 4096) ||
                    link.Open(path, queue, notify, nullptr) != UsbOpenResult::kOpened) {
                    Reply("err open in cycle " + std::to_string(i));
                    return true;
                }
                printer.Accept();
                printer.Send(reply);
                link.WriteComm(reply.data(), static_cast<uint32_t>(reply.size()));
                if (i % 10 == 0) {
                    bytes.clear();
                    const bool queued = probe::AwaitQueued(queue, 4, 1000);
                    if (!queued || !printer.Collect(1000, &bytes) || bytes.size() < 4)
                        ++counts.lost;
                }
                link.Close();
                printer.Reset();
                Drain(queue);
                counts.After(i);
            }
            data = 0;
            Reply("ok " + counts.Text());
        } else if (cmd == "close") {
            const DWORD start = GetTickCount();
            link.Close();
            Reply("ok " + std::to_string(GetTickCount() - start));
        } else {
            return false;
        }
        return true;
    });
    link.Close();
    return 0;
}
