// Console stand-in for the main dialog that drives the serial link from a test over stdin/stdout.
//
// One command per line, one reply line each ("ok ..." or "err ..."):
//   open PORT BAUD DATABITS PARITY STOPBITS  -> ok RESULT (opened, no_event, open_failed, ...)
//   write HEX                                -> ok COUNT
//   read                                     -> ok NOTIFICATIONS HEX|-   (both since last read)
//   close                                    -> ok MILLISECONDS
//   reader                                   -> ok running|ended|unknown (the thread that
//                                               last notified)
//   roundtrip HEX                            -> ok MICROSECONDS|-  from the write to the next
//                                               notification, "-" after 2 s without one
//   soak PORT BAUD CYCLES                    -> ok HANDLES THREADS HANDLES THREADS LOST  opens,
//                                               writes 4 bytes and closes CYCLES times; every
//                                               tenth cycle waits for them to come back.
//                                               Handles and threads after the first cycle and
//                                               at the end, and the cycles whose bytes did not
//                                               come back.
//   quit                                     -> ok
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "link/rx_queue.h"
#include "link/win32_link_provider.h"
#include "probe_repl.h"

namespace {

using probe::Drain;
using probe::Hex;
using probe::ParseHex;
using probe::Reply;

const char* ResultName(SerialOpenResult r) {
    switch (r) {
        case SerialOpenResult::kOpened:
            return "opened";
        case SerialOpenResult::kNoEvent:
            return "no_event";
        case SerialOpenResult::kOpenFailed:
            return "open_failed";
        case SerialOpenResult::kInUse:
            return "in_use";
        case SerialOpenResult::kConfigFailed:
            return "config_failed";
        case SerialOpenResult::kWatchFailed:
            return "watch_failed";
        case SerialOpenResult::kThreadFailed:
            return "thread_failed";
    }
    return "unknown";
}

const char* ThreadState(DWORD id) {
    if (id == 0)
        return "unknown";
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
    if (thread == nullptr)
        return "ended";
    const bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return ended ? "ended" : "running";
}

}  // namespace

int main() {
    CWin32LinkProvider provider;
    CRxQueue queue;
    std::atomic<int> notifications{0};
    std::atomic<DWORD> readerId{0};
    std::atomic<int64_t> notifiedAt{0};
    std::unique_ptr<CLink> link;
    const NotifyFn notify = [&](LinkEvent) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        notifiedAt = now.QuadPart;
        readerId = GetCurrentThreadId();
        ++notifications;
    };

    probe::Run([&](const std::string& cmd, std::istringstream& in) {
        if (cmd == "open") {
            SerialSettings s;
            unsigned baud = 0, data = 0, parity = 0, stop = 0;
            if (!(in >> s.portName >> baud >> data >> parity >> stop)) {
                Reply("err usage");
                return true;
            }
            s.baudRate = baud;
            s.dataBits = static_cast<uint8_t>(data);
            s.parity = static_cast<uint8_t>(parity);
            s.stopBits = static_cast<uint8_t>(stop);
            Reply(std::string("ok ") + ResultName(provider.OpenSerial(s, queue, notify, &link)));
        } else if (cmd == "write") {
            std::string hex;
            std::vector<uint8_t> bytes;
            if (!(in >> hex) || !ParseHex(hex, &bytes)) {
                Reply("err hex");
            } else if (!link) {
                Reply("err closed");
            } else {
                const uint32_t n =
                    link->WriteComm(bytes.data(), static_cast<uint32_t>(bytes.size()));
                Reply("ok " + std::to_string(n));
            }
        } else if (cmd == "read") {
            const int notes = notifications.exchange(0);
            Reply("ok " + std::to_string(notes) + " " + Hex(Drain(queue)));
        } else if (cmd == "close") {
            const DWORD start = GetTickCount();
            if (link)
                link->Close();
            const DWORD elapsed = GetTickCount() - start;
            link.reset();
            Reply("ok " + std::to_string(elapsed));
        } else if (cmd == "reader") {
            Reply(std::string("ok ") + ThreadState(readerId));
        } else if (cmd == "roundtrip") {
            std::string hex;
            std::vector<uint8_t> bytes;
            if (!(in >> hex) || !ParseHex(hex, &bytes) || !link) {
                Reply("err usage");
                return true;
            }
            LARGE_INTEGER frequency, start;
            QueryPerformanceFrequency(&frequency);
            const int before = notifications;
            QueryPerformanceCounter(&start);
            link->WriteComm(bytes.data(), static_cast<uint32_t>(bytes.size()));
            const DWORD startTick = GetTickCount();
            while (notifications == before && GetTickCount() - startTick < 2000)
                Sleep(1);
            Drain(queue);
            notifications = 0;
            if (notifiedAt <= start.QuadPart) {
                Reply("ok -");
            } else {
                const int64_t us = (notifiedAt - start.QuadPart) * 1000000 / frequency.QuadPart;
                Reply("ok " + std::to_string(us));
            }
        } else if (cmd == "soak") {
            SerialSettings s;
            unsigned baud = 0;
            int cycles = 0;
            if (!(in >> s.portName >> baud >> cycles)) {
                Reply("err usage");
                return true;
            }
            s.baudRate = baud;
            const uint8_t request[] = {0x1B, 0x00, 0x02, 0x02};
            probe::SoakCounts counts;
            for (int i = 0; i < cycles; ++i) {
                if (provider.OpenSerial(s, queue, notify, &link) != SerialOpenResult::kOpened) {
                    Reply("err open in cycle " + std::to_string(i));
                    return true;
                }
                link->WriteComm(request, sizeof request);
                if (i % 10 == 0 && !probe::AwaitQueued(queue, sizeof request, 1000))
                    ++counts.lost;
                link->Close();
                link.reset();
                Drain(queue);
                counts.After(i);
            }
            notifications = 0;
            Reply("ok " + counts.Text());
        } else {
            return false;
        }
        return true;
    });
    return 0;
}
