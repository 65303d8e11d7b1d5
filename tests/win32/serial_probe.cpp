// Console stand-in for the main dialog that drives the serial link from a test over stdin/stdout.
//
// One command per line, one reply line each ("ok ..." or "err ..."):
//   open PORT BAUD DATABITS PARITY STOPBITS  -> ok RESULT (opened, no_event, open_failed, ...)
//   write HEX                                -> ok COUNT
//   read                                     -> ok NOTIFICATIONS HEX|-   (both since last read)
//   close                                    -> ok MILLISECONDS
//   reader                                   -> ok running|ended|unknown (the thread that
//                                               last notified)
//   quit                                     -> ok
#include <windows.h>
#include <atomic>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "link/rx_queue.h"
#include "link/win32_link_provider.h"

namespace {

const char* ResultName(SerialOpenResult r) {
    switch (r) {
        case SerialOpenResult::kOpened:
            return "opened";
        case SerialOpenResult::kNoEvent:
            return "no_event";
        case SerialOpenResult::kOpenFailed:
            return "open_failed";
        case SerialOpenResult::kConfigFailed:
            return "config_failed";
        case SerialOpenResult::kWatchFailed:
            return "watch_failed";
        case SerialOpenResult::kThreadFailed:
            return "thread_failed";
    }
    return "unknown";
}

bool ParseHex(const std::string& text, std::vector<uint8_t>* out) {
    if (text.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(text.c_str() + i, "%2x", &value) != 1)
            return false;
        out->push_back(static_cast<uint8_t>(value));
    }
    return true;
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

void Reply(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

}  // namespace

int main() {
    CWin32LinkProvider provider;
    CRxQueue queue;
    std::atomic<int> notifications{0};
    std::atomic<DWORD> readerId{0};
    std::unique_ptr<CLink> link;

    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream in(line);
        std::string cmd;
        in >> cmd;
        if (cmd == "open") {
            SerialSettings s;
            unsigned baud = 0, data = 0, parity = 0, stop = 0;
            if (!(in >> s.portName >> baud >> data >> parity >> stop)) {
                Reply("err usage");
                continue;
            }
            s.baudRate = baud;
            s.dataBits = static_cast<uint8_t>(data);
            s.parity = static_cast<uint8_t>(parity);
            s.stopBits = static_cast<uint8_t>(stop);
            const SerialOpenResult r = provider.OpenSerial(
                s, queue,
                [&](LinkEvent) {
                    readerId = GetCurrentThreadId();
                    ++notifications;
                },
                &link);
            Reply(std::string("ok ") + ResultName(r));
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
            std::string hex;
            const int count = queue.GetCount();
            for (int i = 0; i < count; ++i) {
                uint8_t b = 0;
                if (!queue.Get(&b))
                    break;
                char buf[3];
                std::snprintf(buf, sizeof buf, "%02x", b);
                hex += buf;
            }
            Reply("ok " + std::to_string(notes) + " " + (hex.empty() ? "-" : hex));
        } else if (cmd == "close") {
            const DWORD start = GetTickCount();
            if (link)
                link->Close();
            const DWORD elapsed = GetTickCount() - start;
            link.reset();
            Reply("ok " + std::to_string(elapsed));
        } else if (cmd == "reader") {
            Reply(std::string("ok ") + ThreadState(readerId));
        } else if (cmd == "quit") {
            Reply("ok");
            break;
        } else {
            Reply("err unknown command");
        }
    }
    return 0;
}
